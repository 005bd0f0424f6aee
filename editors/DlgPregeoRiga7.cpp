#include "editors/DlgPregeoRiga7.h"

#include "resources/IdRighe.h"

namespace {

CRig* Riga(LPARAM elemento) {
    return reinterpret_cast<CRig*>(elemento);
}

std::vector<WString> DatiLinea(const CRig& riga) {
    return {WString::Formatted(u"%d", riga.GetVrtArSize()), InizioRiga7(riga), FineRiga7(riga),
            StatoRiga7(riga)};
}

void AbilitaControlli(CWnd* dialogo, std::initializer_list<UINT> ids, bool abilita) {
    for (UINT id : ids)
        if (CWnd* c = dialogo->GetDlgItem(id))
            c->EnableWindow(abilita ? TRUE : FALSE);
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// Page "Poligonale"

CDlgPregeoRiga7Particella::CDlgPregeoRiga7Particella(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_RIGA7_PARTICELLA, IDD_RIGA7_PARTICELLA + 1,
                                            IDD_RIGA7_PARTICELLA + 2, IDD_RIGA7_PARTICELLA + 3),
                parent) {}

BOOL CDlgPregeoRiga7Particella::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Particella.SubclassDlgItem(IDC_PART_PARTICELLA, this);
    m_Madre.SubclassDlgItem(IDC_PART_MADRE, this);
    m_SupCart.SubclassDlgItem(IDC_PART_SUP_CART, this);
    m_SupCens.SubclassDlgItem(IDC_PART_SUP_CENS, this);
    m_SupCart.SetReadOnly(TRUE);
    return TRUE;
}

void CDlgPregeoRiga7Particella::Carica(const CRig& riga) {
    const CDatiParticella d = DatiParticella(riga);
    m_Particella.SetWindowText(d.particella);
    m_Madre.SetWindowText(d.madre);
    m_SupCart.SetWindowText(TestoSupCart(riga));
    m_SupCens.SetWindowText(d.supCens);
    CheckRadioButton(IDC_PART_NOMINALE, IDC_PART_REALE, d.reale ? IDC_PART_REALE : IDC_PART_NOMINALE);
}

void CDlgPregeoRiga7Particella::Salva(CRig& riga) const {
    CDatiParticella d;
    d.particella = m_Particella.GetWindowText();
    d.madre = m_Madre.GetWindowText();
    d.supCens = m_SupCens.GetWindowText();
    d.reale = IsDlgButtonChecked(IDC_PART_REALE) == BST_CHECKED;
    SalvaParticella(d, riga);
}

void CDlgPregeoRiga7Particella::Abilita(bool abilita) {
    AbilitaControlli(
        this, {IDC_PART_PARTICELLA, IDC_PART_MADRE, IDC_PART_SUP_CENS, IDC_PART_NOMINALE, IDC_PART_REALE},
        abilita);
}

// ---------------------------------------------------------------------------------------------------
// Page "Segmenti"

BEGIN_MESSAGE_MAP(CDlgPregeoRiga7Segmenti, CExDialog)
ON_BN_CLICKED(IDC_SEG_INDIETRO, OnIndietro)
ON_BN_CLICKED(IDC_SEG_AVANTI, OnAvanti)
END_MESSAGE_MAP()

CDlgPregeoRiga7Segmenti::CDlgPregeoRiga7Segmenti(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_RIGA7_SEGMENTI, IDD_RIGA7_SEGMENTI + 1,
                                            IDD_RIGA7_SEGMENTI + 2, IDD_RIGA7_SEGMENTI + 3),
                parent) {}

BOOL CDlgPregeoRiga7Segmenti::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Colore.SubclassDlgItem(IDC_SEG_COLORE, this);
    m_Linea.SubclassDlgItem(IDC_SEG_LINEA, this);
    for (const char16_t* colore : {u"Nero", u"Rosso", u"Verde"})
        m_Colore.AddString(colore);
    for (const char16_t* linea : {u"Continua", u"Punteggiata", u"Tratteggiata"})
        m_Linea.AddString(linea);
    return TRUE;
}

void CDlgPregeoRiga7Segmenti::Carica(CRig& riga) {
    m_Segmenti = CSegmentiRiga7(&riga);
    MostraSegmento();
}

void CDlgPregeoRiga7Segmenti::MostraSegmento() {
    const bool segmenti = m_Segmenti.Numero() > 0;
    SetDlgItemText(IDC_SEG_CONTATORE, m_Segmenti.Contatore());
    if (CWnd* contatore = GetDlgItem(IDC_SEG_CONTATORE))
        contatore->ShowWindow(segmenti ? SW_SHOW : SW_HIDE);
    SetDlgItemText(IDC_SEG_INIZIO, m_Segmenti.Inizio());
    SetDlgItemText(IDC_SEG_FINE, m_Segmenti.Fine());
    m_Colore.SetCurSel(m_Segmenti.Colore());
    m_Linea.SetCurSel(m_Segmenti.Linea());
    AbilitaControlli(this, {IDC_SEG_INDIETRO}, m_Abilitata && m_Segmenti.HaPrecedente());
    AbilitaControlli(this, {IDC_SEG_AVANTI}, m_Abilitata && m_Segmenti.HaSuccessivo());
    AbilitaControlli(this, {IDC_SEG_COLORE, IDC_SEG_LINEA}, m_Abilitata && segmenti);
}

void CDlgPregeoRiga7Segmenti::Salva() {
    m_Segmenti.Imposta(m_Colore.GetCurSel(), m_Linea.GetCurSel());
}

void CDlgPregeoRiga7Segmenti::Abilita(bool abilita) {
    m_Abilitata = abilita;
    MostraSegmento();
}

void CDlgPregeoRiga7Segmenti::OnIndietro() {
    Salva();
    m_Segmenti.Precedente();
    MostraSegmento();
}

void CDlgPregeoRiga7Segmenti::OnAvanti() {
    Salva();
    m_Segmenti.Successivo();
    MostraSegmento();
}

// ---------------------------------------------------------------------------------------------------
// "Riga 7"

BEGIN_MESSAGE_MAP(CDlgPregeoRiga7, CExDialog)
ON_BN_CLICKED(IDC_RIGA7_POLIGONALE, OnPoligonale)
ON_BN_CLICKED(IDC_RIGA7_ISOLATO, OnIsolato)
ON_NOTIFY(TCN_SELCHANGE, IDC_RIGA7_TAB, OnTab)
ON_BN_CLICKED(IDC_RIGA7_OK, OnOk)
ON_BN_CLICKED(IDC_RIGA7_ANNULLA, OnCancel)
END_MESSAGE_MAP()

CDlgPregeoRiga7::CDlgPregeoRiga7(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_RIGA7, IDD_RIGA7 + 1, IDD_RIGA7 + 2, IDD_RIGA7 + 3), parent),
      m_Particella(this), m_Segmenti(this) {}

BOOL CDlgPregeoRiga7::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Pagina = -1;
    m_Tab.SubclassDlgItem(IDC_RIGA7_TAB, this);
    m_Punto.SubclassDlgItem(IDC_RIGA7_PUNTO, this);
    m_Tab.InsertItem(0, u"Poligonale");
    m_Tab.InsertItem(1, u"Segmenti");
    CRect cornice;
    CWnd* frame = GetDlgItem(IDC_RIGA7_CORNICE);
    frame->GetWindowRect(&cornice);
    ScreenToClient(&cornice);
    m_Particella.Create(m_Particella.GetTemplateId(), this);
    m_Particella.SetWindowedMode(cornice);
    m_Particella.ShowWindow(SW_HIDE);
    m_Segmenti.Create(m_Segmenti.GetTemplateId(), this);
    m_Segmenti.SetWindowedMode(cornice);
    m_Segmenti.ShowWindow(SW_HIDE);
    frame->ShowWindow(SW_HIDE);
    if (!m_pRiga)
        return TRUE;

    m_Copia = *m_pRiga;
    m_Particella.Carica(m_Copia);
    m_Segmenti.Carica(m_Copia);
    const bool isolato = IsPuntoIsolato(m_Copia);
    CheckRadioButton(IDC_RIGA7_POLIGONALE, IDC_RIGA7_ISOLATO,
                     isolato ? IDC_RIGA7_ISOLATO : IDC_RIGA7_POLIGONALE);
    const bool direzione = isolato && m_Copia.GetVrtAt(0)->m_TipoLinea != LINEA_VERTICE;
    CheckRadioButton(IDC_RIGA7_VERTICE, IDC_RIGA7_DIREZIONE,
                     direzione ? IDC_RIGA7_DIREZIONE : IDC_RIGA7_VERTICE);
    // An isolated point stays one.
    AbilitaControlli(this, {IDC_RIGA7_POLIGONALE}, !isolato);
    MostraPagina(0);
    ImpostaModo(isolato);
    if (isolato)
        MostraNome(m_Punto, m_Copia.GetVrtAt(0)->GetNome());
    return TRUE;
}

void CDlgPregeoRiga7::ImpostaModo(bool isolato) {
    AbilitaControlli(this, {IDC_RIGA7_TAB}, !isolato);
    m_Particella.Abilita(!isolato);
    m_Segmenti.Abilita(!isolato);
    AbilitaControlli(this, {IDC_RIGA7_PUNTO, IDC_RIGA7_VERTICE, IDC_RIGA7_DIREZIONE}, isolato);
    if (isolato)
        RiempiNomi(m_Punto, NomiIndice(IndiceRilievo(m_Rilievo), 1));
}

void CDlgPregeoRiga7::OnPoligonale() {
    ImpostaModo(false);
}

void CDlgPregeoRiga7::OnIsolato() {
    ImpostaModo(true);
}

void CDlgPregeoRiga7::SalvaPagina() {
    if (m_Pagina == 0)
        m_Particella.Salva(m_Copia);
    else if (m_Pagina == 1)
        m_Segmenti.Salva();
}

void CDlgPregeoRiga7::MostraPagina(int pagina) {
    if (pagina == m_Pagina || pagina < 0 || pagina > 1)
        return;
    SalvaPagina();
    if (pagina == 0) {
        m_Segmenti.ShowWindow(SW_HIDE);
        m_Particella.Carica(m_Copia);
        m_Particella.ShowWindow(SW_SHOW);
    } else {
        m_Particella.ShowWindow(SW_HIDE);
        m_Segmenti.Carica(m_Copia);
        m_Segmenti.ShowWindow(SW_SHOW);
    }
    m_Pagina = pagina;
}

void CDlgPregeoRiga7::OnTab(NMHDR*, LRESULT*) {
    MostraPagina(m_Tab.GetCurSel());
}

void CDlgPregeoRiga7::OnOk() {
    if (!m_pRiga)
        return;
    if (IsDlgButtonChecked(IDC_RIGA7_ISOLATO) == BST_CHECKED) {
        if (m_Copia.GetVrtArSize() > 1 &&
            CreateMessageBox(
                this,
                u"Trasformare la riga 7 in un punto isolato?\nProcedendo si elimineranno i dati della "
                u"poligonale.",
                u"Pregeo", MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        TrasformaInPuntoIsolato(m_Copia, m_Punto.GetWindowText(),
                                IsDlgButtonChecked(IDC_RIGA7_VERTICE) == BST_CHECKED);
    } else {
        SalvaPagina();
    }
    *m_pRiga = m_Copia;
    EndDialog(IDOK);
}

// ---------------------------------------------------------------------------------------------------
// "Righe 7"

CDlgPregeoRighe7::CDlgPregeoRighe7(CWnd* parent)
    : CDlgElencoRighe(IDD_RIGHE7, parent, u"Procedere con l'eliminazione delle righe 7?",
                      {{u"N.Vert.", 30}, {u"Inizio", 60}, {u"Fine", 60}, {u"Stato", 60}}) {}

void CDlgPregeoRighe7::Riempi() {
    if (!m_pCts)
        return;
    const CCtsRigArray& vista = m_pCts->m_Righe7;
    for (int i = 0; i < vista.GetRigArSize(); ++i)
        if (CRig* r = vista.GetRigAt(i); r->GetTipoRiga() == '7')
            AggiungiRiga(reinterpret_cast<LPARAM>(r), DatiLinea(*r));
}

void CDlgPregeoRighe7::Modifica(int riga) {
    CRig* r = Riga(Elemento(riga));
    if (!r)
        return;
    CDlgPregeoRiga7 dlg(this);
    dlg.Imposta(r, RilievoDa(m_pCts, m_pDati));
    if (dlg.DoModal() == IDOK) {
        ScriviDati(riga, DatiLinea(*r));
        AdattaColonne();
    }
}

void CDlgPregeoRighe7::EliminaElemento(LPARAM elemento) {
    int indice = -1;
    if (m_pCts && m_pCts->m_Righe7.GetIndiciDiRig(Riga(elemento), indice))
        m_pCts->m_Righe7.DelRigAt(indice);
}
