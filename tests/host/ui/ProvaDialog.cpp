#include "tests/host/ui/ProvaDialog.h"

namespace prova {

namespace {

WString Testo(CWnd* w) {
    return w ? w->GetWindowText() : WString();
}

} // namespace

const ResourceTable* ProvaResourceTable() {
    static const ResourceTable table = [] {
        ResourceTable t{};
        t.dialogs = ProvaDialogs(t.dialogCount);
        t.strings = ProvaStrings(t.stringCount);
        return t;
    }();
    return &table;
}

// ---------------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CDlgPaginaDati, CExDialog)
ON_CBN_SELCHANGE(IDC_PROVINCIA, OnProvincia)
ON_BN_CLICKED(IDC_ATTIVO, OnAttivo)
ON_CONTROL_RANGE(BN_CLICKED, IDC_TIPO1, IDC_TIPO3, OnTipo)
END_MESSAGE_MAP()

CDlgPaginaDati::CDlgPaginaDati(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_PAGINA_DATI, IDD_PAGINA_DATI + 1, IDD_PAGINA_DATI + 2,
                                            IDD_PAGINA_DATI + 3),
                parent) {}

BOOL CDlgPaginaDati::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Nome.SubclassDlgItem(IDC_NOME, this);
    m_Provincia.SubclassDlgItem(IDC_PROVINCIA, this);
    m_Comune.SubclassDlgItem(IDC_COMUNE, this);
    // Sorted by the control: added out of order on purpose.
    for (const char16_t* p : {u"TO", u"MI", u"RM"})
        m_Provincia.AddString(p);
    return TRUE;
}

void CDlgPaginaDati::Carica(const Record& r) {
    m_Nome.SetWindowText(r.nome);
    CheckDlgButton(IDC_ATTIVO, r.attivo ? BST_CHECKED : BST_UNCHECKED);
    if (r.tipo >= 1 && r.tipo <= 3)
        CheckRadioButton(IDC_TIPO1, IDC_TIPO3, IDC_TIPO1 + static_cast<UINT>(r.tipo) - 1);
    CheckRadioButton(IDC_NOMINALE, IDC_REALE, r.natura == 1 ? IDC_REALE : IDC_NOMINALE);
    // The list's own prefix selection; no match leaves it without selection.
    if (r.provincia.IsEmpty() || m_Provincia.SelectString(-1, r.provincia) == CB_ERR)
        m_Provincia.SetCurSel(-1);
    OnProvincia();
    const int i = m_Comune.FindStringExact(-1, r.comune);
    if (i != CB_ERR)
        m_Comune.SetCurSel(i);
    else
        m_Comune.SetWindowText(r.comune);
    OnAttivo();
}

void CDlgPaginaDati::Salva(Record& r) {
    r.nome = m_Nome.GetWindowText();
    r.nome.Trim();
    r.attivo = IsDlgButtonChecked(IDC_ATTIVO) == BST_CHECKED;
    const UINT tipo = GetCheckedRadioButton(IDC_TIPO1, IDC_TIPO3);
    r.tipo = tipo ? static_cast<int>(tipo - IDC_TIPO1) + 1 : 0;
    r.natura = GetCheckedRadioButton(IDC_NOMINALE, IDC_REALE) == IDC_REALE ? 1 : 0;
    r.provincia = m_Provincia.GetCurSel() >= 0 ? m_Provincia.GetLBText(m_Provincia.GetCurSel()) : WString();
    r.comune = m_Comune.GetWindowText();
}

void CDlgPaginaDati::OnProvincia() {
    m_Comune.ResetContent();
    const WString p =
        m_Provincia.GetCurSel() >= 0 ? m_Provincia.GetLBText(m_Provincia.GetCurSel()) : WString();
    std::vector<const char16_t*> comuni;
    if (p == u"MI")
        comuni = {u"Milano", u"Monza"};
    else if (p == u"RM")
        comuni = {u"Roma", u"Tivoli"};
    else if (p == u"TO")
        comuni = {u"Torino", u"Ivrea"};
    for (std::size_t i = 0; i < comuni.size(); ++i) {
        const int at = m_Comune.AddString(comuni[i]);
        m_Comune.SetItemData(at, 100 + i);
    }
}

void CDlgPaginaDati::OnAttivo() {
    const BOOL attivo = IsDlgButtonChecked(IDC_ATTIVO) == BST_CHECKED;
    GetDlgItem(IDC_NOMINALE)->EnableWindow(attivo);
    GetDlgItem(IDC_REALE)->EnableWindow(attivo);
}

void CDlgPaginaDati::OnTipo(UINT id) {
    SetDlgItemText(IDC_CODICE, WString::Formatted(u"T%d", id - IDC_TIPO1 + 1));
}

// ---------------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CDlgPaginaElenco, CExDialog)
ON_NOTIFY(NM_CLICK, IDC_GRIGLIA, OnTap)
ON_NOTIFY(GVN_SELCHANGED, IDC_GRIGLIA, OnSelezione)
ON_BN_CLICKED(IDC_ELIMINA, OnElimina)
ON_BN_CLICKED(IDC_TUTTO, OnTutto)
END_MESSAGE_MAP()

CDlgPaginaElenco::CDlgPaginaElenco(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_PAGINA_ELENCO, IDD_PAGINA_ELENCO + 1, IDD_PAGINA_ELENCO + 2,
                                            IDD_PAGINA_ELENCO + 3),
                parent),
      m_Bitmap(LoadASupportBmp(u"Esiti.bmp")) {}

CDlgPaginaElenco::~CDlgPaginaElenco() {
    delete m_Bitmap;
}

BOOL CDlgPaginaElenco::OnInitDialog() {
    CExDialog::OnInitDialog();
    const int mult = CPalmDevice::GetResMultiplier();
    m_Immagini.Create(16 * mult, 16 * mult, ILC_COLOR | ILC_MASK, 2, 2);
    m_Immagini.Add(m_Bitmap, RGB(255, 255, 255));
    CRect rect;
    GetDlgItem(IDC_CORNICE_GRIGLIA)->GetWindowRect(&rect);
    ScreenToClient(&rect);
    m_Griglia.Create(rect, this, IDC_GRIGLIA, 0x50810000);
    m_Griglia.SetSingleRowSelection(TRUE);
    m_Griglia.SetFixedColumnCount(0);
    m_Griglia.SetFixedRowCount(1);
    m_Griglia.SetImageList(&m_Immagini);
    const struct {
        const char16_t* heading;
        int width;
    } columns[] = {{u"N.", 30}, {u"Sel.", 30}, {u"Esito", 30}, {u"Nome", 60}};
    for (const auto& c : columns)
        m_Griglia.SetColumnWidth(m_Griglia.InsertColumn(c.heading), c.width * mult);
    auto* elenco = static_cast<CListBox*>(GetDlgItem(IDC_ELENCO));
    for (const char16_t* s : {u"PF01", u"PF02", u"PF10", u"Q1"})
        elenco->AddString(s);
    elenco->SelectString(-1, u"pf1");
    return TRUE;
}

void CDlgPaginaElenco::AggiungiRiga(const WString& nome, bool inTolleranza) {
    const int row = m_Griglia.InsertRow(u"");
    m_Griglia.SetItemText(row, 0, WString::Formatted(u"%d", row));
    m_Griglia.SetCheck(row, 1, FALSE);
    m_Griglia.SetItemImage(row, 2, inTolleranza ? 0 : 1);
    m_Griglia.SetItemText(row, 3, nome);
    m_Griglia.SetRowData(row, row * 10);
    for (int c = 0; c < m_Griglia.GetColumnCount(); ++c)
        m_Griglia.SetItemBkColour(row, c, 0x0080FFFF);
}

void CDlgPaginaElenco::Carica(const Record& r) {
    m_Griglia.DeleteNonFixedRows();
    for (std::size_t i = 0; i < r.punti.size(); ++i)
        AggiungiRiga(r.punti[i], i % 2 == 0);
    m_Griglia.AutoSizeColumns();
}

void CDlgPaginaElenco::Salva(Record& r) {
    r.punti.clear();
    for (int row = m_Griglia.GetFixedRowCount(); row < m_Griglia.GetRowCount(); ++row)
        r.punti.push_back(m_Griglia.GetItemText(row, 3));
}

void CDlgPaginaElenco::OnTap(NMHDR* nm, LRESULT*) {
    const auto* g = reinterpret_cast<NM_GRIDVIEW*>(nm);
    if (g->iColumn != 3 || g->iRow < m_Griglia.GetFixedRowCount())
        return;
    CDlgDettaglio dettaglio(this, m_Griglia.GetItemText(g->iRow, 3));
    if (dettaglio.DoModal() == IDOK)
        m_Griglia.SetItemText(g->iRow, 3, dettaglio.m_NomeScelto);
}

void CDlgPaginaElenco::OnSelezione(NMHDR*, LRESULT*) {
    const int row = m_Griglia.GetSelectedRow();
    SetDlgItemText(IDC_DESCRIZIONE,
                   row > 0 ? u"Punto " + m_Griglia.GetItemText(row, 3) : WString(u"Selezionare una riga"));
}

void CDlgPaginaElenco::OnElimina() {
    int marcate = 0;
    for (int row = m_Griglia.GetFixedRowCount(); row < m_Griglia.GetRowCount(); ++row)
        marcate += m_Griglia.GetCheck(row, 1) ? 1 : 0;
    if (marcate == 0) {
        CreateMessageBox(this, u"Nessuna riga selezionata.", u"Prova", MB_ICONINFORMATION);
        return;
    }
    if (CreateMessageBox(this, u"Eliminare le righe selezionate?", u"Prova", MB_YESNO | MB_ICONQUESTION) !=
        IDYES)
        return;
    for (int row = m_Griglia.GetRowCount() - 1; row >= m_Griglia.GetFixedRowCount(); --row)
        if (m_Griglia.GetCheck(row, 1))
            m_Griglia.DeleteRow(row);
    for (int row = m_Griglia.GetFixedRowCount(); row < m_Griglia.GetRowCount(); ++row)
        m_Griglia.SetItemText(row, 0, WString::Formatted(u"%d", row));
    m_Griglia.RedrawWindow();
    CreateMessageBox(this, WString::Formatted(u"Eliminate %d righe.", marcate), u"Prova", MB_ICONINFORMATION);
}

void CDlgPaginaElenco::OnTutto() {
    const int first = m_Griglia.GetFixedRowCount();
    if (first >= m_Griglia.GetRowCount())
        return;
    const BOOL mark = !m_Griglia.GetCheck(first, 1);
    for (int row = first; row < m_Griglia.GetRowCount(); ++row)
        m_Griglia.SetCheck(row, 1, mark);
}

// ---------------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CDlgDettaglio, CExDialog)
ON_BN_CLICKED(IDC_DETT_OK, OnOk)
END_MESSAGE_MAP()

CDlgDettaglio::CDlgDettaglio(CWnd* parent, const WString& nome)
    : CExDialog(
          CPalmDevice::SelectIdDlgStd(IDD_DETTAGLIO, IDD_DETTAGLIO + 1, IDD_DETTAGLIO + 2, IDD_DETTAGLIO + 3),
          parent),
      m_NomeScelto(nome) {}

BOOL CDlgDettaglio::OnInitDialog() {
    CExDialog::OnInitDialog();
    SetDlgItemText(IDC_DETT_NOME, m_NomeScelto);
    return TRUE;
}

void CDlgDettaglio::OnOk() {
    WString nome = Testo(GetDlgItem(IDC_DETT_NOME));
    nome.Trim();
    if (nome.IsEmpty()) {
        CreateMessageBox(this, u"Il nome non può essere vuoto.", u"Errore", MB_ICONERROR);
        return;
    }
    m_NomeScelto = nome;
    EndDialog(IDOK);
}

// ---------------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CDlgProva, CExDialog)
ON_BN_CLICKED(IDC_OK, OnOk)
ON_BN_CLICKED(IDC_ANNULLA, OnAnnulla)
ON_NOTIFY(TCN_SELCHANGE, IDC_TAB, OnTab)
END_MESSAGE_MAP()

CDlgProva::CDlgProva(CWnd* parent)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_PROVA, IDD_PROVA + 1, IDD_PROVA + 2, IDD_PROVA + 3), parent),
      m_Dati(this), m_Elenco(this) {}

BOOL CDlgProva::OnInitDialog() {
    CExDialog::OnInitDialog();
    ++m_Inits;
    m_Tab.SubclassDlgItem(IDC_TAB, this);
    m_Ok.SubclassDlgItem(IDC_OK, this);
    m_Annulla.SubclassDlgItem(IDC_ANNULLA, this);
    m_Ok.SetBtnColor(0, 2);
    m_Annulla.SetBtnColor(0, 2);
    CRect rect;
    GetDlgItem(IDC_CORNICE)->GetWindowRect(&rect);
    ScreenToClient(&rect);
    m_Tab.InsertItem(0, u"Dati");
    m_Tab.InsertItem(1, u"Elenco");
    m_Dati.Create(m_Dati.GetTemplateId(), this);
    m_Dati.SetWindowedMode(rect);
    m_Elenco.Create(m_Elenco.GetTemplateId(), this);
    m_Elenco.SetWindowedMode(rect);
    m_Dati.Carica(m_Record);
    m_Elenco.Carica(m_Record);
    m_Tab.SetCurSel(0);
    m_Dati.ShowWindow(SW_SHOW);
    m_Elenco.ShowWindow(SW_HIDE);
    return TRUE;
}

void CDlgProva::OnTab(NMHDR*, LRESULT*) {
    const int tab = m_Tab.GetCurSel();
    m_Dati.ShowWindow(tab == 0 ? SW_SHOW : SW_HIDE);
    m_Elenco.ShowWindow(tab == 1 ? SW_SHOW : SW_HIDE);
}

void CDlgProva::OnOk() {
    Record r;
    m_Dati.Salva(r);
    m_Elenco.Salva(r);
    if (r.nome.IsEmpty()) {
        CreateMessageBox(this, u"Inserire il nome.", u"Prova", MB_ICONEXCLAMATION);
        return;
    }
    if (!r.attivo && CreateMessageBox(this, u"Il record non è attivo.\nSalvare comunque?", u"Attenzione",
                                      MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_Record = r;
    EndDialog(IDOK);
}

void CDlgProva::OnAnnulla() {
    EndDialog(IDCANCEL);
}

} // namespace prova
