#include "host/ui/Window.h"

#include <algorithm>

namespace {

GridState* State(const CWnd* grid) {
    UiWindow* w = host::ui::WindowOf(grid);
    return w ? w->grid.get() : nullptr;
}

// The cell changed by f; false when there is no such cell.
template <typename F> BOOL Change(const CWnd* grid, int row, int column, F f) {
    GridState* g = State(grid);
    if (!g || !g->Valid(row, column))
        return FALSE;
    GridCell cell = g->cells.Attributes(row, column);
    f(cell);
    g->cells.PutAttributes(row, column, cell);
    return TRUE;
}

GridCell Read(const CWnd* grid, int row, int column) {
    GridState* g = State(grid);
    return g && g->Valid(row, column) ? g->cells.Attributes(row, column) : GridCell{};
}

} // namespace

BOOL CCEGridCtrl::Create(const CRect& rect, CWnd* parent, UINT id, DWORD style) {
    UiWindow* p = host::ui::WindowOf(parent);
    if (!p || GetUiWindow())
        return FALSE;
    auto w = std::make_unique<UiWindow>();
    w->kind = ControlKind::Grid;
    w->id = id;
    w->style = style;
    w->rect = rect;
    w->visible = (style & WS_VISIBLE) != 0;
    w->enabled = (style & WS_DISABLED) == 0;
    w->parent = p;
    w->object = this;
    w->grid = std::make_unique<GridState>();
    host::ui::BindObject(*this, w.get());
    p->children.push_back(std::move(w));
    return TRUE;
}

BOOL CCEGridCtrl::SetRowCount(int rows) {
    GridState* g = State(this);
    if (!g || rows < 0)
        return FALSE;
    g->cells.SetRows(rows);
    if (g->fixedRows > rows)
        g->fixedRows = rows;
    if (g->selectedRow >= rows)
        g->selectedRow = -1;
    g->Renumber();
    return TRUE;
}

BOOL CCEGridCtrl::SetColumnCount(int columns) {
    GridState* g = State(this);
    if (!g || columns < 0)
        return FALSE;
    g->columns = columns;
    g->widths.resize(static_cast<std::size_t>(columns), 0);
    g->formats.resize(static_cast<std::size_t>(columns), DT_LEFT);
    g->cells.SetColumns(columns);
    if (g->fixedColumns > columns)
        g->fixedColumns = columns;
    return TRUE;
}

BOOL CCEGridCtrl::SetFixedRowCount(int rows) {
    GridState* g = State(this);
    if (!g || rows < 0)
        return FALSE;
    if (g->RowCount() < rows)
        SetRowCount(rows);
    g->fixedRows = rows;
    g->Renumber();
    return TRUE;
}

BOOL CCEGridCtrl::SetFixedColumnCount(int columns) {
    GridState* g = State(this);
    if (!g || columns < 0)
        return FALSE;
    if (g->columns < columns)
        SetColumnCount(columns);
    g->fixedColumns = columns;
    return TRUE;
}

int CCEGridCtrl::GetRowCount() const {
    GridState* g = State(this);
    return g ? g->RowCount() : 0;
}
int CCEGridCtrl::GetColumnCount() const {
    GridState* g = State(this);
    return g ? g->columns : 0;
}
int CCEGridCtrl::GetFixedRowCount() const {
    GridState* g = State(this);
    return g ? g->fixedRows : 0;
}
int CCEGridCtrl::GetFixedColumnCount() const {
    GridState* g = State(this);
    return g ? g->fixedColumns : 0;
}

int CCEGridCtrl::InsertColumn(const WString& heading, UINT format, int column) {
    GridState* g = State(this);
    if (!g)
        return -1;
    const int at = column < 0 || column > g->columns ? g->columns : column;
    ++g->columns;
    g->widths.insert(g->widths.begin() + at, 0);
    g->formats.insert(g->formats.begin() + at, format);
    GridCell cell;
    cell.format = format;
    g->cells.InsertColumn(at, cell);
    if (g->fixedRows > 0)
        g->cells.SetText(0, at, heading);
    return at;
}

BOOL CCEGridCtrl::SetColumnWidth(int column, int width) {
    GridState* g = State(this);
    if (!g || column < 0 || column >= g->columns)
        return FALSE;
    g->widths[column] = width;
    return TRUE;
}

int CCEGridCtrl::GetColumnWidth(int column) const {
    GridState* g = State(this);
    return g && column >= 0 && column < g->columns ? g->widths[column] : 0;
}

int CCEGridCtrl::InsertRow(const WString& heading, int row) {
    GridState* g = State(this);
    if (!g)
        return -1;
    int at = row < 0 || row > g->RowCount() ? g->RowCount() : row;
    // An editable grid's empty last row stays last.
    if (g->autoAdd && row < 0 && g->RowCount() > g->fixedRows)
        at = g->RowCount() - 1;
    std::vector<GridCell> cells(static_cast<std::size_t>(g->columns));
    for (int c = 0; c < g->columns; ++c)
        cells[c].format = g->formats[c];
    if (g->fixedColumns > 0 && g->columns > 0)
        cells[0].text = heading;
    g->cells.InsertRow(at, cells);
    if (g->selectedRow >= at)
        ++g->selectedRow;
    g->Renumber();
    return at;
}

BOOL CCEGridCtrl::DeleteRow(int row) {
    GridState* g = State(this);
    if (!g || row < 0 || row >= g->RowCount())
        return FALSE;
    g->cells.EraseRow(row);
    if (row < g->fixedRows)
        --g->fixedRows;
    if (g->selectedRow == row)
        g->selectedRow = -1;
    else if (g->selectedRow > row)
        --g->selectedRow;
    if (g->focus.row == row)
        g->focus = CCellID{};
    g->Renumber();
    return TRUE;
}

BOOL CCEGridCtrl::DeleteNonFixedRows() {
    GridState* g = State(this);
    if (!g)
        return FALSE;
    g->cells.SetRows(g->fixedRows);
    g->selectedRow = -1;
    g->focus = CCellID{};
    g->KeepEmptyLastRow();
    return TRUE;
}

BOOL CCEGridCtrl::DeleteAllItems() {
    GridState* g = State(this);
    if (!g)
        return FALSE;
    g->cells.Clear();
    g->columns = 0;
    g->widths.clear();
    g->formats.clear();
    g->fixedRows = 0;
    g->fixedColumns = 0;
    g->selectedRow = -1;
    g->focus = CCellID{};
    return TRUE;
}

BOOL CCEGridCtrl::SetItemText(int row, int column, const WString& text) {
    GridState* g = State(this);
    if (!g || !g->Valid(row, column))
        return FALSE;
    g->cells.SetText(row, column, text);
    return TRUE;
}

WString CCEGridCtrl::GetItemText(int row, int column) const {
    GridState* g = State(this);
    return g && g->Valid(row, column) ? g->cells.Text(row, column) : WString();
}

BOOL CCEGridCtrl::SetItemFormat(int row, int column, UINT format) {
    return Change(this, row, column, [&](GridCell& cell) { cell.format = format; });
}

BOOL CCEGridCtrl::SetItemData(int row, int column, LPARAM data) {
    return Change(this, row, column, [&](GridCell& cell) { cell.data = data; });
}

LPARAM CCEGridCtrl::GetItemData(int row, int column) const {
    const GridCell cell = Read(this, row, column);
    return cell.data;
}

BOOL CCEGridCtrl::SetCheck(int row, int column, BOOL checked) {
    return Change(this, row, column, [&](GridCell& cell) {
        cell.hasCheck = true;
        cell.checked = checked != FALSE;
    });
}

BOOL CCEGridCtrl::GetCheck(int row, int column) const {
    const GridCell cell = Read(this, row, column);
    return cell.hasCheck && cell.checked;
}

BOOL CCEGridCtrl::IsCheckCell(int row, int column) const {
    const GridCell cell = Read(this, row, column);
    return cell.hasCheck;
}

void CCEGridCtrl::SetImageList(CImageList* images) {
    if (GridState* g = State(this))
        g->images = images;
}

CImageList* CCEGridCtrl::GetImageList() const {
    GridState* g = State(this);
    return g ? g->images : nullptr;
}

BOOL CCEGridCtrl::SetItemImage(int row, int column, int image) {
    return Change(this, row, column, [&](GridCell& cell) { cell.image = image < 0 ? -1 : image; });
}

int CCEGridCtrl::GetItemImage(int row, int column) const {
    const GridCell cell = Read(this, row, column);
    return cell.image;
}

BOOL CCEGridCtrl::SetItemBkColour(int row, int column, COLORREF colour) {
    return Change(this, row, column, [&](GridCell& cell) { cell.bk = colour; });
}

BOOL CCEGridCtrl::SetItemFgColour(int row, int column, COLORREF colour) {
    return Change(this, row, column, [&](GridCell& cell) { cell.fg = colour; });
}

COLORREF CCEGridCtrl::GetItemBkColour(int row, int column) const {
    const GridCell cell = Read(this, row, column);
    return cell.bk;
}

COLORREF CCEGridCtrl::GetItemFgColour(int row, int column) const {
    const GridCell cell = Read(this, row, column);
    return cell.fg;
}

void CCEGridCtrl::SetSingleRowSelection(BOOL single) {
    if (GridState* g = State(this))
        g->singleRow = single != FALSE;
}

void CCEGridCtrl::SetEditable(BOOL editable) {
    if (GridState* g = State(this))
        g->editable = editable != FALSE;
}

BOOL CCEGridCtrl::IsEditable() const {
    GridState* g = State(this);
    return g && g->editable;
}

int CCEGridCtrl::GetSelectedRow() const {
    GridState* g = State(this);
    return g ? g->selectedRow : -1;
}

void CCEGridCtrl::SetSelectedRow(int row) {
    GridState* g = State(this);
    if (!g)
        return;
    g->selectedRow = row >= g->fixedRows && row < g->RowCount() ? row : -1;
}

CCellID CCEGridCtrl::GetFocusCell() const {
    GridState* g = State(this);
    return g ? g->focus : CCellID{};
}

void CCEGridCtrl::SetFocusCell(int row, int column) {
    GridState* g = State(this);
    if (!g)
        return;
    g->focus = g->Valid(row, column) ? CCellID{row, column} : CCellID{};
}

void CCEGridCtrl::AutoSize() {
    AutoSizeColumns();
}

void CCEGridCtrl::AutoSizeColumns() {
    GridState* g = State(this);
    if (!g)
        return;
    // Six pixels a character, as the device's small font, plus room for a box or an image.
    for (int c = 0; c < g->columns; ++c) {
        int width = 0;
        for (int r = 0; r < g->RowCount(); ++r) {
            const GridCell cell = g->cells.Get(r, c);
            int w = cell.text.GetLength() * 6 + 6;
            if (cell.hasCheck || cell.image >= 0)
                w += 16;
            width = std::max(width, w);
        }
        g->widths[c] = std::max(g->widths[c], width);
    }
}

void CCEGridCtrl::SetRedraw(BOOL, BOOL) {}
void CCEGridCtrl::Refresh() {}

BOOL CCEGridCtrl::EnsureVisible(int row, int column) {
    GridState* g = State(this);
    return g && g->Valid(row, column);
}

void CCEMSGridCtrl::SetAutoNumber(BOOL number) {
    if (GridState* g = State(this)) {
        g->autoNumber = number != FALSE;
        g->Renumber();
    }
}

void CCEMSGridCtrl::SetAutoAddRow(BOOL add) {
    if (GridState* g = State(this)) {
        g->autoAdd = add != FALSE;
        g->KeepEmptyLastRow();
    }
}

BOOL CCEMSGridCtrl::GetAutoAddRow() const {
    GridState* g = State(this);
    return g && g->autoAdd;
}
