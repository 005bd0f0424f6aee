// The state of windows behind the control toolkit: one UiWindow per dialog, page or control, owned by
// its parent window (a modal dialog's by the modal loop).
#pragma once

#include "host/ui/GridCells.h"
#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"
#include "hostapi/Grid.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

struct UiItem {
    WString text;
    std::uintptr_t data = 0;
};

struct GridState {
    int fixedRows = 0;
    int fixedColumns = 0;
    int columns = 0;
    std::vector<int> widths;
    std::vector<UINT> formats;
    GridCells cells;
    CImageList* images = nullptr;
    bool singleRow = false;
    bool editable = false;
    bool autoNumber = false;
    bool autoAdd = false;
    int selectedRow = -1;
    CCellID focus;

    int RowCount() const { return cells.Rows(); }
    bool Valid(int row, int column) const {
        return row >= 0 && row < RowCount() && column >= 0 && column < columns;
    }
    void Renumber();
    void KeepEmptyLastRow();
};

namespace host::ui {
struct Action;
}

// A window whose content the toolkit does not know (the CAD view): it shows itself and carries out the
// commands meant for it (point, snapshot).
struct UiCustom {
    virtual ~UiCustom() = default;
    virtual const char* KindName() const = 0;
    // What show writes after the kind, on one line; with full (show ID) the lines that follow it, each
    // with the indent and ended.
    virtual std::string Render(bool full, const std::string& indent) const = 0;
    // Empty when the action fits the window now, else why not.
    virtual std::string Check(const host::ui::Action& action) = 0;
    // Carries out an action that fits, writing what happens into the transcript.
    virtual void Perform(const host::ui::Action& action, std::ostream& transcript) = 0;
    // What a person may pick here, each as a label and the command that picks it, for a front end that
    // offers them instead of a drawing.
    struct Pick {
        std::string label;
        std::string command;
        std::vector<int> entities{}; // what a click on the drawing hits to pick it
    };
    virtual std::vector<Pick> Picks() const { return {}; }
    // The window's picture as SVG, each entity a group with id "e" and its handle; empty when it has none.
    virtual std::string Svg() const { return {}; }
    // Why the last pick was carried out but not taken (the step passes over it), in Italian; empty when
    // it was taken.
    virtual std::string LastRefusal() const { return {}; }
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
    UiCustom* custom = nullptr; // owned by the window's object

    // Top-level dialogs: the control the code last gave the focus, 0 for none.
    UINT focus = 0;

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

// The support bitmaps an image list was cut from, in order, for a front end that shows the images.
struct ImageStrip {
    std::string file; // "Esiti.bmp"; empty for a bitmap that is not a support bitmap
    int first = 0;    // the list's index of the strip's first image
    int count = 0;
    COLORREF mask = 0; // the colour shown as transparent
};
std::vector<ImageStrip> ImageSources(const CImageList* list);

} // namespace host::ui
