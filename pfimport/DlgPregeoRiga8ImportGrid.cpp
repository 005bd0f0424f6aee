#include "pfimport/DlgPregeoRiga8ImportGrid.h"

#include "hostapi/Conversions.h"
#include "pfimport/DatiImportPF.h"
#include "resources/IdImportPF.h"
#include "resources/StringIds.h"
#include "resources/StringLoader.h"

namespace {

constexpr int kColSpunta = 1;

struct Colonna {
    unsigned titolo;
    UINT formato;
    int larghezza;
};

// After the number and the tick, one column per field of the record.
constexpr Colonna kColonne[] = {
    {IDS_COL_COMUNE, DT_LEFT, 40},      {IDS_COL_FOGLIO, DT_LEFT, 40},      {IDS_COL_NOME, DT_LEFT, 30},
    {IDS_COL_DESCR_PLAN, DT_LEFT, 120}, {IDS_COL_NORD, DT_RIGHT, 70},       {IDS_COL_EST, DT_RIGHT, 70},
    {IDS_COL_ATT_P, DT_RIGHT, 35},      {IDS_COL_DESCR_QUOTA, DT_LEFT, 90}, {IDS_COL_QUOTA, DT_RIGHT, 50},
    {IDS_COL_ATT_Q, DT_RIGHT, 35},      {IDS_COL_PARTICELLA, DT_RIGHT, 40}, {IDS_COL_FOGLIO_OR, DT_RIGHT, 50},
    {IDS_COL_ALLEG_OR, DT_RIGHT, 60},   {IDS_COL_FIDUC_OR, DT_RIGHT, 50},   {IDS_COL_DATA_AGG, DT_LEFT, 55},
    {IDS_COL_CAUSA_AGG, DT_LEFT, 80},
};
static_assert(std::size(kColonne) == std::tuple_size_v<decltype(CRigaGrigliaPF::testi)>);

} // namespace

BEGIN_MESSAGE_MAP(CDlgPregeoRiga8ImportGrid, CExDialog)
ON_BN_CLICKED(IDC_GRID_SEL_TUTTI, OnSelTutti)
ON_BN_CLICKED(IDC_GRID_DESEL_TUTTI, OnDeselTutti)
ON_BN_CLICKED(IDC_GRID_IMPORTA, OnImporta)
ON_BN_CLICKED(IDC_GRID_ANNULLA, OnAnnulla)
END_MESSAGE_MAP()

CDlgPregeoRiga8ImportGrid::CDlgPregeoRiga8ImportGrid(CWnd* parent, std::vector<CTafPunto*>& punti)
    : CExDialog(CPalmDevice::SelectIdDlgStd(IDD_RIGA8_IMPORT_GRID, IDD_RIGA8_IMPORT_GRID + 1,
                                            IDD_RIGA8_IMPORT_GRID + 2, IDD_RIGA8_IMPORT_GRID + 3),
                parent),
      m_Punti(punti) {}

BOOL CDlgPregeoRiga8ImportGrid::OnInitDialog() {
    CExDialog::OnInitDialog();
    m_Griglia.SubclassDlgItem(IDC_GRID_GRIGLIA, this);
    const int mult = CPalmDevice::GetResMultiplier();
    m_Griglia.SetFixedRowCount(1);
    m_Griglia.SetFixedColumnCount(0);
    m_Griglia.SetSingleRowSelection(TRUE);
    m_Griglia.SetColumnWidth(m_Griglia.InsertColumn(u"N.", DT_RIGHT), 25 * mult);
    m_Griglia.SetColumnWidth(m_Griglia.InsertColumn(CaricaStringa(IDS_COL_SEL), DT_CENTER), 25 * mult);
    for (const Colonna& c : kColonne)
        m_Griglia.SetColumnWidth(m_Griglia.InsertColumn(CaricaStringa(c.titolo), c.formato),
                                 c.larghezza * mult);
    m_Griglia.SetAutoAddRow(FALSE);
    m_Griglia.SetAutoNumber(TRUE);

    const std::size_t righe = std::min<std::size_t>(m_Punti.size(), MAX_RIGHE_GRIGLIA_PF);
    for (std::size_t i = 0; i < righe; ++i) {
        const CRigaGrigliaPF riga = RigaGrigliaPF(*m_Punti[i]);
        const int row = m_Griglia.InsertRow(WString());
        m_Griglia.SetRowData(row, static_cast<LPARAM>(i));
        m_Griglia.SetCheck(row, kColSpunta, riga.spuntata ? TRUE : FALSE);
        for (int c = 0; c < static_cast<int>(riga.testi.size()); ++c) {
            m_Griglia.SetItemText(row, kColSpunta + 1 + c, riga.testi[static_cast<std::size_t>(c)]);
            m_Griglia.SetItemFormat(row, kColSpunta + 1 + c, kColonne[c].formato);
        }
    }
    if (m_Punti.size() > MAX_RIGHE_GRIGLIA_PF)
        CreateMessageBox(this, CaricaStringa(IDS_MAX_100_PF), CaricaStringa(IDS_ATTENZIONE),
                         MB_ICONINFORMATION);
    return TRUE;
}

void CDlgPregeoRiga8ImportGrid::Spunta(BOOL spuntata) {
    for (int row = m_Griglia.GetFixedRowCount(); row < m_Griglia.GetRowCount(); ++row)
        m_Griglia.SetCheck(row, kColSpunta, spuntata);
    m_Griglia.Refresh();
}

void CDlgPregeoRiga8ImportGrid::OnSelTutti() {
    Spunta(TRUE);
}

void CDlgPregeoRiga8ImportGrid::OnDeselTutti() {
    Spunta(FALSE);
}

void CDlgPregeoRiga8ImportGrid::OnImporta() {
    std::vector<CTafPunto*> spuntati;
    for (int row = m_Griglia.GetFixedRowCount(); row < m_Griglia.GetRowCount(); ++row)
        if (m_Griglia.GetCheck(row, kColSpunta))
            spuntati.push_back(m_Punti[static_cast<std::size_t>(m_Griglia.GetRowData(row))]);
    if (spuntati.empty()) {
        CreateMessageBox(this, CaricaStringa(IDS_NESSUN_PF_SELEZIONATO),
                         CaricaStringa(IDS_ERRORE_IMPORTAZIONE_TAF), MB_ICONEXCLAMATION);
        return;
    }
    m_Punti = std::move(spuntati);
    EndDialog(IDOK);
}

void CDlgPregeoRiga8ImportGrid::OnAnnulla() {
    EndDialog(IDCANCEL);
}
