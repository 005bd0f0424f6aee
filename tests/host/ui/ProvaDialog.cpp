#include "tests/host/ui/ProvaDialog.h"

#include "hostapi/Grid.h"

namespace prova {

const ResourceTable* ProvaResourceTable() {
    static const ResourceTable table = [] {
        ResourceTable t{};
        t.dialogs = ProvaDialogs(t.dialogCount);
        t.strings = ProvaStrings(t.stringCount);
        return t;
    }();
    return &table;
}

namespace {

UINT Variante(UINT id) {
    return CPalmDevice::SelectIdDlgStd(id, id + 1, id + 2, id + 3);
}

} // namespace

// ---------------------------------------------------------------------------------------------------

class CDlgPaginaDati : public CExDialog {
public:
    explicit CDlgPaginaDati(CWnd* parent) : CExDialog(Variante(IDD_PAGINA_DATI), parent) {}

    BOOL OnInitDialog() override {
        CExDialog::OnInitDialog();
        m_Nome.SubclassDlgItem(IDC_NOME, this);
        m_Provincia.SubclassDlgItem(IDC_PROVINCIA, this);
        m_Comune.SubclassDlgItem(IDC_COMUNE, this);
        // Sorted by the control: added out of order on purpose.
        for (const char16_t* p : {u"TO", u"MI", u"RM"})
            m_Provincia.AddString(p);
        return TRUE;
    }

    void Carica(const Record& r) {
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

    void Salva(Record& r) {
        r.nome = m_Nome.GetWindowText();
        r.nome.Trim();
        r.attivo = IsDlgButtonChecked(IDC_ATTIVO) == BST_CHECKED;
        const UINT tipo = GetCheckedRadioButton(IDC_TIPO1, IDC_TIPO3);
        r.tipo = tipo ? static_cast<int>(tipo - IDC_TIPO1) + 1 : 0;
        r.natura = GetCheckedRadioButton(IDC_NOMINALE, IDC_REALE) == IDC_REALE ? 1 : 0;
        r.provincia = Provincia();
        r.comune = m_Comune.GetWindowText();
    }

protected:
    WString Provincia() {
        return m_Provincia.GetCurSel() >= 0 ? m_Provincia.GetLBText(m_Provincia.GetCurSel()) : WString();
    }

    void OnProvincia() {
        m_Comune.ResetContent();
        const WString p = Provincia();
        std::vector<const char16_t*> comuni;
        if (p == u"MI")
            comuni = {u"Milano", u"Monza"};
        else if (p == u"RM")
            comuni = {u"Roma", u"Tivoli"};
        else if (p == u"TO")
            comuni = {u"Torino", u"Ivrea"};
        for (const char16_t* c : comuni)
            m_Comune.AddString(c);
    }

    void OnAttivo() {
        const BOOL attivo = IsDlgButtonChecked(IDC_ATTIVO) == BST_CHECKED;
        GetDlgItem(IDC_NOMINALE)->EnableWindow(attivo);
        GetDlgItem(IDC_REALE)->EnableWindow(attivo);
    }

    DECLARE_MESSAGE_MAP()

private:
    CCEEditKeybTxt m_Nome;
    CCEBaseKeybCombo m_Provincia;
    CComboBox m_Comune;
};

BEGIN_MESSAGE_MAP(CDlgPaginaDati, CExDialog)
ON_CBN_SELCHANGE(IDC_PROVINCIA, OnProvincia)
ON_BN_CLICKED(IDC_ATTIVO, OnAttivo)
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------------------------------

class CDlgDettaglio : public CExDialog {
public:
    CDlgDettaglio(CWnd* parent, const WString& nome)
        : CExDialog(Variante(IDD_DETTAGLIO), parent), m_NomeScelto(nome) {}

    BOOL OnInitDialog() override {
        CExDialog::OnInitDialog();
        SetDlgItemText(IDC_DETT_NOME, m_NomeScelto);
        return TRUE;
    }

    WString m_NomeScelto;

protected:
    void OnOk() {
        WString nome = GetDlgItem(IDC_DETT_NOME)->GetWindowText();
        nome.Trim();
        if (nome.IsEmpty()) {
            CreateMessageBox(this, u"Il nome non può essere vuoto.", u"Errore", MB_ICONERROR);
            return;
        }
        m_NomeScelto = nome;
        EndDialog(IDOK);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDlgDettaglio, CExDialog)
ON_BN_CLICKED(IDC_DETT_OK, OnOk)
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------------------------------

class CDlgPaginaElenco : public CExDialog {
public:
    explicit CDlgPaginaElenco(CWnd* parent)
        : CExDialog(Variante(IDD_PAGINA_ELENCO), parent), m_Bitmap(LoadASupportBmp(u"Esiti.bmp")) {}

    BOOL OnInitDialog() override {
        CExDialog::OnInitDialog();
        const int mult = CPalmDevice::GetResMultiplier();
        m_Immagini.Create(16 * mult, 16 * mult, ILC_COLOR | ILC_MASK, 2, 2);
        m_Immagini.Add(m_Bitmap.get(), RGB(255, 255, 255));
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

    void Carica(const Record& r) {
        m_Griglia.DeleteNonFixedRows();
        for (std::size_t i = 0; i < r.punti.size(); ++i) {
            const int row = m_Griglia.InsertRow(u"");
            m_Griglia.SetItemText(row, 0, WString::Formatted(u"%d", row));
            m_Griglia.SetCheck(row, 1, FALSE);
            m_Griglia.SetItemImage(row, 2, i % 2 == 0 ? 0 : 1);
            m_Griglia.SetItemText(row, 3, r.punti[i]);
        }
        m_Griglia.AutoSizeColumns();
    }

    void Salva(Record& r) {
        r.punti.clear();
        for (int row = m_Griglia.GetFixedRowCount(); row < m_Griglia.GetRowCount(); ++row)
            r.punti.push_back(m_Griglia.GetItemText(row, 3));
    }

protected:
    void OnTap(NMHDR* nm, LRESULT*) {
        const auto* g = reinterpret_cast<NM_GRIDVIEW*>(nm);
        if (g->iColumn != 3 || g->iRow < m_Griglia.GetFixedRowCount())
            return;
        CDlgDettaglio dettaglio(this, m_Griglia.GetItemText(g->iRow, 3));
        if (dettaglio.DoModal() == IDOK)
            m_Griglia.SetItemText(g->iRow, 3, dettaglio.m_NomeScelto);
    }

    void OnSelezione(NMHDR*, LRESULT*) {
        const int row = m_Griglia.GetSelectedRow();
        SetDlgItemText(IDC_DESCRIZIONE, row > 0 ? u"Punto " + m_Griglia.GetItemText(row, 3)
                                                : WString(u"Selezionare una riga"));
    }

    void OnElimina() {
        int marcate = 0;
        for (int row = m_Griglia.GetFixedRowCount(); row < m_Griglia.GetRowCount(); ++row)
            marcate += m_Griglia.GetCheck(row, 1) ? 1 : 0;
        if (CreateMessageBox(this, u"Eliminare le righe selezionate?", u"Prova",
                             MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        for (int row = m_Griglia.GetRowCount() - 1; row >= m_Griglia.GetFixedRowCount(); --row)
            if (m_Griglia.GetCheck(row, 1))
                m_Griglia.DeleteRow(row);
        for (int row = m_Griglia.GetFixedRowCount(); row < m_Griglia.GetRowCount(); ++row)
            m_Griglia.SetItemText(row, 0, WString::Formatted(u"%d", row));
        CreateMessageBox(this, WString::Formatted(u"Eliminate %d righe.", marcate), u"Prova",
                         MB_ICONINFORMATION);
    }

    DECLARE_MESSAGE_MAP()

private:
    CCEGridCtrl m_Griglia;
    CImageList m_Immagini;
    std::unique_ptr<CBitmap> m_Bitmap;
};

BEGIN_MESSAGE_MAP(CDlgPaginaElenco, CExDialog)
ON_NOTIFY(NM_CLICK, IDC_GRIGLIA, OnTap)
ON_NOTIFY(GVN_SELCHANGED, IDC_GRIGLIA, OnSelezione)
ON_BN_CLICKED(IDC_ELIMINA, OnElimina)
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CDlgProva, CExDialog)
ON_BN_CLICKED(IDC_OK, OnOk)
ON_BN_CLICKED(IDC_ANNULLA, OnAnnulla)
ON_NOTIFY(TCN_SELCHANGE, IDC_TAB, OnTab)
END_MESSAGE_MAP()

CDlgProva::CDlgProva(CWnd* parent)
    : CExDialog(Variante(IDD_PROVA), parent), m_Dati(std::make_unique<CDlgPaginaDati>(this)),
      m_Elenco(std::make_unique<CDlgPaginaElenco>(this)) {}

CDlgProva::~CDlgProva() = default;

BOOL CDlgProva::OnInitDialog() {
    CExDialog::OnInitDialog();
    ++m_Inits;
    m_Tab.SubclassDlgItem(IDC_TAB, this);
    CRect rect;
    GetDlgItem(IDC_CORNICE)->GetWindowRect(&rect);
    ScreenToClient(&rect);
    m_Tab.InsertItem(0, u"Dati");
    m_Tab.InsertItem(1, u"Elenco");
    m_Dati->Create(m_Dati->GetTemplateId(), this);
    m_Dati->SetWindowedMode(rect);
    m_Elenco->Create(m_Elenco->GetTemplateId(), this);
    m_Elenco->SetWindowedMode(rect);
    m_Dati->Carica(m_Record);
    m_Elenco->Carica(m_Record);
    m_Tab.SetCurSel(0);
    OnTab(nullptr, nullptr);
    return TRUE;
}

void CDlgProva::OnTab(NMHDR*, LRESULT*) {
    const int tab = m_Tab.GetCurSel();
    m_Dati->ShowWindow(tab == 0 ? SW_SHOW : SW_HIDE);
    m_Elenco->ShowWindow(tab == 1 ? SW_SHOW : SW_HIDE);
}

void CDlgProva::OnOk() {
    Record r;
    m_Dati->Salva(r);
    m_Elenco->Salva(r);
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
