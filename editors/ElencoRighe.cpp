#include "editors/ElencoRighe.h"

#include "resources/IdElencoRighe.h"

#include <memory>

namespace {

constexpr COLORREF SFONDO_DATI = RGB(255, 255, 128);
constexpr COLORREF SFONDO_BIANCO = RGB(255, 255, 255);
constexpr COLORREF TRASPARENTE = RGB(255, 0, 0);
constexpr int LATO_IMMAGINE = 16;
constexpr int LARGHEZZA_FISSA = 30;

} // namespace

BEGIN_MESSAGE_MAP(CDlgElencoRighe, CExDialog)
ON_BN_CLICKED(IDC_ELENCO_TUTTO, OnTutto)
ON_BN_CLICKED(IDC_ELENCO_ELIMINA, OnElimina)
ON_BN_CLICKED(IDC_ELENCO_AGGIUNGI, OnAggiungi)
ON_BN_CLICKED(IDC_ELENCO_FINE, OnFine)
ON_NOTIFY(NM_CLICK, IDC_ELENCO_GRIGLIA, OnTocco)
END_MESSAGE_MAP()

CDlgElencoRighe::CDlgElencoRighe(UINT idTemplate, CWnd* parent, const WString& domandaElimina,
                                 std::vector<CColonnaElenco> colonne)
    : CExDialog(CPalmDevice::SelectIdDlgStd(idTemplate, idTemplate + 1, idTemplate + 2, idTemplate + 3),
                parent),
      m_Domanda(domandaElimina), m_Colonne(std::move(colonne)) {}

BOOL CDlgElencoRighe::OnInitDialog() {
    CExDialog::OnInitDialog();
    CRect cornice;
    if (CWnd* frame = GetDlgItem(IDC_ELENCO_CORNICE)) {
        frame->GetWindowRect(&cornice);
        ScreenToClient(&cornice);
    }
    m_Griglia.Create(cornice, this, IDC_ELENCO_GRIGLIA);

    const int scala = CPalmDevice::GetResMultiplier();
    // A dialog that runs again starts with a fresh image list.
    m_Immagini.DeleteImageList();
    m_Immagini.Create(LATO_IMMAGINE * scala, LATO_IMMAGINE * scala, ILC_COLOR24 | ILC_MASK, 2, 1);
    const std::unique_ptr<CBitmap> icona(LoadASupportBmp(u"IconaModifica.bmp"));
    m_Immagini.Add(icona.get(), TRASPARENTE);
    m_Griglia.SetImageList(&m_Immagini);

    m_Griglia.SetEditable(FALSE);
    m_Griglia.SetSingleRowSelection(TRUE);
    m_Griglia.SetRowCount(1);
    m_Griglia.SetFixedRowCount(1);
    m_Griglia.SetFixedColumnCount(0);
    m_Griglia.InsertColumn(u"N.");
    m_Griglia.InsertColumn(u"Sel.");
    m_Griglia.InsertColumn(u"Mod.");
    for (int c = 0; c < COL_DATI; ++c)
        m_Griglia.SetColumnWidth(c, LARGHEZZA_FISSA * scala);
    for (const CColonnaElenco& colonna : m_Colonne)
        m_Griglia.SetColumnWidth(m_Griglia.InsertColumn(colonna.titolo), colonna.larghezza * scala);

    Riempi();
    AdattaColonne();
    return TRUE;
}

int CDlgElencoRighe::AggiungiRiga(LPARAM elemento, const std::vector<WString>& dati, int riga) {
    const bool inMezzo = riga >= 1 && riga < m_Griglia.GetRowCount();
    const int r = m_Griglia.InsertRow(WString(), inMezzo ? riga : -1);
    for (int c = 0; c < m_Griglia.GetColumnCount(); ++c)
        m_Griglia.SetItemBkColour(r, c, c == COL_SEL || c == COL_MOD ? SFONDO_BIANCO : SFONDO_DATI);
    m_Griglia.SetCheck(r, COL_SEL, FALSE);
    m_Griglia.SetItemImage(r, COL_MOD, IMMAGINE_MODIFICA);
    m_Griglia.SetRowData(r, elemento);
    ScriviDati(r, dati);
    if (inMezzo)
        Rinumera();
    else
        m_Griglia.SetItemText(r, COL_NUMERO, WString::Formatted(u"%d", r));
    return r;
}

void CDlgElencoRighe::ScriviDati(int riga, const std::vector<WString>& dati) {
    for (std::size_t i = 0; i < dati.size() && i < m_Colonne.size(); ++i)
        m_Griglia.SetItemText(riga, COL_DATI + static_cast<int>(i), dati[i]);
    m_Griglia.Refresh();
}

LPARAM CDlgElencoRighe::Elemento(int riga) const {
    return m_Griglia.GetRowData(riga);
}

int CDlgElencoRighe::NumeroRighe() const {
    return m_Griglia.GetRowCount() - m_Griglia.GetFixedRowCount();
}

int CDlgElencoRighe::RigaSelezionata() const {
    const int r = m_Griglia.GetSelectedRow();
    return r >= m_Griglia.GetFixedRowCount() ? r : -1;
}

bool CDlgElencoRighe::IsSpuntata(int riga) const {
    return m_Griglia.GetCheck(riga, COL_SEL) != FALSE;
}

void CDlgElencoRighe::Svuota() {
    m_Griglia.DeleteNonFixedRows();
}

void CDlgElencoRighe::Rinumera() {
    for (int r = m_Griglia.GetFixedRowCount(); r < m_Griglia.GetRowCount(); ++r)
        m_Griglia.SetItemText(r, COL_NUMERO, WString::Formatted(u"%d", r));
    m_Griglia.Refresh();
}

void CDlgElencoRighe::AdattaColonne() {
    m_Griglia.AutoSizeColumns();
}

void CDlgElencoRighe::OnTutto() {
    // The first line decides; an empty list has none.
    if (NumeroRighe() == 0)
        return;
    const int prima = m_Griglia.GetFixedRowCount();
    const BOOL spunta = IsSpuntata(prima) ? FALSE : TRUE;
    for (int r = prima; r < m_Griglia.GetRowCount(); ++r)
        m_Griglia.SetCheck(r, COL_SEL, spunta);
    m_Griglia.Refresh();
}

void CDlgElencoRighe::OnElimina() {
    bool chiesto = false;
    for (int r = m_Griglia.GetRowCount() - 1; r >= m_Griglia.GetFixedRowCount(); --r) {
        if (!IsSpuntata(r))
            continue;
        if (!chiesto) {
            if (CreateMessageBox(this, m_Domanda, u"Pregeo", MB_YESNO | MB_ICONQUESTION) != IDYES)
                return;
            chiesto = true;
        }
        EliminaElemento(Elemento(r));
        m_Griglia.DeleteRow(r);
    }
    if (chiesto)
        DopoEliminazione();
}

void CDlgElencoRighe::OnAggiungi() {
    Aggiungi();
}

void CDlgElencoRighe::OnFine() {
    EndDialog(IDOK);
}

void CDlgElencoRighe::OnTocco(NMHDR* nm, LRESULT*) {
    const auto* cella = reinterpret_cast<const NM_GRIDVIEW*>(nm);
    if (cella->iRow < m_Griglia.GetFixedRowCount() || cella->iRow >= m_Griglia.GetRowCount())
        return;
    if (m_Griglia.GetItemImage(cella->iRow, cella->iColumn) == IMMAGINE_MODIFICA)
        Modifica(cella->iRow);
}
