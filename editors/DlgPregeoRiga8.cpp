#include "editors/DlgPregeoRiga8.h"

#include "pfimport/PregeoImportPF.h"
#include "resources/IdElencoRighe.h"
#include "resources/IdRiga8.h"

namespace {

COri* Punto(LPARAM elemento) {
    return reinterpret_cast<COri*>(elemento);
}

UINT IdTipoUtente(short tipo) {
    return IDC_TIPO_RIF_FRAZIONE + static_cast<UINT>(tipo);
}

// A disabled edit takes no typing either.
void AbilitaEdit(CEdit& edit, bool abilita) {
    edit.EnableWindow(abilita ? TRUE : FALSE);
    edit.SetReadOnly(abilita ? FALSE : TRUE);
}

void RiempiAttendib(CComboBox& combo, int massima, int selezione) {
    combo.ResetContent();
    for (int i = 1; i <= massima; ++i)
        combo.AddString(WString::Formatted(u"%d", i));
    combo.SetCurSel(selezione);
}

UINT Modello(UINT id) {
    return CPalmDevice::SelectIdDlgStd(id, id + 1, id + 2, id + 3);
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// Pages

CDlgPregeoRiga8Pagina::CDlgPregeoRiga8Pagina(UINT idTemplate, CWnd* parent)
    : CExDialog(Modello(idTemplate), parent) {}

bool CDlgPregeoRiga8Pagina::Accetta(const std::optional<CRifiuto>& rifiuto) {
    if (!rifiuto)
        return true;
    CreateMessageBox(this, rifiuto->testo, TITOLO_RIGA8, rifiuto->icona);
    return false;
}

// ---------------------------------------------------------------------------------------------------
// Step 1: the type

BEGIN_MESSAGE_MAP(CDlgPregeoRiga8Tipo, CExDialog)
ON_BN_CLICKED(IDC_TIPO_FIDUCIALE, OnFiduciale)
ON_BN_CLICKED(IDC_TIPO_UTENTE, OnUtente)
ON_CONTROL_RANGE(BN_CLICKED, IDC_TIPO_RIF_FRAZIONE, IDC_TIPO_AUSILIARIO, OnTipoUtente)
END_MESSAGE_MAP()

CDlgPregeoRiga8Tipo::CDlgPregeoRiga8Tipo(CWnd* parent) : CDlgPregeoRiga8Pagina(IDD_RIGA8_TIPO, parent) {}

BOOL CDlgPregeoRiga8Tipo::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Nome.SubclassDlgItem(IDC_TIPO_NOME, this);
    return TRUE;
}

void CDlgPregeoRiga8Tipo::MostraTipoUtente(short tipo, bool abilita) {
    for (short t = TIPO_PUNTO_RIF_FRAZIONE; t <= TIPO_PUNTO_AUSILIARIO; ++t) {
        CheckDlgButton(IdTipoUtente(t), t == tipo ? BST_CHECKED : BST_UNCHECKED);
        if (CWnd* radio = GetDlgItem(IdTipoUtente(t)))
            radio->EnableWindow(abilita ? TRUE : FALSE);
    }
}

void CDlgPregeoRiga8Tipo::CaricaDaPunto() {
    if (!m_pPunto)
        return;
    const CDatiTipo d = CaricaTipo(*m_pPunto);
    m_Nome.SetWindowText(d.nome);
    CheckRadioButton(IDC_TIPO_FIDUCIALE, IDC_TIPO_UTENTE, d.fiduciale ? IDC_TIPO_FIDUCIALE : IDC_TIPO_UTENTE);
    MostraTipoUtente(d.tipoUtente, !d.fiduciale);
    CheckDlgButton(IDC_TIPO_NP, d.np ? BST_CHECKED : BST_UNCHECKED);
}

CDatiTipo CDlgPregeoRiga8Tipo::Dati() const {
    CDatiTipo d;
    d.nome = m_Nome.GetWindowText();
    d.fiduciale = IsDlgButtonChecked(IDC_TIPO_FIDUCIALE) == BST_CHECKED;
    for (short t = TIPO_PUNTO_RIF_FRAZIONE; t <= TIPO_PUNTO_AUSILIARIO && d.tipoUtente < 0; ++t)
        if (IsDlgButtonChecked(IdTipoUtente(t)) == BST_CHECKED)
            d.tipoUtente = t;
    d.np = IsDlgButtonChecked(IDC_TIPO_NP) == BST_CHECKED;
    return d;
}

void CDlgPregeoRiga8Tipo::SalvaInPunto() {
    if (m_pPunto)
        SalvaTipo(Dati(), *m_pPunto);
}

bool CDlgPregeoRiga8Tipo::Valida() {
    return Accetta(ValidaTipo(Dati()));
}

void CDlgPregeoRiga8Tipo::OnFiduciale() {
    if (m_pPunto)
        ImpostaNotaPlanimetrica(*m_pPunto, WString());
    MostraTipoUtente(-1, false);
}

void CDlgPregeoRiga8Tipo::OnUtente() {
    if (!m_pPunto)
        return;
    const short tipo = TipoUtenteScelto(m_pPunto->GetTipoPunto());
    MostraTipoUtente(tipo, true);
    ImpostaNotaPlanimetrica(*m_pPunto, NotaDelTipoUtente(tipo));
}

void CDlgPregeoRiga8Tipo::OnTipoUtente(UINT id) {
    if (m_pPunto)
        ImpostaNotaPlanimetrica(*m_pPunto, NotaDelTipoUtente(static_cast<short>(id - IDC_TIPO_RIF_FRAZIONE)));
}

// ---------------------------------------------------------------------------------------------------
// Step 2: planimetry

BEGIN_MESSAGE_MAP(CDlgPregeoRiga8Plan, CExDialog)
ON_BN_CLICKED(IDC_PLAN_VALIDO, OnValido)
ON_EN_CHANGE(IDC_PLAN_ANNO, OnRiferimento)
ON_EN_CHANGE(IDC_PLAN_PROTOCOLLO, OnRiferimento)
ON_EN_CHANGE(IDC_PLAN_IDENTIF, OnRiferimento)
END_MESSAGE_MAP()

CDlgPregeoRiga8Plan::CDlgPregeoRiga8Plan(CWnd* parent) : CDlgPregeoRiga8Pagina(IDD_RIGA8_PLAN, parent) {}

BOOL CDlgPregeoRiga8Plan::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Nome.SubclassDlgItem(IDC_PLAN_NOME, this);
    m_Nord.SubclassDlgItem(IDC_PLAN_NORD, this);
    m_Est.SubclassDlgItem(IDC_PLAN_EST, this);
    m_Attendib.SubclassDlgItem(IDC_PLAN_ATTENDIB, this);
    m_Nota.SubclassDlgItem(IDC_PLAN_NOTA, this);
    m_Anno.SubclassDlgItem(IDC_PLAN_ANNO, this);
    m_Protocollo.SubclassDlgItem(IDC_PLAN_PROTOCOLLO, this);
    m_Identif.SubclassDlgItem(IDC_PLAN_IDENTIF, this);
    return TRUE;
}

void CDlgPregeoRiga8Plan::CaricaDaPunto() {
    if (!m_pPunto)
        return;
    // The note shows as stored: setting the three fields must not rewrite it.
    m_Caricamento = true;
    bool rifLetto = false;
    const CDatiPlan d = CaricaPlan(*m_pPunto, &rifLetto);
    m_Nome.SetWindowText(m_pPunto->GetNome());
    CheckDlgButton(IDC_PLAN_VALIDO, d.valido ? BST_CHECKED : BST_UNCHECKED);
    m_Nord.SetWindowText(d.nord);
    m_Est.SetWindowText(d.est);
    RiempiAttendib(m_Attendib, 88, d.attendib);
    m_Nota.SetWindowText(d.nota);
    if (rifLetto) {
        m_Anno.SetWindowText(d.rif.anno);
        m_Protocollo.SetWindowText(d.rif.protocollo);
        m_Identif.SetWindowText(d.rif.identificativo);
    }
    m_Caricamento = false;
    Abilita();
}

void CDlgPregeoRiga8Plan::Abilita() {
    const CAbilitaPlan a = AbilitazioniPlan(IsDlgButtonChecked(IDC_PLAN_VALIDO) == BST_CHECKED,
                                            m_pPunto ? m_pPunto->GetTipoPunto() : TIPO_PUNTO_FIDUCIALE);
    AbilitaEdit(m_Nord, a.coordinate);
    AbilitaEdit(m_Est, a.coordinate);
    m_Attendib.EnableWindow(a.attendib ? TRUE : FALSE);
    AbilitaEdit(m_Nota, a.nota);
    AbilitaEdit(m_Anno, a.riferimento);
    AbilitaEdit(m_Protocollo, a.riferimento);
    AbilitaEdit(m_Identif, a.riferimento);
}

CDatiPlan CDlgPregeoRiga8Plan::Dati() const {
    CDatiPlan d;
    d.valido = IsDlgButtonChecked(IDC_PLAN_VALIDO) == BST_CHECKED;
    d.nord = m_Nord.GetWindowText();
    d.est = m_Est.GetWindowText();
    d.attendib = m_Attendib.GetCurSel();
    d.nota = m_Nota.GetWindowText();
    d.rif = {m_Anno.GetWindowText(), m_Protocollo.GetWindowText(), m_Identif.GetWindowText()};
    return d;
}

void CDlgPregeoRiga8Plan::SalvaInPunto() {
    if (m_pPunto)
        SalvaPlan(Dati(), *m_pPunto);
}

bool CDlgPregeoRiga8Plan::Valida() {
    return !m_pPunto || Accetta(ValidaPlan(m_pPunto->GetTipoPunto(), Dati()));
}

void CDlgPregeoRiga8Plan::OnValido() {
    Abilita();
}

void CDlgPregeoRiga8Plan::OnRiferimento() {
    if (m_Caricamento || !m_pPunto || m_pPunto->GetTipoPunto() != TIPO_PUNTO_RIF_FRAZIONE)
        return;
    m_Nota.SetWindowText(ScriviRiferimento(Dati().rif));
}

// ---------------------------------------------------------------------------------------------------
// Step 3: altimetry

BEGIN_MESSAGE_MAP(CDlgPregeoRiga8Alt, CExDialog)
ON_BN_CLICKED(IDC_ALT_VALIDO, OnValido)
END_MESSAGE_MAP()

CDlgPregeoRiga8Alt::CDlgPregeoRiga8Alt(CWnd* parent) : CDlgPregeoRiga8Pagina(IDD_RIGA8_ALT, parent) {}

BOOL CDlgPregeoRiga8Alt::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Nome.SubclassDlgItem(IDC_ALT_NOME, this);
    m_Quota.SubclassDlgItem(IDC_ALT_QUOTA, this);
    m_Attendib.SubclassDlgItem(IDC_ALT_ATTENDIB, this);
    m_Nota.SubclassDlgItem(IDC_ALT_NOTA, this);
    return TRUE;
}

void CDlgPregeoRiga8Alt::CaricaDaPunto() {
    if (!m_pPunto)
        return;
    const CDatiAlt d = CaricaAlt(*m_pPunto);
    m_Nome.SetWindowText(m_pPunto->GetNome());
    CheckDlgButton(IDC_ALT_VALIDO, d.valido ? BST_CHECKED : BST_UNCHECKED);
    m_Quota.SetWindowText(d.quota);
    RiempiAttendib(m_Attendib, 4, d.attendib);
    m_Nota.SetWindowText(d.nota);
    Abilita();
}

void CDlgPregeoRiga8Alt::Abilita() {
    const bool valido = IsDlgButtonChecked(IDC_ALT_VALIDO) == BST_CHECKED;
    AbilitaEdit(m_Quota, valido);
    m_Attendib.EnableWindow(valido ? TRUE : FALSE);
    AbilitaEdit(m_Nota, valido);
}

CDatiAlt CDlgPregeoRiga8Alt::Dati() const {
    CDatiAlt d;
    d.valido = IsDlgButtonChecked(IDC_ALT_VALIDO) == BST_CHECKED;
    d.quota = m_Quota.GetWindowText();
    d.attendib = m_Attendib.GetCurSel();
    d.nota = m_Nota.GetWindowText();
    return d;
}

void CDlgPregeoRiga8Alt::SalvaInPunto() {
    if (m_pPunto)
        SalvaAlt(Dati(), *m_pPunto);
}

bool CDlgPregeoRiga8Alt::Valida() {
    return Accetta(ValidaAlt(Dati()));
}

void CDlgPregeoRiga8Alt::OnValido() {
    Abilita();
}

// ---------------------------------------------------------------------------------------------------
// "Riga 8"

BEGIN_MESSAGE_MAP(CDlgPregeoRiga8Punto, CExDialog)
ON_BN_CLICKED(IDC_RIGA8_INDIETRO, OnIndietro)
ON_BN_CLICKED(IDC_RIGA8_AVANTI, OnAvanti)
ON_BN_CLICKED(IDC_RIGA8_ANNULLA, OnCancel)
END_MESSAGE_MAP()

CDlgPregeoRiga8Punto::CDlgPregeoRiga8Punto(CWnd* parent)
    : CExDialog(Modello(IDD_RIGA8), parent), m_Tipo(this), m_Plan(this), m_Alt(this) {}

CDlgPregeoRiga8Pagina& CDlgPregeoRiga8Punto::Pagina(int passo) {
    if (passo == 0)
        return m_Tipo;
    if (passo == 1)
        return m_Plan;
    return m_Alt;
}

BOOL CDlgPregeoRiga8Punto::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Passo = -1;
    if (m_pPunto)
        m_Copia = *m_pPunto;
    CRect cornice;
    if (CWnd* frame = GetDlgItem(IDC_RIGA8_CORNICE)) {
        frame->GetWindowRect(&cornice);
        ScreenToClient(&cornice);
    }
    for (int passo = 0; passo < PASSI; ++passo) {
        CDlgPregeoRiga8Pagina& pagina = Pagina(passo);
        pagina.Create(pagina.GetTemplateId(), this);
        pagina.SetWindowedMode(cornice);
        pagina.ShowWindow(SW_HIDE);
        pagina.ImpostaPunto(&m_Copia);
    }
    MostraPasso(0);
    return TRUE;
}

void CDlgPregeoRiga8Punto::MostraPasso(int passo) {
    if (m_Passo >= 0) {
        Pagina(m_Passo).SalvaInPunto();
        Pagina(m_Passo).ShowWindow(SW_HIDE);
    }
    m_Passo = passo;
    Pagina(passo).ShowWindow(SW_SHOW);
    Pagina(passo).CaricaDaPunto();
    if (CWnd* indietro = GetDlgItem(IDC_RIGA8_INDIETRO))
        indietro->EnableWindow(passo > 0 ? TRUE : FALSE);
    SetDlgItemText(IDC_RIGA8_AVANTI, passo == PASSI - 1 ? u"OK" : u">>");
}

void CDlgPregeoRiga8Punto::OnIndietro() {
    if (m_Passo > 0)
        MostraPasso(m_Passo - 1);
}

void CDlgPregeoRiga8Punto::OnAvanti() {
    if (!m_pPunto || m_Passo < 0 || !Pagina(m_Passo).Valida())
        return;
    if (m_Passo < PASSI - 1) {
        MostraPasso(m_Passo + 1);
        return;
    }
    Pagina(m_Passo).SalvaInPunto();
    CopiaPuntoRiga8(m_Copia, *m_pPunto);
    EndDialog(IDOK);
}

// ---------------------------------------------------------------------------------------------------
// "Righe 8"

BEGIN_MESSAGE_MAP(CDlgPregeoRiga8, CDlgElencoRighe)
ON_BN_CLICKED(IDC_RIGHE8_IMPORTA, OnImporta)
END_MESSAGE_MAP()

CDlgPregeoRiga8::CDlgPregeoRiga8(CWnd* parent)
    : CDlgElencoRighe(IDD_RIGHE8, parent, DOMANDA_ELIMINA_RIGHE8,
                      {{u"Nome.", 60}, {u"Nord", 60}, {u"Est", 60}, {u"Quota", 60}}) {}

void CDlgPregeoRiga8::Imposta(ICarviloDati* dati) {
    m_pDati = dati;
    m_pLibreria = dati ? dati->GetLibConOri() : nullptr;
}

void CDlgPregeoRiga8::Riempi() {
    if (!m_pLibreria)
        return;
    // Points coded NP stay in the library, out of the list.
    for (int i = 0; i < m_pLibreria->GetOriArSize(); ++i)
        if (COri* p = m_pLibreria->GetOriAt(i); p && !p->IsCodedNP())
            AggiungiRiga(reinterpret_cast<LPARAM>(p), DatiLineaRiga8(*p));
}

bool CDlgPregeoRiga8::ModificaPunto(COri* punto) {
    CDlgPregeoRiga8Punto dlg(this);
    dlg.Imposta(punto);
    return dlg.DoModal() == IDOK;
}

void CDlgPregeoRiga8::Modifica(int riga) {
    COri* p = Punto(Elemento(riga));
    if (p && ModificaPunto(p)) {
        ScriviDati(riga, DatiLineaRiga8(*p));
        AdattaColonne();
    }
}

void CDlgPregeoRiga8::EliminaElemento(LPARAM elemento) {
    if (m_pLibreria)
        RimuoviPunto(*m_pLibreria, Punto(elemento));
}

void CDlgPregeoRiga8::Aggiungi() {
    if (!m_pLibreria)
        return;
    COri* nuovo = m_pLibreria->AddOri(true);
    if (!nuovo)
        return;
    if (ModificaPunto(nuovo)) {
        AggiungiRiga(reinterpret_cast<LPARAM>(nuovo), DatiLineaRiga8(*nuovo));
        AdattaColonne();
        return;
    }
    // The point added, wherever the host put it.
    RimuoviPunto(*m_pLibreria, nuovo);
}

void CDlgPregeoRiga8::OnImporta() {
    if (!m_pDati)
        return;
    CPregeoImportPF importazione(this, m_pDati);
    if (!importazione.Esegui())
        return;
    Svuota();
    Riempi();
    AdattaColonne();
}
