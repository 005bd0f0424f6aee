#include "tolerance/GrigliaRisultati.h"

CImmaginiEsiti::CImmaginiEsiti() : m_Bitmap(LoadASupportBmp(u"Esiti.bmp")) {
    const int lato = 16 * CPalmDevice::GetResMultiplier();
    m_Lista.Create(lato, lato, ILC_COLOR | ILC_MASK, 2, 2);
    m_Lista.Add(m_Bitmap.get(), RGB(255, 255, 255));
}

void CreaGrigliaRisultati(CCEGridCtrl& griglia, CWnd* dialogo, UINT segnaposto, UINT id, CImageList* immagini,
                          std::initializer_list<CColonnaGriglia> colonne) {
    CRect rect;
    if (CWnd* cornice = dialogo->GetDlgItem(segnaposto))
        cornice->GetWindowRect(&rect);
    dialogo->ScreenToClient(&rect);
    griglia.Create(rect, dialogo, id, 0x50810000);
    if (immagini)
        griglia.SetImageList(immagini);
    PreparaGriglia(griglia, colonne);
}

int AggiungiRigaRisultati(CCEGridCtrl& griglia, std::initializer_list<WString> testi) {
    const int riga = AggiungiRigaGriglia(griglia, {WString()});
    int colonna = 1;
    for (const WString& testo : testi)
        griglia.SetItemText(riga, colonna++, testo);
    griglia.SetItemText(riga, 0, WString::Formatted(u"%d", riga));
    return riga;
}
