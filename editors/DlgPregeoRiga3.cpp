#include "editors/DlgPregeoRiga3.h"

#include "resources/IdRighe.h"

namespace {

CRig* Riga(LPARAM elemento) {
    return reinterpret_cast<CRig*>(elemento);
}

std::vector<WString> DatiLinea(const CRig& riga) {
    return {WString::Formatted(u"%d", riga.GetVrtArSize()), TestoVertici(riga)};
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// "Riga 3"

BEGIN_MESSAGE_MAP(CDlgPregeoRiga3, CExDialog)
ON_LBN_SELCHANGE(IDC_RIGA3_VERTICI, OnVerticeScelto)
ON_CBN_SELCHANGE(IDC_RIGA3_NOME, OnNomeScelto)
ON_CBN_EDITCHANGE(IDC_RIGA3_NOME, OnNomeScritto)
ON_BN_CLICKED(IDC_RIGA3_AGGIUNGI, OnAggiungi)
ON_BN_CLICKED(IDC_RIGA3_INSERISCI, OnInserisci)
ON_BN_CLICKED(IDC_RIGA3_SU, OnSu)
ON_BN_CLICKED(IDC_RIGA3_GIU, OnGiu)
ON_BN_CLICKED(IDC_RIGA3_ELIMINA, OnElimina)
ON_BN_CLICKED(IDC_RIGA3_OK, OnOk)
ON_BN_CLICKED(IDC_RIGA3_ANNULLA, OnCancel)
END_MESSAGE_MAP()

CDlgPregeoRiga3::CDlgPregeoRiga3(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_RIGA3, IDD_RIGA3 + 1, IDD_RIGA3 + 2, IDD_RIGA3 + 3), parent) {
}

BOOL CDlgPregeoRiga3::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Lista.SubclassDlgItem(IDC_RIGA3_VERTICI, this);
    m_Nome.SubclassDlgItem(IDC_RIGA3_NOME, this);
    m_Vertici = m_pRiga ? CVerticiRiga3(*m_pRiga) : CVerticiRiga3();
    RiempiNomi(m_Nome, NomiIndice(IndiceRilievo(m_Rilievo), 5));
    Aggiorna();
    return TRUE;
}

void CDlgPregeoRiga3::Aggiorna() {
    m_Lista.ResetContent();
    for (const WString& nome : m_Vertici.Nomi())
        m_Lista.AddString(nome);
    const int sel = m_Vertici.Selezione();
    m_Lista.SetCurSel(sel);
    // Only names the combo offers are shown in it.
    const int voce = sel < 0 ? CB_ERR : TrovaNome(m_Nome, m_Vertici.Nomi()[sel]);
    m_Nome.SetCurSel(voce);
    const BOOL pieno = m_Vertici.Nomi().empty() ? FALSE : TRUE;
    for (UINT id : {IDC_RIGA3_SU, IDC_RIGA3_GIU, IDC_RIGA3_ELIMINA})
        if (CWnd* c = GetDlgItem(id))
            c->EnableWindow(pieno);
}

void CDlgPregeoRiga3::OnVerticeScelto() {
    m_Vertici.Seleziona(m_Lista.GetCurSel());
    Aggiorna();
}

void CDlgPregeoRiga3::OnNomeScelto() {
    const int voce = m_Nome.GetCurSel();
    if (voce < 0 || m_Vertici.Selezione() < 0)
        return;
    m_Vertici.Rinomina(m_Nome.GetLBText(voce));
    Aggiorna();
}

void CDlgPregeoRiga3::OnNomeScritto() {
    if (m_Vertici.Selezione() < 0)
        return;
    const WString nome = m_Nome.GetWindowText();
    m_Vertici.Rinomina(nome);
    m_Lista.DeleteString(m_Vertici.Selezione());
    m_Lista.InsertString(m_Vertici.Selezione(), nome);
    m_Lista.SetCurSel(m_Vertici.Selezione());
}

void CDlgPregeoRiga3::OnAggiungi() {
    m_Vertici.Aggiungi();
    Aggiorna();
}

void CDlgPregeoRiga3::OnInserisci() {
    m_Vertici.Inserisci();
    Aggiorna();
}

void CDlgPregeoRiga3::OnSu() {
    m_Vertici.Su();
    Aggiorna();
}

void CDlgPregeoRiga3::OnGiu() {
    m_Vertici.Giu();
    Aggiorna();
}

void CDlgPregeoRiga3::OnElimina() {
    m_Vertici.Elimina();
    Aggiorna();
}

void CDlgPregeoRiga3::OnOk() {
    if (!m_pRiga)
        return;
    if (const std::optional<CRifiuto> rifiuto = ValidaRiga3(m_Vertici.Nomi())) {
        CreateMessageBox(this, rifiuto->testo, u"Pregeo", rifiuto->icona);
        return;
    }
    SalvaRiga3(m_Vertici.Nomi(), *m_pRiga);
    EndDialog(IDOK);
}

// ---------------------------------------------------------------------------------------------------
// "Righe 3"

CDlgPregeoRighe3::CDlgPregeoRighe3(CWnd* parent)
    : CDlgElencoRighe(IDD_RIGHE3, parent, u"Procedere con l'eliminazione delle righe 3?",
                      {{u"N.Vert.", 30}, {u"Vertici", 60}}) {}

void CDlgPregeoRighe3::Riempi() {
    if (!m_pCts)
        return;
    const CCtsRigArray& vista = m_pCts->m_Righe3;
    for (int i = 0; i < vista.GetRigArSize(); ++i)
        if (CRig* r = vista.GetRigAt(i); r->GetTipoRiga() == '3')
            AggiungiRiga(reinterpret_cast<LPARAM>(r), DatiLinea(*r));
}

bool CDlgPregeoRighe3::ModificaRiga(CRig* riga) {
    CDlgPregeoRiga3 dlg(this);
    dlg.Imposta(riga, RilievoDa(m_pCts, m_pDati));
    return dlg.DoModal() == IDOK;
}

void CDlgPregeoRighe3::Modifica(int riga) {
    CRig* r = Riga(Elemento(riga));
    if (r && ModificaRiga(r)) {
        ScriviDati(riga, DatiLinea(*r));
        AdattaColonne();
    }
}

void CDlgPregeoRighe3::EliminaElemento(LPARAM elemento) {
    int indice = -1;
    if (m_pCts && m_pCts->m_Righe3.GetIndiciDiRig(Riga(elemento), indice))
        m_pCts->m_Righe3.DelRigAt(indice);
}

void CDlgPregeoRighe3::Aggiungi() {
    if (!m_pCts)
        return;
    CCtsRigArray& vista = m_pCts->m_Righe3;
    CRig* nuova = new CRig('3');
    vista.AddRig(nuova);
    if (ModificaRiga(nuova)) {
        AggiungiRiga(reinterpret_cast<LPARAM>(nuova), DatiLinea(*nuova));
        AdattaColonne();
        return;
    }
    // The row added, wherever the view keeps it.
    int indice = -1;
    if (vista.GetIndiciDiRig(nuova, indice))
        vista.DelRigAt(indice);
}
