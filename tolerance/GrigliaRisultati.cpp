#include "tolerance/GrigliaRisultati.h"

CImmaginiEsiti::CImmaginiEsiti() : m_Bitmap(LoadASupportBmp(u"Esiti.bmp")) {
    const int lato = 16 * CPalmDevice::GetResMultiplier();
    m_Lista.Create(lato, lato, ILC_COLOR | ILC_MASK, 2, 2);
    m_Lista.Add(m_Bitmap.get(), RGB(255, 255, 255));
}

void CreaGrigliaRisultati(CCEGridCtrl& griglia, CWnd* dialogo, UINT segnaposto, UINT id, CImageList* immagini,
                          std::initializer_list<CColonnaRisultati> colonne) {
    CRect rect;
    if (CWnd* cornice = dialogo->GetDlgItem(segnaposto))
        cornice->GetWindowRect(&rect);
    dialogo->ScreenToClient(&rect);
    griglia.Create(rect, dialogo, id, 0x50810000);
    griglia.SetSingleRowSelection(TRUE);
    griglia.SetFixedColumnCount(0);
    griglia.SetFixedRowCount(1);
    if (immagini)
        griglia.SetImageList(immagini);
    const int scala = CPalmDevice::GetResMultiplier();
    for (const CColonnaRisultati& c : colonne)
        griglia.SetColumnWidth(griglia.InsertColumn(c.titolo), c.larghezza * scala);
}

int AggiungiRigaRisultati(CCEGridCtrl& griglia, std::initializer_list<WString> testi) {
    const int riga = griglia.InsertRow(WString());
    griglia.SetItemText(riga, 0, WString::Formatted(u"%d", riga));
    int colonna = 1;
    for (const WString& testo : testi)
        griglia.SetItemText(riga, colonna++, testo);
    for (int c = 0; c < griglia.GetColumnCount(); ++c) {
        griglia.SetItemBkColour(riga, c, COLORE_CELLA_RISULTATI);
        griglia.SetItemFgColour(riga, c, GetSysColor(COLOR_WINDOWTEXT));
    }
    return riga;
}
