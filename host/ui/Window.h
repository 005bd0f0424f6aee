// The state of windows behind the control toolkit: one UiWindow per dialog, page or control, owned by
// its parent window (a modal dialog's by the modal loop).
#pragma once

#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"
#include "hostapi/Grid.h"

#include <memory>
#include <vector>

constexpr COLORREF CLR_DEFAULT = 0xFF000000;

struct UiItem {
    WString text;
    std::uintptr_t data = 0;
};

struct GridCell {
    WString text;
    LPARAM data = 0;
    UINT format = DT_LEFT;
    int image = -1;
    bool hasCheck = false;
    bool checked = false;
    COLORREF bk = CLR_DEFAULT;
    COLORREF fg = CLR_DEFAULT;
};

struct GridState {
    int fixedRows = 0;
    int fixedColumns = 0;
    int columns = 0;
    std::vector<int> widths;
    std::vector<UINT> formats;
    std::vector<std::vector<GridCell>> rows;
    CImageList* images = nullptr;
    bool singleRow = false;
    bool editable = false;
    bool autoNumber = false;
    bool autoAdd = false;
    int selectedRow = -1;
    CCellID focus;

    int RowCount() const { return static_cast<int>(rows.size()); }
    bool Valid(int row, int column) const {
        return row >= 0 && row < RowCount() && column >= 0 && column < columns;
    }
    GridCell* Cell(int row, int column) { return Valid(row, column) ? &rows[row][column] : nullptr; }
    const GridCell* Cell(int row, int column) const {
        return Valid(row, column) ? &rows[row][column] : nullptr;
    }
    void Renumber();
    void KeepEmptyLastRow();
};

struct UiWindow {
    bool isDialog = false;
    ControlKind kind = ControlKind::Static; // controls only
    UINT id = 0;
    DWORD style = 0;
    WString text;
    CRect rect;
    bool enabled = true;
    bool visible = true;
    bool readOnly = false;

    UiWindow* parent = nullptr;
    std::vector<std::unique_ptr<UiWindow>> children; // template order, then windows created later
    CWnd* object = nullptr;                          // the object that created the window
    std::unique_ptr<CWnd> permanent;                 // the host's object for a template control
    std::vector<CWnd*> attached;                     // objects that subclassed the control

    // Dialogs and pages.
    const DialogTemplate* tmpl = nullptr;
    bool modal = false;
    bool ended = false;
    int result = 0;

    // Buttons.
    UINT check = BST_UNCHECKED;
    int foreColour = -1;
    int backColour = -1;
    CImageList* images = nullptr;
    int image = -1;

    // Combo boxes, list boxes, tab controls.
    std::vector<UiItem> items;
    int curSel = -1;
    UINT textLimit = 0;

    std::unique_ptr<GridState> grid;

    UiWindow() = default;
    UiWindow(const UiWindow&) = delete;
    UiWindow& operator=(const UiWindow&) = delete;
    ~UiWindow();

    // The object GetDlgItem answers: the last one that subclassed the control, else its own.
    CWnd* Primary() const;
    // Visible itself and through every parent.
    bool Shown() const;
    bool IsCombo() const { return kind == ControlKind::ComboList || kind == ControlKind::ComboEdit; }
    bool IsList() const { return IsCombo() || kind == ControlKind::ListBox || kind == ControlKind::Tab; }
    UiWindow* FindChild(UINT id) const;
    // The dialog or page the control belongs to.
    UiWindow* OwnerDialog() const;
};

namespace host::ui {

// Builds the window of a dialog or page from its template: controls in template order, each with the
// host's object of its kind; the dialog object is bound to it.
std::unique_ptr<UiWindow> CreateDialogWindow(CWSizeDialog& dialog, const DialogTemplate& tmpl,
                                             UiWindow* parent);
// Tells the dialog (and its pages) that its window goes, then unbinds every object from it.
void DestroyDialogWindow(std::unique_ptr<UiWindow> window);
void BindObject(CWnd& object, UiWindow* window);
UiWindow* WindowOf(const CWnd* object);

// What the user's actions trigger: the notification reaches the owning dialog's handler table.
void SendCommand(UiWindow& control, UINT code);
void SendGridNotify(UiWindow& grid, UINT code, int row, int column);

// Radios of the control's group, in template order (a group starts at WS_GROUP or at a non-radio).
std::vector<UiWindow*> RadioGroup(UiWindow& radio);

const char* KindName(ControlKind kind);

} // namespace host::ui
