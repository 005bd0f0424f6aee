#include "pfimport/DlgPregeoRiga8ImportGps.h"

#include "hostapi/Conversions.h"
#include "hostapi/Settings.h"
#include "pfimport/DatiImportPF.h"
#include "resources/IdImportPF.h"
#include "resources/StringIds.h"
#include "resources/StringLoader.h"

BEGIN_MESSAGE_MAP(CDlgPregeoRiga8ImportGps, CExDialog)
ON_BN_CLICKED(IDC_GPS_ULTIMA, OnUltima)
ON_BN_CLICKED(IDC_GPS_OK, OnOk)
ON_BN_CLICKED(IDC_GPS_ANNULLA, OnAnnulla)
END_MESSAGE_MAP()

CDlgPregeoRiga8ImportGps::CDlgPregeoRiga8ImportGps(CWnd* parent, ICarviloDati* dati)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_RIGA8_IMPORT_GPS, IDD_RIGA8_IMPORT_GPS + 1,
                                            IDD_RIGA8_IMPORT_GPS + 2, IDD_RIGA8_IMPORT_GPS + 3),
                parent),
      m_pDati(dati) {}

BOOL CDlgPregeoRiga8ImportGps::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Fonte.SubclassDlgItem(IDC_GPS_FONTE, this);
    m_Tipo.SubclassDlgItem(IDC_GPS_TIPO, this);
    m_Raggio.SubclassDlgItem(IDC_GPS_RAGGIO, this);
    m_Fonte.AddString(u"Da Ricevitore");
    m_Fonte.SetCurSel(0);
    m_Tipo.AddString(u"Geografiche WGS84");
    m_Tipo.SetCurSel(0);
    OnUltima();
    m_Raggio.SetWindowText(LeggiImpostazioniCatasto().distMax);
    return TRUE;
}

// Without a last position the edits keep what they show.
void CDlgPregeoRiga8ImportGps::OnUltima() {
    double lat = 0, lon = 0;
    if (!m_pDati || !FGetLastCoordGPS(m_pDati->GetRicevitore(), lat, lon))
        return;
    const CTestiAngolo la = TestiAngolo(lat);
    const CTestiAngolo lo = TestiAngolo(lon);
    SetDlgItemText(IDC_GPS_LAT_GRADI, la.gradi);
    SetDlgItemText(IDC_GPS_LAT_PRIMI, la.primi);
    SetDlgItemText(IDC_GPS_LAT_SECONDI, la.secondi);
    SetDlgItemText(IDC_GPS_LON_GRADI, lo.gradi);
    SetDlgItemText(IDC_GPS_LON_PRIMI, lo.primi);
    SetDlgItemText(IDC_GPS_LON_SECONDI, lo.secondi);
}

// The near import takes the centre and the radius from the settings: when they could not be written it
// would search around an old position. The host has told the user why; the dialog stays open.
void CDlgPregeoRiga8ImportGps::OnOk() {
    CIniFile ini;
    const WString testoRaggio = m_Raggio.GetWindowText();
    const double raggio = DoubleDaCString(testoRaggio);
    bool valida = !IsRealeIndefinito(raggio);
    if (valida && !ini.WriteString(SEZIONE_CATASTO, CHIAVE_DIST_MAX, testoRaggio))
        return;
    WString t[6];
    const UINT ids[6] = {IDC_GPS_LAT_GRADI, IDC_GPS_LAT_PRIMI, IDC_GPS_LAT_SECONDI,
                         IDC_GPS_LON_GRADI, IDC_GPS_LON_PRIMI, IDC_GPS_LON_SECONDI};
    for (int i = 0; i < 6; ++i)
        GetDlgItemText(ids[i], t[i]);
    double lat = 0, lon = 0, nord = 0, est = 0;
    CLibGps* gps = m_pDati ? m_pDati->GetLibGps() : nullptr;
    valida = valida && LeggiAngoloSessagesimale(t[0], t[1], t[2], lat) &&
             LeggiAngoloSessagesimale(t[3], t[4], t[5], lon) && PosizionePiana(gps, lat, lon, nord, est);
    if (!valida) {
        CreateMessageBox(this, CaricaStringa(MessaggioPosizioneNonValida(gps)), CaricaStringa(IDS_ATTENZIONE),
                         MB_ICONEXCLAMATION);
        return;
    }
    if (!ini.WriteDouble(SEZIONE_CATASTO, CHIAVE_NORD, nord) ||
        !ini.WriteDouble(SEZIONE_CATASTO, CHIAVE_EST, est) ||
        !ini.WriteDouble(SEZIONE_CATASTO, CHIAVE_RAGGIO, raggio))
        return;
    EndDialog(IDOK);
}

void CDlgPregeoRiga8ImportGps::OnAnnulla() {
    EndDialog(IDCANCEL);
}
