#include "editors/DlgPregeoRiga0.h"

#include "hostapi/Conversions.h"
#include "resources/IdRiga0Riga9.h"

namespace {

WString TestoScelto(const CComboBox& combo) {
    const int i = combo.GetCurSel();
    return i < 0 ? WString() : combo.GetLBText(i);
}

// The list's prefix selection, but an empty stored text chooses nothing: a new booklet must not open
// with the first entry quietly filled in.
void SelezionaPrefisso(CComboBox& combo, const WString& testo) {
    if (!testo.IsEmpty())
        combo.SelectString(-1, testo);
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// Page "Archivio"

BEGIN_MESSAGE_MAP(CDlgPregeoRiga0Archivio, CExDialog)
ON_CBN_SELCHANGE(IDC_ARCH_PROVINCIA, OnProvinciaCambiata)
END_MESSAGE_MAP()

CDlgPregeoRiga0Archivio::CDlgPregeoRiga0Archivio(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_RIGA0_ARCHIVIO, IDD_RIGA0_ARCHIVIO + 1,
                                            IDD_RIGA0_ARCHIVIO + 2, IDD_RIGA0_ARCHIVIO + 3),
                parent) {}

BOOL CDlgPregeoRiga0Archivio::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Tipo.SubclassDlgItem(IDC_ARCH_TIPO, this);
    m_Giorno.SubclassDlgItem(IDC_ARCH_GIORNO, this);
    m_Mese.SubclassDlgItem(IDC_ARCH_MESE, this);
    m_Anno.SubclassDlgItem(IDC_ARCH_ANNO, this);
    m_Protocollo.SubclassDlgItem(IDC_ARCH_PROTOCOLLO, this);
    m_Provincia.SubclassDlgItem(IDC_ARCH_PROVINCIA, this);
    m_Comune.SubclassDlgItem(IDC_ARCH_COMUNE, this);
    m_Foglio.SubclassDlgItem(IDC_ARCH_FOGLIO, this);
    m_Mappale.SubclassDlgItem(IDC_ARCH_MAPPALE, this);
    m_Tipo.AddString(u"Standard");
    m_Tipo.AddString(u"Modesta entità");
    return TRUE;
}

bool CDlgPregeoRiga0Archivio::CaricaComuni(const WString& provincia) {
    m_Comune.ResetContent();
    m_CodiciComuni.clear();
    CCtsComuni comuni;
    const bool letto = comuni.CaricaElenco(provincia);
    for (int i = 0; i < comuni.GetSize(); ++i) {
        const CCtsComuni::Comune& c = comuni.GetAt(i);
        m_Comune.AddString(WString::Formatted(u"%s %s", c.codice, c.nome));
        m_CodiciComuni.push_back(c.codice);
    }
    m_Comune.SetCurSel(-1);
    return letto;
}

void CDlgPregeoRiga0Archivio::Carica(const CCts& libretto, std::vector<CFileSupportoLetto>& supporto) {
    m_Provincia.ResetContent();
    m_CodiciProvince.clear();
    CFileSupportoLetto collegiLetto{FILE_COLLEGI};
    const std::vector<CProvinciaCollegio> collegi =
        CaricaCollegi(&collegiLetto.letto, &collegiLetto.righeScartate);
    supporto.push_back(collegiLetto);
    for (const CProvinciaCollegio& p : collegi) {
        m_Provincia.AddString(p.nome);
        m_CodiciProvince.push_back(p.codice);
    }
    const WString provincia = libretto.GetProvCm();
    for (std::size_t i = 0; i < m_CodiciProvince.size(); ++i)
        if (m_CodiciProvince[i] == provincia) {
            m_Provincia.SetCurSel(static_cast<int>(i));
            break;
        }
    supporto.push_back({FILE_COMUNI, CaricaComuni(provincia)});
    const WString comune = libretto.GetCdCm();
    for (std::size_t i = 0; i < m_CodiciComuni.size(); ++i)
        if (m_CodiciComuni[i] == comune) {
            m_Comune.SetCurSel(static_cast<int>(i));
            break;
        }
    m_Mappale.SetWindowText(libretto.GetMapp());
    m_Foglio.SetWindowText(libretto.GetFogl());
    m_Protocollo.SetWindowText(libretto.GetProt());
    m_Anno.SetWindowText(WString::Formatted(u"%d", AnnoDaMostrare(libretto.GetAnno())));
    m_Mese.SetWindowText(libretto.GetMese());
    m_Giorno.SetWindowText(libretto.GetGior());
    m_Tipo.SetCurSel(libretto.m_TipoLibretto == 1 ? 1 : 0);
}

void CDlgPregeoRiga0Archivio::OnProvinciaCambiata() {
    const int i = m_Provincia.GetCurSel();
    CaricaComuni(i >= 0 && i < static_cast<int>(m_CodiciProvince.size()) ? m_CodiciProvince[i] : WString());
}

CDatiArchivio CDlgPregeoRiga0Archivio::Leggi() const {
    CDatiArchivio d;
    d.tipo = m_Tipo.GetCurSel();
    d.giorno = m_Giorno.GetWindowText();
    d.mese = m_Mese.GetWindowText();
    d.anno = m_Anno.GetWindowText();
    d.protocollo = m_Protocollo.GetWindowText();
    const int p = m_Provincia.GetCurSel();
    if (p >= 0 && p < static_cast<int>(m_CodiciProvince.size()))
        d.codiceProvincia = m_CodiciProvince[p];
    const int c = m_Comune.GetCurSel();
    if (c >= 0 && c < static_cast<int>(m_CodiciComuni.size()))
        d.codiceComune = m_CodiciComuni[c];
    d.foglio = m_Foglio.GetWindowText();
    d.mappale = m_Mappale.GetWindowText();
    return d;
}

// ---------------------------------------------------------------------------------------------------
// Page "Tecnico"

CDlgPregeoRiga0Tecnico::CDlgPregeoRiga0Tecnico(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_RIGA0_TECNICO, IDD_RIGA0_TECNICO + 1, IDD_RIGA0_TECNICO + 2,
                                            IDD_RIGA0_TECNICO + 3),
                parent) {}

BOOL CDlgPregeoRiga0Tecnico::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Nome.SubclassDlgItem(IDC_TEC_NOME, this);
    m_Cognome.SubclassDlgItem(IDC_TEC_COGNOME, this);
    m_Qualifica.SubclassDlgItem(IDC_TEC_QUALIFICA, this);
    m_Iscrizione.SubclassDlgItem(IDC_TEC_ISCRIZIONE, this);
    m_CodiceFiscale.SubclassDlgItem(IDC_TEC_CODICE_FISCALE, this);
    m_Provincia.SubclassDlgItem(IDC_TEC_PROVINCIA, this);
    return TRUE;
}

void CDlgPregeoRiga0Tecnico::Carica(const CCts& libretto) {
    m_Provincia.ResetContent();
    for (const CProvinciaCollegio& p : CaricaCollegi())
        m_Provincia.AddString(p.nome);
    m_Qualifica.ResetContent();
    for (const WString& q : QualificheTecnico())
        m_Qualifica.AddString(q);
    m_Nome.SetWindowText(libretto.GetTcnN());
    m_Cognome.SetWindowText(libretto.GetTcnC());
    m_Iscrizione.SetWindowText(libretto.GetTcnNIscr());
    m_CodiceFiscale.SetWindowText(libretto.GetTcnCF());
    SelezionaPrefisso(m_Provincia, libretto.GetProv());
    SelezionaPrefisso(m_Qualifica, libretto.GetQual());
}

CDatiTecnico CDlgPregeoRiga0Tecnico::Leggi() const {
    CDatiTecnico d;
    d.nome = m_Nome.GetWindowText();
    d.cognome = m_Cognome.GetWindowText();
    d.qualifica = TestoScelto(m_Qualifica);
    d.iscrizione = m_Iscrizione.GetWindowText();
    d.codiceFiscale = m_CodiceFiscale.GetWindowText();
    d.provincia = TestoScelto(m_Provincia);
    return d;
}

// ---------------------------------------------------------------------------------------------------
// The dialog

BEGIN_MESSAGE_MAP(CDlgPregeoRiga0, CExDialog)
ON_BN_CLICKED(IDC_RIGA0_OK, OnOk)
ON_BN_CLICKED(IDC_RIGA0_ANNULLA, OnAnnulla)
ON_NOTIFY(TCN_SELCHANGE, IDC_RIGA0_TAB, OnTab)
END_MESSAGE_MAP()

CDlgPregeoRiga0::CDlgPregeoRiga0(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_RIGA0, IDD_RIGA0 + 1, IDD_RIGA0 + 2, IDD_RIGA0 + 3), parent),
      m_Archivio(this), m_Tecnico(this) {}

BOOL CDlgPregeoRiga0::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Pagina = -1;
    m_Tab.SubclassDlgItem(IDC_RIGA0_TAB, this);
    m_Ok.SubclassDlgItem(IDC_RIGA0_OK, this);
    m_Annulla.SubclassDlgItem(IDC_RIGA0_ANNULLA, this);
    m_Ok.SetBtnColor(0, 2);
    m_Annulla.SetBtnColor(0, 2);
    CRect cornice;
    CWnd* frame = GetDlgItem(IDC_RIGA0_CORNICE);
    frame->GetWindowRect(&cornice);
    ScreenToClient(&cornice);
    m_Tab.InsertItem(0, u"Archivio");
    m_Tab.InsertItem(1, u"Tecnico");

    m_Archivio.Create(m_Archivio.GetTemplateId(), this);
    m_Archivio.SetWindowedMode(cornice);
    m_Archivio.ShowWindow(SW_HIDE);
    m_Tecnico.Create(m_Tecnico.GetTemplateId(), this);
    m_Tecnico.SetWindowedMode(cornice);
    m_Tecnico.ShowWindow(SW_HIDE);
    frame->ShowWindow(SW_HIDE);

    std::vector<CFileSupportoLetto> supporto;
    if (m_pCts) {
        m_Archivio.Carica(*m_pCts, supporto);
        m_Tecnico.Carica(*m_pCts);
    }
    m_Tab.SetCurSel(0);
    MostraPagina(0);
    if (const std::optional<WString> avviso = AvvisoFileSupporto(supporto))
        CreateMessageBox(this, *avviso, TITOLO_AVVISO_SUPPORTO, MB_ICONEXCLAMATION);
    return TRUE;
}

void CDlgPregeoRiga0::MostraPagina(int pagina) {
    if (pagina == m_Pagina)
        return;
    if (pagina == 0) {
        m_Tecnico.ShowWindow(SW_HIDE);
        m_Archivio.ShowWindow(SW_SHOW);
    } else if (pagina == 1) {
        m_Archivio.ShowWindow(SW_HIDE);
        m_Tecnico.ShowWindow(SW_SHOW);
    } else {
        return;
    }
    m_Pagina = pagina;
}

void CDlgPregeoRiga0::OnTab(NMHDR*, LRESULT*) {
    MostraPagina(m_Tab.GetCurSel());
}

void CDlgPregeoRiga0::OnOk() {
    const CDatiArchivio archivio = m_Archivio.Leggi();
    const CDatiTecnico tecnico = m_Tecnico.Leggi();
    // The page shown stays as it is: a refusal names its field without switching tabs.
    std::optional<CRifiuto> rifiuto = ValidaArchivio(archivio);
    if (!rifiuto)
        rifiuto = ValidaTecnico(tecnico);
    if (rifiuto) {
        CreateMessageBox(this, rifiuto->testo, TITOLO_RIGA0, rifiuto->icona);
        return;
    }
    if (m_pCts) {
        SalvaArchivio(archivio, *m_pCts);
        SalvaTecnico(tecnico, *m_pCts);
    }
    EndDialog(IDOK);
}

void CDlgPregeoRiga0::OnAnnulla() {
    EndDialog(IDCANCEL);
}
