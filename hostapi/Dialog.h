// The host's window and dialog model: windows, dialog templates, the handler table that routes control
// notifications to a dialog, modal dialogs and tab pages, message boxes and the other host services
// that show something to the user.
#pragma once

#include "hostapi/Platform.h"
#include "hostapi/Resources.h"
#include "hostapi/WString.h"

#include <cstddef>

// ---------------------------------------------------------------------------------------------------
// Geometry

struct CPoint {
    int x = 0;
    int y = 0;
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    CRect() = default;
    CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    void OffsetRect(int dx, int dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    friend bool operator==(const CRect&, const CRect&) = default;
};

// ---------------------------------------------------------------------------------------------------
// Window styles, messages and notification codes

constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_NUMBER = 0x2000;
constexpr DWORD CBS_SORT = 0x0100;
constexpr DWORD LBS_SORT = 0x0002;

constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_COMMAND = 0x0111;

// Command notifications (WM_COMMAND, code in the high word of wParam).
constexpr UINT BN_CLICKED = 0;
constexpr UINT EN_CHANGE = 0x0300;
constexpr UINT CBN_SELCHANGE = 1;
constexpr UINT CBN_EDITCHANGE = 5;
constexpr UINT LBN_SELCHANGE = 1;

// WM_NOTIFY codes.
constexpr UINT NM_CLICK = static_cast<UINT>(-2);
constexpr UINT NM_DBLCLK = static_cast<UINT>(-3);
constexpr UINT GVN_SELCHANGED = static_cast<UINT>(-101);
constexpr UINT GVN_ENDLABELEDIT = static_cast<UINT>(-176);
constexpr UINT TCN_SELCHANGE = static_cast<UINT>(-551);

constexpr WORD LOWORD(std::uintptr_t v) {
    return static_cast<WORD>(v & 0xFFFF);
}
constexpr WORD HIWORD(std::uintptr_t v) {
    return static_cast<WORD>((v >> 16) & 0xFFFF);
}
constexpr WPARAM MAKEWPARAM(UINT low, UINT high) {
    return static_cast<WPARAM>((low & 0xFFFF) | ((high & 0xFFFF) << 16));
}

struct NMHDR {
    HWND hwndFrom = nullptr;
    std::uintptr_t idFrom = 0;
    UINT code = 0;
};

constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;

// Modal results and message-box buttons.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// ---------------------------------------------------------------------------------------------------
// Dialog templates: module resources, data not code.
//
// A dialog exists as four templates n, n+1, n+2, n+3, one per screen variant, with the same controls
// (same ids and kinds, in the same order); only positions and sizes differ. A module writes its dialogs
// in its resource script (resources/Pregeo.rc) and the build turns the script into these tables. Sizes
// and rectangles are in dialog units; pages have no title. A control without WS_VISIBLE starts hidden,
// with WS_DISABLED disabled; WS_GROUP starts a new group of radios.

enum class ControlKind : BYTE {
    Static,
    GroupBox,
    Button,
    CheckBox,
    Radio,
    Edit,
    ComboList, // drop-down list
    ComboEdit, // editable combo box
    ListBox,
    Tab,
    Grid,
};

struct ControlTemplate {
    UINT id;
    ControlKind kind;
    const char16_t* text;
    DWORD style;
    CRect rect;
};

struct DialogTemplate {
    UINT id;
    const char16_t* title; // empty for pages
    short cx;
    short cy;
    const ControlTemplate* controls;
    std::size_t controlCount;
};

// ---------------------------------------------------------------------------------------------------
// Windows and the handler table

struct UiWindow; // the host's state of a window
class CWnd;
using AFX_PMSG = void (CWnd::*)();

enum class MsgSig : BYTE {
    Cmd,      // void f()
    CmdRange, // void f(UINT id)
    Notify,   // void f(NMHDR*, LRESULT*)
};

union MsgHandler {
    AFX_PMSG cmd;
    void (CWnd::*range)(UINT);
    void (CWnd::*notify)(NMHDR*, LRESULT*);
};

struct MsgMapEntry {
    UINT message; // WM_COMMAND or WM_NOTIFY; 0 ends the table
    UINT code;
    UINT id;
    UINT lastId;
    MsgSig sig;
    MsgHandler pfn;
};

struct MsgMap {
    const MsgMap* (*base)();
    const MsgMapEntry* entries;
};

// A dialog's class states which control triggers what:
//
//     class CDlgEsempio : public CExDialog {
//         ...
//         void OnProvinciaCambiata();
//         void OnTab(NMHDR* nm, LRESULT* result);
//         DECLARE_MESSAGE_MAP()
//     };
//     BEGIN_MESSAGE_MAP(CDlgEsempio, CExDialog)
//         ON_CBN_SELCHANGE(2370, OnProvinciaCambiata)
//         ON_NOTIFY(TCN_SELCHANGE, 2354, OnTab)
//     END_MESSAGE_MAP()
#define DECLARE_MESSAGE_MAP()                                                                                \
protected:                                                                                                   \
    static const MsgMap* GetThisMessageMap();                                                                \
    const MsgMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
    const MsgMap* theClass::GetMessageMap() const {                                                          \
        return GetThisMessageMap();                                                                          \
    }                                                                                                        \
    const MsgMap* theClass::GetThisMessageMap() {                                                            \
        using ThisClass = theClass;                                                                          \
        using TheBaseClass = baseClass;                                                                      \
        static const MsgMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                                                    \
    {                                                                                                        \
        0, 0, 0, 0, MsgSig::Cmd, {                                                                           \
            nullptr                                                                                          \
        }                                                                                                    \
    }                                                                                                        \
    }                                                                                                        \
    ;                                                                                                        \
    static const MsgMap map = {&TheBaseClass::GetThisMessageMap, entries};                                   \
    return &map;                                                                                             \
    }

#define ON_CONTROL(code, id, fn)                                                                             \
    {WM_COMMAND,  code,                                                                                      \
     id,          id,                                                                                        \
     MsgSig::Cmd, {.cmd = static_cast<AFX_PMSG>(static_cast<void (ThisClass::*)()>(&ThisClass::fn))}},
#define ON_CONTROL_RANGE(code, first, last, fn)                                                              \
    {WM_COMMAND,                                                                                             \
     code,                                                                                                   \
     first,                                                                                                  \
     last,                                                                                                   \
     MsgSig::CmdRange,                                                                                       \
     {.range = static_cast<void (CWnd::*)(UINT)>(static_cast<void (ThisClass::*)(UINT)>(&ThisClass::fn))}},
#define ON_NOTIFY(code, id, fn)                                                                              \
    {WM_NOTIFY,                                                                                              \
     code,                                                                                                   \
     id,                                                                                                     \
     id,                                                                                                     \
     MsgSig::Notify,                                                                                         \
     {.notify = static_cast<void (CWnd::*)(NMHDR*, LRESULT*)>(                                               \
          static_cast<void (ThisClass::*)(NMHDR*, LRESULT*)>(&ThisClass::fn))}},
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_COMMAND(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)

// A window: a dialog, a page or a control. A control object either owns its window (a grid made with
// Create) or stands for a control of a dialog's template (GetDlgItem, SubclassDlgItem); several objects
// may stand for the same control and share its state. Operations on an object without a window do
// nothing and answer empty values.
class HOSTAPI CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    UiWindow* GetUiWindow() const { return m_pWnd; }
    BOOL IsWindow() const { return m_pWnd != nullptr; }
    UINT GetDlgCtrlID() const;
    CWnd* GetParent() const;
    CWnd* GetDlgItem(UINT id) const;
    // Makes this object stand for control id of parent.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Destroys the window this object created; PostNcDestroy follows once it is gone.
    virtual BOOL DestroyWindow();
    // The last word of a window: a view that lives as long as its window deletes itself here.
    virtual void PostNcDestroy() {}
    // The host has no message queue: a posted WM_SETFOCUS gives the window the focus at once, other
    // messages are dropped. False when there is no window.
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    void SetWindowText(const WString& text);
    void GetWindowText(WString& text) const;
    WString GetWindowText() const;
    int GetWindowTextLength() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int show);
    BOOL IsWindowVisible() const;
    DWORD GetStyle() const;
    void ModifyStyle(DWORD remove, DWORD add);

    // Rectangles are in the dialog's coordinates, which the host also uses as screen coordinates.
    void GetWindowRect(CRect* rect) const;
    void GetClientRect(CRect* rect) const;
    void ScreenToClient(CRect*) const {}
    void ClientToScreen(CRect*) const {}
    void MoveWindow(const CRect& rect, BOOL repaint = TRUE);
    void SetFocus();
    void Invalidate(BOOL erase = TRUE);
    void UpdateWindow();
    BOOL RedrawWindow();

    void SetDlgItemText(UINT id, const WString& text);
    UINT GetDlgItemText(UINT id, WString& text) const;
    void CheckDlgButton(UINT id, UINT check);
    UINT IsDlgButtonChecked(UINT id) const;
    void CheckRadioButton(UINT first, UINT last, UINT check);
    UINT GetCheckedRadioButton(UINT first, UINT last) const;

    // Notifications from child controls; the default walks the handler table. True when handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual void OnDestroy() {}

protected:
    static const MsgMap* GetThisMessageMap();
    virtual const MsgMap* GetMessageMap() const;

private:
    friend struct UiWindow;
    friend struct UiAccess;
    UiWindow* m_pWnd = nullptr;
};

// A dialog from a template; modal with DoModal, or a page with Create.
class HOSTAPI CWSizeDialog : public CWnd {
public:
    CWSizeDialog(UINT templateId, CWnd* parent);
    ~CWSizeDialog() override;

    // Runs the dialog with the host's modal loop; the value given to EndDialog (IDOK, IDCANCEL, ...),
    // -1 when the dialog cannot be shown (no template, no user interface).
    virtual int DoModal();
    // A modeless child (a page): created from the template, initialised, hidden until shown.
    virtual BOOL Create(UINT templateId, CWnd* parent);
    void EndDialog(int result);
    UINT GetTemplateId() const { return m_TemplateId; }
    CWnd* GetParentWnd() const { return m_Parent; }

    // Derived initialisations call the base first.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    UINT m_TemplateId;
    CWnd* m_Parent;
};

class HOSTAPI CExDialog : public CWSizeDialog {
public:
    CExDialog(UINT templateId, CWnd* parent) : CWSizeDialog(templateId, parent) {}
    // Places this page over a rectangle of its parent's client area.
    void SetWindowedMode(const CRect& rect);
};

// The device: which template variant fits the screen, and the scale of pixel sizes.
class HOSTAPI CPalmDevice {
public:
    static UINT SelectIdDlgStd(UINT id0, UINT id1, UINT id2, UINT id3);
    static int GetResMultiplier();
};

// ---------------------------------------------------------------------------------------------------
// Message boxes, the wait indicator, file and folder choice

constexpr UINT MB_OK = 0x00;
constexpr UINT MB_OKCANCEL = 0x01;
constexpr UINT MB_YESNOCANCEL = 0x03;
constexpr UINT MB_YESNO = 0x04;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONSTOP = MB_ICONERROR;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONINFORMATION = 0x40;

// A modal message box; answers the button pressed (IDOK, IDCANCEL, IDYES, IDNO), 0 when no user
// interface is there to show it.
HOSTAPI int CreateMessageBox(CWnd* parent, const WString& text, const WString& title, UINT style);

class HOSTAPI CWaitThread {
public:
    static CWaitThread* GetInstance();
    void StartWait();
    void EndWait();
    bool IsWaiting() const { return m_Depth > 0; }

private:
    int m_Depth = 0;
};

constexpr DWORD OFN_FILEMUSTEXIST = 0x1000;
constexpr DWORD OFN_PATHMUSTEXIST = 0x0800;
constexpr DWORD OFN_HIDEREADONLY = 0x0004;

// The host's file-open dialog. The filter is the platform's "Description|pattern|...||".
class HOSTAPI CFileDialog {
public:
    CFileDialog(BOOL open, const WString& defaultExt, const WString& fileName, DWORD flags,
                const WString& filter, CWnd* parent = nullptr);
    int DoModal();
    WString GetPathName() const { return m_Path; }
    WString GetFileName() const;

private:
    BOOL m_Open;
    WString m_DefaultExt;
    WString m_Path;
    DWORD m_Flags;
    WString m_Filter;
};

// The host's folder choice: true with the chosen folder, false when the user cancels.
HOSTAPI BOOL DlgSelectJobFolder(CWnd* parent, WString& folder);
