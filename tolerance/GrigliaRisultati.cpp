#include "tolerance/GrigliaRisultati.h"

#include "resources/IdRisultatiToll.h"

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

BEGIN_MESSAGE_MAP(CDlgRisultatiEsiti, CExDialog)
ON_BN_CLICKED(IDC_RISSTAZ_ESCI, OnEsci)
END_MESSAGE_MAP()

CDlgRisultatiEsiti::CDlgRisultatiEsiti(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_RIS_STAZIONI, IDD_RIS_STAZIONI + 1, IDD_RIS_STAZIONI + 2,
                                            IDD_RIS_STAZIONI + 3),
                parent) {}

BOOL CDlgRisultatiEsiti::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Esci.SubclassDlgItem(IDC_RISSTAZ_ESCI, this);
    m_Esci.SetBtnColor(0, 2);
    Riempi();
    m_Griglia.AutoSizeColumns();
    return TRUE;
}

void CDlgRisultatiEsiti::CreaGriglia(std::initializer_list<CColonnaGriglia> colonne) {
    CreaGrigliaRisultati(m_Griglia, this, IDC_RISSTAZ_CORNICE, IDC_RISSTAZ_GRIGLIA, m_Immagini.GetLista(),
                         colonne);
}

void CDlgRisultatiEsiti::AggiungiEsito(std::initializer_list<WString> testi, bool inTolleranza,
                                       const void* finding) {
    const int riga = AggiungiRigaRisultati(m_Griglia, testi);
    m_Griglia.SetItemImage(riga, 1, inTolleranza ? IMMAGINE_IN_TOLLERANZA : IMMAGINE_FUORI_TOLLERANZA);
    m_Griglia.SetRowData(riga, reinterpret_cast<LPARAM>(finding));
}

void CDlgRisultatiEsiti::OnEsci() {
    EndDialog(IDOK);
}
