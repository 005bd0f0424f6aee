#include "editors/DlgPregeoRighe45.h"

#include "hostapi/Computations.h"
#include "hostapi/Conversions.h"
#include "resources/IdRighe.h"

namespace {

void Mostra(CWnd* dialogo, UINT id, bool visibile) {
    if (CWnd* c = dialogo->GetDlgItem(id))
        c->ShowWindow(visibile ? SW_SHOW : SW_HIDE);
}

CRig* Riga(LPARAM elemento) {
    return reinterpret_cast<CRig*>(elemento);
}

std::vector<WString> DatiLinea(const CRig& riga) {
    return {TipoRiga45(riga), DatiRiga45(riga)};
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// "Riga 4"

BEGIN_MESSAGE_MAP(CDlgPregeoRiga4, CExDialog)
ON_EN_CHANGE(IDC_RIGA4_NOTA, OnNotaCambiata)
ON_BN_CLICKED(IDC_RIGA4_STRUMENTALE, OnStrumentale)
ON_BN_CLICKED(IDC_RIGA4_OK, OnOk)
ON_BN_CLICKED(IDC_RIGA4_ANNULLA, OnCancel)
END_MESSAGE_MAP()

CDlgPregeoRiga4::CDlgPregeoRiga4(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_RIGA4, IDD_RIGA4 + 1, IDD_RIGA4 + 2, IDD_RIGA4 + 3), parent) {
}

BOOL CDlgPregeoRiga4::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Nome1.SubclassDlgItem(IDC_RIGA4_NOME1, this);
    m_Nome2.SubclassDlgItem(IDC_RIGA4_NOME2, this);
    m_Valore1.SubclassDlgItem(IDC_RIGA4_VALORE1, this);
    m_Valore2.SubclassDlgItem(IDC_RIGA4_VALORE2, this);
    m_Strumentale.SubclassDlgItem(IDC_RIGA4_STRUMENTALE, this);
    m_Nota.SubclassDlgItem(IDC_RIGA4_NOTA, this);
    if (!m_pRiga)
        return TRUE;

    const CDatiRiga4 dati = DatiDaRiga4(*m_pRiga);
    m_Spec = dati.specRiga;
    switch (m_Spec) {
    case SPEC_4L_ESTREMO:
        SetDlgItemText(IDC_RIGA4_DESCRIZIONE, u"Riga 4L - Livellazione da un estremo");
        SetDlgItemText(IDC_RIGA4_ETI_NOME1, u"Pt. Staz. :");
        SetDlgItemText(IDC_RIGA4_ETI_VALORE1, u"Altezza :");
        break;
    case SPEC_4L_MEZZO:
        SetDlgItemText(IDC_RIGA4_DESCRIZIONE, u"Riga 4L - Livellazione dal mezzo");
        SetDlgItemText(IDC_RIGA4_ETI_NOME1, u"Pt. Indietro:");
        SetDlgItemText(IDC_RIGA4_ETI_NOME2, u"Pt. Avanti :");
        SetDlgItemText(IDC_RIGA4_ETI_VALORE1, u"Filo Pt.Ind.:");
        SetDlgItemText(IDC_RIGA4_ETI_VALORE2, u"Filo Pt.Av. :");
        break;
    default:
        SetDlgItemText(IDC_RIGA4_DESCRIZIONE, u"Riga 4 - Standard");
        SetDlgItemText(IDC_RIGA4_ETI_NOME1, u"Pt. Origine :");
        SetDlgItemText(IDC_RIGA4_ETI_NOME2, u"Pt. Orient. :");
        SetDlgItemText(IDC_RIGA4_ETI_VALORE1, u"Corr. Ang. :");
        break;
    }
    Mostra(this, IDC_RIGA4_ETI_NOME2, m_Spec != SPEC_4L_ESTREMO);
    Mostra(this, IDC_RIGA4_NOME2, m_Spec != SPEC_4L_ESTREMO);
    Mostra(this, IDC_RIGA4_STRUMENTALE, m_Spec == SPEC_STANDARD);
    Mostra(this, IDC_RIGA4_ETI_VALORE2, m_Spec == SPEC_4L_MEZZO);
    Mostra(this, IDC_RIGA4_VALORE2, m_Spec == SPEC_4L_MEZZO);

    {
        // Built for the two lists only.
        const CIndicePunti indice = IndiceRilievo(m_Rilievo);
        RiempiNomi(m_Nome1, NomiIndice(indice, 3));
        RiempiNomi(m_Nome2, NomiIndice(indice, 4));
    }
    MostraNome(m_Nome1, dati.nome1);
    MostraNome(m_Nome2, dati.nome2);
    m_Valore1.SetWindowText(dati.valore1);
    m_Valore2.SetWindowText(dati.valore2);
    m_Nota.SetWindowText(dati.nota);
    OnNotaCambiata();
    return TRUE;
}

void CDlgPregeoRiga4::OnNotaCambiata() {
    m_Strumentale.SetCheck(IsAllineamentoStrumentale(m_Nota.GetWindowText()) ? BST_CHECKED : BST_UNCHECKED);
}

void CDlgPregeoRiga4::OnStrumentale() {
    // Setting the note reports a change, which sets the box again from the note.
    m_Nota.SetWindowText(NotaStrumentale(m_Nota.GetWindowText(), m_Strumentale.GetCheck() == BST_CHECKED));
}

void CDlgPregeoRiga4::OnOk() {
    if (!m_pRiga)
        return;
    CDatiRiga4 dati;
    dati.specRiga = m_Spec;
    dati.nome1 = m_Nome1.GetWindowText();
    if (m_Spec != SPEC_4L_ESTREMO)
        dati.nome2 = m_Nome2.GetWindowText();
    dati.valore1 = m_Valore1.GetWindowText();
    if (m_Spec == SPEC_4L_MEZZO)
        dati.valore2 = m_Valore2.GetWindowText();
    dati.nota = m_Nota.GetWindowText();
    if (const std::optional<CRifiuto> rifiuto = ValidaRiga4(dati)) {
        CreateMessageBox(this, rifiuto->testo, TITOLO_RIGHE, rifiuto->icona);
        return;
    }
    SalvaRiga4(dati, *m_pRiga);
    EndDialog(IDOK);
}

void CDlgPregeoRiga4::OnCancel() {
    EndDialog(IDCANCEL);
}

// ---------------------------------------------------------------------------------------------------
// "Riga 5"

BEGIN_MESSAGE_MAP(CDlgPregeoRiga5, CExDialog)
ON_EN_CHANGE(IDC_RIGA5_VALORE1, OnDistanzaCambiata)
ON_EN_CHANGE(IDC_RIGA5_SQUADRO, OnSquadroCambiato)
ON_BN_CLICKED(IDC_RIGA5_OK, OnOk)
ON_BN_CLICKED(IDC_RIGA5_ANNULLA, OnCancel)
END_MESSAGE_MAP()

CDlgPregeoRiga5::CDlgPregeoRiga5(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_RIGA5, IDD_RIGA5 + 1, IDD_RIGA5 + 2, IDD_RIGA5 + 3), parent) {
}

BOOL CDlgPregeoRiga5::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Punto.SubclassDlgItem(IDC_RIGA5_PUNTO, this);
    m_Valore1.SubclassDlgItem(IDC_RIGA5_VALORE1, this);
    m_Squadro.SubclassDlgItem(IDC_RIGA5_SQUADRO, this);
    m_Nota.SubclassDlgItem(IDC_RIGA5_NOTA, this);
    if (!m_pRiga)
        return TRUE;

    const bool standard = IsStandard();
    SetDlgItemText(IDC_RIGA5_DESCRIZIONE, standard ? u"Riga 5 - Standard" : u"Riga 5L");
    SetDlgItemText(IDC_RIGA5_ETI_VALORE1, standard ? u"Distanza :" : u"Filo medio :");
    for (UINT id : {IDC_RIGA5_ETI_SQUADRO, IDC_RIGA5_SQUADRO, IDC_RIGA5_ETI_NORD, IDC_RIGA5_NORD,
                    IDC_RIGA5_ETI_EST, IDC_RIGA5_EST, IDC_RIGA5_ETI_QUOTA, IDC_RIGA5_QUOTA})
        Mostra(this, id, standard);

    // The copy comes first: showing the values reports them as changes.
    m_Copia.emplace(*m_pRiga);
    const CDatiRiga5 dati = DatiDaRiga5(*m_pRiga);
    m_Caricamento = true;
    m_Punto.SetWindowText(dati.punto);
    m_Valore1.SetWindowText(dati.valore1);
    m_Squadro.SetWindowText(dati.valore2);
    m_Nota.SetWindowText(dati.nota);
    m_Caricamento = false;
    if (standard)
        Ricalcola();
    return TRUE;
}

void CDlgPregeoRiga5::Ricalcola() {
    m_pRiga->AnnullaValidita();
    const CCalcRighePregeo calcolo(m_Rilievo.libretto, m_Rilievo.stazioni, m_Rilievo.gps, nullptr);
    const bool calcolata = calcolo.CalcolaSngRiga45(m_pRiga);
    SetDlgItemText(IDC_RIGA5_NORD, TestoCoordinata(m_pRiga->GetCoordY(), calcolata));
    SetDlgItemText(IDC_RIGA5_EST, TestoCoordinata(m_pRiga->GetCoordX(), calcolata));
    SetDlgItemText(IDC_RIGA5_QUOTA, TestoCoordinata(m_pRiga->GetCoordZ(), calcolata));
}

void CDlgPregeoRiga5::OnDistanzaCambiata() {
    if (m_Caricamento || !IsStandard())
        return;
    m_pRiga->SetDatoRea1(DoubleDaCString(m_Valore1.GetWindowText()));
    Ricalcola();
}

void CDlgPregeoRiga5::OnSquadroCambiato() {
    if (m_Caricamento || !IsStandard())
        return;
    m_pRiga->SetDatoRea2(DoubleDaCString(m_Squadro.GetWindowText()));
    Ricalcola();
}

void CDlgPregeoRiga5::OnOk() {
    if (!m_pRiga)
        return;
    CDatiRiga5 dati;
    dati.specRiga = IsStandard() ? SPEC_STANDARD : SPEC_4L_ESTREMO;
    dati.punto = m_Punto.GetWindowText();
    dati.valore1 = m_Valore1.GetWindowText();
    if (IsStandard())
        dati.valore2 = m_Squadro.GetWindowText();
    dati.nota = m_Nota.GetWindowText();
    if (const std::optional<CRifiuto> rifiuto = ValidaRiga5(dati)) {
        CreateMessageBox(this, rifiuto->testo, TITOLO_RIGHE, rifiuto->icona);
        return;
    }
    SalvaRiga5(dati, *m_pRiga);
    if (IsStandard())
        Ricalcola();
    EndDialog(IDOK);
}

void CDlgPregeoRiga5::OnCancel() {
    if (m_pRiga && m_Copia) {
        m_Copia->Ripristina(*m_pRiga);
        if (IsStandard())
            Ricalcola();
    }
    EndDialog(IDCANCEL);
}

// ---------------------------------------------------------------------------------------------------
// "Nuova riga 4 o 5"

namespace {

struct CTipoNuovaRiga {
    UINT radio;
    char tipo;
    char specRiga;
};

// In the order of the radios.
constexpr CTipoNuovaRiga TIPI_NUOVA_RIGA[] = {
    {IDC_NUOVA_TIPO4, '4', SPEC_STANDARD},
    {IDC_NUOVA_TIPO4L_MEZZO, '4', SPEC_4L_MEZZO},
    {IDC_NUOVA_TIPO4L_ESTREMO, '4', SPEC_4L_ESTREMO},
    {IDC_NUOVA_TIPO5, '5', SPEC_STANDARD},
    {IDC_NUOVA_TIPO5L, '5', SPEC_4L_ESTREMO},
};

} // namespace

BEGIN_MESSAGE_MAP(CDlgPregeoNuovaRiga45, CExDialog)
ON_BN_CLICKED(IDC_NUOVA_OK, OnOk)
ON_BN_CLICKED(IDC_NUOVA_ANNULLA, OnAnnulla)
END_MESSAGE_MAP()

CDlgPregeoNuovaRiga45::CDlgPregeoNuovaRiga45(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_NUOVA_RIGA45, IDD_NUOVA_RIGA45 + 1, IDD_NUOVA_RIGA45 + 2,
                                            IDD_NUOVA_RIGA45 + 3),
                parent) {}

BOOL CDlgPregeoNuovaRiga45::OnInitDialog() {
    CExDialog::OnInitDialog();
    CheckRadioButton(IDC_NUOVA_TIPO4, IDC_NUOVA_TIPO5L, IDC_NUOVA_TIPO4);
    for (UINT id : {IDC_NUOVA_TIPO5, IDC_NUOVA_TIPO5L})
        if (CWnd* radio = GetDlgItem(id))
            radio->EnableWindow(m_Righe5);
    return TRUE;
}

void CDlgPregeoNuovaRiga45::OnOk() {
    if (!m_pNuova)
        return;
    const UINT scelto = GetCheckedRadioButton(IDC_NUOVA_TIPO4, IDC_NUOVA_TIPO5L);
    for (const CTipoNuovaRiga& t : TIPI_NUOVA_RIGA) {
        if (t.radio != scelto)
            continue;
        CRig* riga = m_pNuova->Prepara(t.tipo, t.specRiga);
        int esito = IDCANCEL;
        if (t.tipo == '4') {
            CDlgPregeoRiga4 dlg(this);
            dlg.Imposta(riga, m_Rilievo);
            esito = dlg.DoModal();
        } else {
            CDlgPregeoRiga5 dlg(this);
            dlg.Imposta(riga, m_Rilievo);
            esito = dlg.DoModal();
        }
        if (esito == IDOK) {
            EndDialog(IDOK);
            return;
        }
        m_pNuova->Ritira();
        return;
    }
}

void CDlgPregeoNuovaRiga45::OnAnnulla() {
    EndDialog(IDCANCEL);
}

// ---------------------------------------------------------------------------------------------------
// "Righe 4 e 5"

CDlgPregeoRighe45::CDlgPregeoRighe45(CWnd* parent)
    : CDlgElencoRighe(IDD_RIGHE45, parent, u"Procedere con l'eliminazione delle righe 4/5?",
                      {{u"Tipo", 30}, {u"Dati", 60}}) {}

BOOL CDlgPregeoRighe45::OnInitDialog() {
    m_pCts = m_pDati ? m_pDati->GetCts() : nullptr;
    return CDlgElencoRighe::OnInitDialog();
}

void CDlgPregeoRighe45::Riempi() {
    const CCtsRigArray* vista = Vista();
    for (int i = 0; vista && i < vista->GetRigArSize(); ++i)
        AggiungiRiga(reinterpret_cast<LPARAM>(vista->GetRigAt(i)), DatiLinea(*vista->GetRigAt(i)));
}

void CDlgPregeoRighe45::Modifica(int riga) {
    CRig* r = Riga(Elemento(riga));
    if (!r)
        return;
    int esito = IDCANCEL;
    if (r->GetTipoRiga() == '4') {
        CDlgPregeoRiga4 dlg(this);
        dlg.Imposta(r, RilievoDa(m_pCts, m_pDati));
        esito = dlg.DoModal();
    } else if (r->GetTipoRiga() == '5') {
        CDlgPregeoRiga5 dlg(this);
        dlg.Imposta(r, RilievoDa(m_pCts, m_pDati));
        esito = dlg.DoModal();
    }
    if (esito == IDOK) {
        ScriviDati(riga, DatiLinea(*r));
        AdattaColonne();
    }
}

void CDlgPregeoRighe45::EliminaElemento(LPARAM elemento) {
    int indice = -1;
    if (Vista() && Vista()->GetIndiciDiRig(Riga(elemento), indice))
        Vista()->DelRigAt(indice);
}

void CDlgPregeoRighe45::DopoEliminazione() {
    Svuota();
    Riempi();
    AdattaColonne();
}

void CDlgPregeoRighe45::Aggiungi() {
    CCtsRigArray* vista = Vista();
    if (!vista)
        return;
    CNuovaRiga45 nuova(*vista, RigaSelezionata());
    CDlgPregeoNuovaRiga45 dlg(this);
    dlg.Imposta(&nuova, RilievoDa(m_pCts, m_pDati));
    if (dlg.DoModal() != IDOK)
        return;
    const int indice = nuova.Conferma();
    if (const CRig* r = vista->GetRigAt(indice)) {
        // Line n shows the view's row n - 1.
        AggiungiRiga(reinterpret_cast<LPARAM>(r), DatiLinea(*r), indice + 1);
        AdattaColonne();
    }
}
