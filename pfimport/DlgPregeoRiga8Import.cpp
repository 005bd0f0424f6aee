#include "pfimport/DlgPregeoRiga8Import.h"

#include "hostapi/Settings.h"
#include "pfimport/DatiImportPF.h"
#include "resources/FileTesto.h"
#include "resources/IdImportPF.h"

namespace {

constexpr const char16_t* kFiltroFile = u"Files TAF(*.taf)|*.taf|Files OUT(*.out)|*.out||";

} // namespace

BEGIN_MESSAGE_MAP(CDlgPregeoRiga8Import, CExDialog)
ON_CONTROL_RANGE(BN_CLICKED, IDC_IMP_DA_INTERNET, IDC_IMP_DA_FILE, OnSorgente)
ON_BN_CLICKED(IDC_IMP_SFOGLIA, OnSfoglia)
ON_CBN_SELCHANGE(IDC_IMP_PROVINCIA, OnProvincia)
ON_BN_CLICKED(IDC_IMP_AUTO, OnImpAuto)
ON_BN_CLICKED(IDC_IMP_VICINI, OnVicini)
ON_BN_CLICKED(IDC_IMP_ELENCO, OnElenco)
ON_BN_CLICKED(IDC_IMP_ANNULLA, OnAnnulla)
END_MESSAGE_MAP()

CDlgPregeoRiga8Import::CDlgPregeoRiga8Import(CWnd* parent, ICarviloDati* dati)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_RIGA8_IMPORT, IDD_RIGA8_IMPORT + 1, IDD_RIGA8_IMPORT + 2,
                                            IDD_RIGA8_IMPORT + 3),
                parent),
      m_pDati(dati) {}

CDlgPregeoRiga8Import::~CDlgPregeoRiga8Import() {
    CConvCoord* conv = m_pLibGps ? m_pLibGps->GetCurrConvCoord() : nullptr;
    if (!conv)
        return;
    CWaitThread* attesa = CWaitThread::GetInstance();
    attesa->StartWait();
    conv->RipristinaTemp();
    attesa->EndWait();
}

BOOL CDlgPregeoRiga8Import::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Percorso.SubclassDlgItem(IDC_IMP_PERCORSO, this);
    m_Sfoglia.SubclassDlgItem(IDC_IMP_SFOGLIA, this);
    m_Provincia.SubclassDlgItem(IDC_IMP_PROVINCIA, this);
    m_Comune.SubclassDlgItem(IDC_IMP_COMUNE, this);
    m_pLibGps = m_pDati ? m_pDati->GetLibGps() : nullptr;

    const CImpostazioniCatasto s = LeggiImpostazioniCatasto();
    CheckRadioButton(IDC_IMP_DA_INTERNET, IDC_IMP_DA_FILE,
                     s.tipoSel == SORGENTE_WEB ? IDC_IMP_DA_INTERNET : IDC_IMP_DA_FILE);
    m_Percorso.SetWindowText(s.percorso);
    AggiornaSfoglia();

    m_Province.clear();
    for (const char16_t* codice : CodiciProvince()) {
        m_Province.emplace_back(codice);
        m_Provincia.AddString(codice);
    }
    const int provincia = SceltaIniziale(m_Province, s.provincia);
    m_Provincia.SetCurSel(provincia);
    const bool comuniLetti =
        CaricaComuni(provincia >= 0 ? m_Province[static_cast<std::size_t>(provincia)] : WString(), &s.comune);
    if (const std::optional<WString> avviso = AvvisoFileSupporto({{FILE_COMUNI, comuniLetti}}))
        CreateMessageBox(this, *avviso, TITOLO_AVVISO_SUPPORTO, MB_ICONEXCLAMATION);
    return TRUE;
}

// With a stored municipality the list opens on it (or on its second entry); after a change of province
// on its first entry. An entry the list does not have is not selected.
bool CDlgPregeoRiga8Import::CaricaComuni(const WString& provincia, const WString* scelto) {
    m_Comune.ResetContent();
    bool letto = false;
    m_Comuni = ComuniDellaProvincia(provincia, &letto);
    for (const WString& codice : m_Comuni)
        m_Comune.AddString(codice);
    const int indice = scelto ? SceltaIniziale(m_Comuni, *scelto) : (m_Comuni.empty() ? -1 : 0);
    m_Comune.SetCurSel(indice);
    return letto;
}

void CDlgPregeoRiga8Import::AggiornaSfoglia() {
    m_Sfoglia.EnableWindow(GetCheckedRadioButton(IDC_IMP_DA_INTERNET, IDC_IMP_DA_FILE) == IDC_IMP_DA_FILE);
}

void CDlgPregeoRiga8Import::OnSorgente(UINT) {
    AggiornaSfoglia();
}

void CDlgPregeoRiga8Import::OnSfoglia() {
    CFileDialog scelta(TRUE, u"taf", m_Percorso.GetWindowText(), OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                       kFiltroFile, this);
    if (scelta.DoModal() == IDOK)
        m_Percorso.SetWindowText(scelta.GetPathName());
}

void CDlgPregeoRiga8Import::OnProvincia() {
    const int i = m_Provincia.GetCurSel();
    CaricaComuni(i >= 0 && i < static_cast<int>(m_Province.size()) ? m_Province[static_cast<std::size_t>(i)]
                                                                   : WString(),
                 nullptr);
}

// The import reads its choices back from the settings: one that could not be written would send it to
// an old file or municipality. The host has told the user why; the dialog stays open.
void CDlgPregeoRiga8Import::SalvaEChiudi(int codice) {
    CIniFile ini;
    const bool web = GetCheckedRadioButton(IDC_IMP_DA_INTERNET, IDC_IMP_DA_FILE) == IDC_IMP_DA_INTERNET;
    const int p = m_Provincia.GetCurSel();
    const int c = m_Comune.GetCurSel();
    if (!ini.WriteShort(SEZIONE_CATASTO, CHIAVE_TIPO_SEL,
                        static_cast<short>(web ? SORGENTE_WEB : SORGENTE_FILE)) ||
        !ini.WriteString(SEZIONE_CATASTO, CHIAVE_PATH, m_Percorso.GetWindowText()) ||
        !ini.WriteString(SEZIONE_CATASTO, CHIAVE_PROVINCIA, p >= 0 ? m_Provincia.GetLBText(p) : WString()) ||
        !ini.WriteString(SEZIONE_CATASTO, CHIAVE_COMUNE, c >= 0 ? m_Comune.GetLBText(c) : WString()))
        return;
    EndDialog(codice);
}

void CDlgPregeoRiga8Import::OnImpAuto() {
    SalvaEChiudi(FINE_IMP_AUTO);
}

void CDlgPregeoRiga8Import::OnVicini() {
    SalvaEChiudi(FINE_PF_VICINI);
}

void CDlgPregeoRiga8Import::OnElenco() {
    SalvaEChiudi(FINE_DA_ELENCO);
}

void CDlgPregeoRiga8Import::OnAnnulla() {
    EndDialog(IDCANCEL);
}
