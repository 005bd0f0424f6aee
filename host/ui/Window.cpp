#include "host/ui/Window.h"

#include "host/ui/Driver.h"

#include <algorithm>

// Reaches CWnd's binding to its window.
struct UiAccess {
    static UiWindow*& Ptr(CWnd& w) { return w.m_pWnd; }
    static UiWindow* Ptr(const CWnd& w) { return w.m_pWnd; }
};

// ---------------------------------------------------------------------------------------------------
// UiWindow

UiWindow::~UiWindow() {
    if (object && UiAccess::Ptr(*object) == this)
        UiAccess::Ptr(*object) = nullptr;
    for (CWnd* w : attached)
        if (UiAccess::Ptr(*w) == this)
            UiAccess::Ptr(*w) = nullptr;
    // Children go first, while this window still answers their parent lookups.
    children.clear();
}

CWnd* UiWindow::Primary() const {
    if (!attached.empty())
        return attached.back();
    return object;
}

bool UiWindow::Shown() const {
    for (const UiWindow* w = this; w; w = w->parent)
        if (!w->visible)
            return false;
    return true;
}

UiWindow* UiWindow::FindChild(UINT childId) const {
    for (const auto& c : children)
        if (c->id == childId && !c->isDialog)
            return c.get();
    return nullptr;
}

UiWindow* UiWindow::OwnerDialog() const {
    UiWindow* p = parent;
    while (p && !p->isDialog)
        p = p->parent;
    return p;
}

void GridState::Renumber() {
    if (!autoNumber || columns == 0)
        return;
    for (int r = fixedRows; r < RowCount(); ++r)
        cells.SetText(r, 0, WString::Formatted(u"%d", r - fixedRows + 1));
}

void GridState::KeepEmptyLastRow() {
    if (!autoAdd || columns == 0)
        return;
    const auto isEmpty = [&](int row) {
        for (int c = autoNumber ? 1 : 0; c < columns; ++c)
            if (cells.HasText(row, c))
                return false;
        return true;
    };
    if (RowCount() == fixedRows || !isEmpty(RowCount() - 1))
        cells.SetRows(RowCount() + 1);
    Renumber();
}

namespace host::ui {

namespace {

std::unique_ptr<CWnd> MakeObject(ControlKind kind) {
    switch (kind) {
    case ControlKind::Static:
    case ControlKind::GroupBox:
        return std::make_unique<CStatic>();
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::Radio:
        return std::make_unique<CButton>();
    case ControlKind::Edit:
        return std::make_unique<CEdit>();
    case ControlKind::ComboList:
    case ControlKind::ComboEdit:
        return std::make_unique<CComboBox>();
    case ControlKind::ListBox:
        return std::make_unique<CListBox>();
    case ControlKind::Tab:
        return std::make_unique<CTabCtrl>();
    case ControlKind::Grid:
        return std::make_unique<CCEGridCtrl>();
    }
    return std::make_unique<CWnd>();
}

void CallOnDestroy(UiWindow& w) {
    if (w.isDialog && w.object)
        w.object->OnDestroy();
    for (const auto& c : w.children)
        CallOnDestroy(*c);
}

} // namespace

const char* KindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Static:
        return "static";
    case ControlKind::GroupBox:
        return "group";
    case ControlKind::Button:
        return "button";
    case ControlKind::CheckBox:
        return "check";
    case ControlKind::Radio:
        return "radio";
    case ControlKind::Edit:
        return "edit";
    case ControlKind::ComboList:
        return "combo";
    case ControlKind::ComboEdit:
        return "combo-edit";
    case ControlKind::ListBox:
        return "list";
    case ControlKind::Tab:
        return "tab";
    case ControlKind::Grid:
        return "grid";
    }
    return "control";
}

void BindObject(CWnd& object, UiWindow* window) {
    UiAccess::Ptr(object) = window;
}

UiWindow* WindowOf(const CWnd* object) {
    return object ? UiAccess::Ptr(*object) : nullptr;
}

std::unique_ptr<UiWindow> CreateDialogWindow(CWSizeDialog& dialog, const DialogTemplate& tmpl,
                                             UiWindow* parent) {
    auto w = std::make_unique<UiWindow>();
    w->isDialog = true;
    w->id = tmpl.id;
    w->tmpl = &tmpl;
    w->text = tmpl.title ? WString(tmpl.title) : WString();
    w->rect = CRect(0, 0, tmpl.cx, tmpl.cy);
    w->parent = parent;
    w->object = &dialog;
    for (std::size_t i = 0; i < tmpl.controlCount; ++i) {
        const ControlTemplate& t = tmpl.controls[i];
        auto c = std::make_unique<UiWindow>();
        c->kind = t.kind;
        c->id = t.id;
        c->style = t.style;
        c->text = t.text ? WString(t.text) : WString();
        c->rect = t.rect;
        c->visible = (t.style & WS_VISIBLE) != 0;
        c->enabled = (t.style & WS_DISABLED) == 0;
        c->readOnly = (t.style & ES_READONLY) != 0;
        c->parent = w.get();
        if (t.kind == ControlKind::Grid)
            c->grid = std::make_unique<GridState>();
        if (t.kind == ControlKind::Tab) {
            c->text.Empty();
        }
        c->permanent = MakeObject(t.kind);
        c->object = c->permanent.get();
        BindObject(*c->permanent, c.get());
        w->children.push_back(std::move(c));
    }
    BindObject(dialog, w.get());
    return w;
}

void DestroyDialogWindow(std::unique_ptr<UiWindow> window) {
    if (!window)
        return;
    CallOnDestroy(*window);
    window.reset();
}

void SendCommand(UiWindow& control, UINT code) {
    UiWindow* owner = control.OwnerDialog();
    if (!owner || !owner->object)
        return;
    owner->object->OnCommand(MAKEWPARAM(control.id, code), 0);
}

void SendGridNotify(UiWindow& grid, UINT code, int row, int column) {
    UiWindow* owner = grid.OwnerDialog();
    if (!owner || !owner->object)
        return;
    NM_GRIDVIEW nm;
    nm.hdr.idFrom = grid.id;
    nm.hdr.code = code;
    nm.iRow = row;
    nm.iColumn = column;
    LRESULT result = 0;
    owner->object->OnNotify(grid.id, reinterpret_cast<LPARAM>(&nm), &result);
}

std::vector<UiWindow*> RadioGroup(UiWindow& radio) {
    std::vector<UiWindow*> group;
    UiWindow* parent = radio.parent;
    if (!parent)
        return {&radio};
    auto& list = parent->children;
    auto it = std::find_if(list.begin(), list.end(), [&](const auto& c) { return c.get() == &radio; });
    if (it == list.end())
        return {&radio};
    auto first = it;
    while (first != list.begin() && !((*first)->style & WS_GROUP) &&
           (*std::prev(first))->kind == ControlKind::Radio && !(*std::prev(first))->isDialog)
        --first;
    for (auto i = first; i != list.end(); ++i) {
        if ((*i)->isDialog || (*i)->kind != ControlKind::Radio)
            break;
        if (i != first && ((*i)->style & WS_GROUP))
            break;
        group.push_back(i->get());
    }
    return group;
}

} // namespace host::ui

using host::ui::WindowOf;

// ---------------------------------------------------------------------------------------------------
// CWnd

CWnd::~CWnd() {
    UiWindow* w = m_pWnd;
    if (!w)
        return;
    if (w->object == this && !w->permanent) {
        // This object created the window (a page, a grid): the window goes with it.
        DestroyWindow();
        return;
    }
    std::erase(w->attached, this);
    if (w->object == this)
        w->object = nullptr;
}

UINT CWnd::GetDlgCtrlID() const {
    return m_pWnd ? m_pWnd->id : 0;
}

CWnd* CWnd::GetParent() const {
    if (!m_pWnd || !m_pWnd->parent)
        return nullptr;
    return m_pWnd->parent->Primary();
}

CWnd* CWnd::GetDlgItem(UINT id) const {
    UiWindow* c = m_pWnd ? m_pWnd->FindChild(id) : nullptr;
    return c ? c->Primary() : nullptr;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    UiWindow* p = WindowOf(parent);
    UiWindow* c = p ? p->FindChild(id) : nullptr;
    if (!c)
        return FALSE;
    if (m_pWnd)
        std::erase(m_pWnd->attached, this);
    m_pWnd = c;
    c->attached.push_back(this);
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    UiWindow* w = m_pWnd;
    if (!w)
        return FALSE;
    if (w->object != this || w->permanent)
        return FALSE;
    if (w->parent) {
        UiWindow* parent = w->parent;
        auto it = std::find_if(parent->children.begin(), parent->children.end(),
                               [w](const auto& c) { return c.get() == w; });
        if (it != parent->children.end()) {
            std::unique_ptr<UiWindow> own = std::move(*it);
            parent->children.erase(it);
            host::ui::DestroyDialogWindow(std::move(own));
            PostNcDestroy();
            return TRUE;
        }
    }
    // A modal dialog's window belongs to the modal loop, which ends it.
    return FALSE;
}

BOOL CWnd::PostMessage(UINT message, WPARAM, LPARAM) {
    if (!m_pWnd)
        return FALSE;
    if (message == WM_SETFOCUS)
        SetFocus();
    return TRUE;
}

void CWnd::SetWindowText(const WString& text) {
    if (!m_pWnd)
        return;
    if (m_pWnd->kind == ControlKind::ComboEdit && !m_pWnd->isDialog) {
        m_pWnd->text = text;
        return;
    }
    m_pWnd->text = text;
    // The platform's edit control reports a text set from code as a change too.
    if (!m_pWnd->isDialog && m_pWnd->kind == ControlKind::Edit)
        host::ui::SendCommand(*m_pWnd, EN_CHANGE);
}

void CWnd::GetWindowText(WString& text) const {
    text = GetWindowText();
}

WString CWnd::GetWindowText() const {
    if (!m_pWnd)
        return {};
    if (!m_pWnd->isDialog && m_pWnd->kind == ControlKind::ComboList)
        return m_pWnd->curSel >= 0 ? m_pWnd->items[m_pWnd->curSel].text : WString();
    return m_pWnd->text;
}

int CWnd::GetWindowTextLength() const {
    return GetWindowText().GetLength();
}

BOOL CWnd::EnableWindow(BOOL enable) {
    if (!m_pWnd)
        return FALSE;
    const BOOL wasDisabled = !m_pWnd->enabled;
    m_pWnd->enabled = enable != FALSE;
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
    return m_pWnd && m_pWnd->enabled;
}

BOOL CWnd::ShowWindow(int show) {
    if (!m_pWnd)
        return FALSE;
    const BOOL was = m_pWnd->visible;
    m_pWnd->visible = show != SW_HIDE;
    return was;
}

BOOL CWnd::IsWindowVisible() const {
    return m_pWnd && m_pWnd->Shown();
}

DWORD CWnd::GetStyle() const {
    if (!m_pWnd)
        return 0;
    DWORD style = m_pWnd->style & ~(WS_VISIBLE | WS_DISABLED | ES_READONLY);
    if (m_pWnd->visible)
        style |= WS_VISIBLE;
    if (!m_pWnd->enabled)
        style |= WS_DISABLED;
    if (m_pWnd->readOnly && m_pWnd->kind == ControlKind::Edit)
        style |= ES_READONLY;
    return style;
}

void CWnd::ModifyStyle(DWORD remove, DWORD add) {
    if (!m_pWnd)
        return;
    const DWORD style = (GetStyle() & ~remove) | add;
    m_pWnd->style = style;
    m_pWnd->visible = (style & WS_VISIBLE) != 0;
    m_pWnd->enabled = (style & WS_DISABLED) == 0;
    if (m_pWnd->kind == ControlKind::Edit)
        m_pWnd->readOnly = (style & ES_READONLY) != 0;
}

void CWnd::GetWindowRect(CRect* rect) const {
    if (!rect)
        return;
    *rect = m_pWnd ? m_pWnd->rect : CRect();
}

void CWnd::GetClientRect(CRect* rect) const {
    if (!rect)
        return;
    *rect = m_pWnd ? CRect(0, 0, m_pWnd->rect.Width(), m_pWnd->rect.Height()) : CRect();
}

void CWnd::MoveWindow(const CRect& rect, BOOL) {
    if (m_pWnd)
        m_pWnd->rect = rect;
}

// Nothing to type into here but the front ends: the dialog only remembers which control has the focus.
void CWnd::SetFocus() {
    if (!m_pWnd)
        return;
    UiWindow* top = m_pWnd;
    while (top->parent)
        top = top->parent;
    top->focus = m_pWnd->id;
}
void CWnd::Invalidate(BOOL) {}
void CWnd::UpdateWindow() {}
BOOL CWnd::RedrawWindow() {
    return m_pWnd != nullptr;
}

void CWnd::SetDlgItemText(UINT id, const WString& text) {
    if (CWnd* c = GetDlgItem(id))
        c->SetWindowText(text);
}

UINT CWnd::GetDlgItemText(UINT id, WString& text) const {
    CWnd* c = GetDlgItem(id);
    text = c ? c->GetWindowText() : WString();
    return static_cast<UINT>(text.GetLength());
}

void CWnd::CheckDlgButton(UINT id, UINT check) {
    if (UiWindow* c = m_pWnd ? m_pWnd->FindChild(id) : nullptr)
        c->check = check;
}

UINT CWnd::IsDlgButtonChecked(UINT id) const {
    UiWindow* c = m_pWnd ? m_pWnd->FindChild(id) : nullptr;
    return c ? c->check : BST_UNCHECKED;
}

void CWnd::CheckRadioButton(UINT first, UINT last, UINT check) {
    if (!m_pWnd)
        return;
    for (const auto& c : m_pWnd->children)
        if (!c->isDialog && c->id >= first && c->id <= last)
            c->check = c->id == check ? BST_CHECKED : BST_UNCHECKED;
}

UINT CWnd::GetCheckedRadioButton(UINT first, UINT last) const {
    if (!m_pWnd)
        return 0;
    for (const auto& c : m_pWnd->children)
        if (!c->isDialog && c->id >= first && c->id <= last && c->check == BST_CHECKED)
            return c->id;
    return 0;
}

const MsgMap* CWnd::GetThisMessageMap() {
    static const MsgMapEntry entries[] = {{0, 0, 0, 0, MsgSig::Cmd, {nullptr}}};
    static const MsgMap map = {nullptr, entries};
    return &map;
}

const MsgMap* CWnd::GetMessageMap() const {
    return GetThisMessageMap();
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    for (const MsgMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const MsgMapEntry* e = map->entries; e->message; ++e) {
            if (e->message != WM_COMMAND || e->code != code || id < e->id || id > e->lastId)
                continue;
            if (e->sig == MsgSig::CmdRange)
                (this->*e->pfn.range)(id);
            else
                (this->*e->pfn.cmd)();
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (!hdr)
        return FALSE;
    const UINT id = static_cast<UINT>(wParam);
    for (const MsgMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const MsgMapEntry* e = map->entries; e->message; ++e) {
            if (e->message != WM_NOTIFY || e->code != hdr->code || id < e->id || id > e->lastId)
                continue;
            LRESULT dummy = 0;
            (this->*e->pfn.notify)(hdr, result ? result : &dummy);
            return TRUE;
        }
    }
    return FALSE;
}

// ---------------------------------------------------------------------------------------------------
// Dialogs

CWSizeDialog::CWSizeDialog(UINT templateId, CWnd* parent) : m_TemplateId(templateId), m_Parent(parent) {}

CWSizeDialog::~CWSizeDialog() = default;

int CWSizeDialog::DoModal() {
    return host::ui::RunModalDialog(*this);
}

BOOL CWSizeDialog::Create(UINT templateId, CWnd* parent) {
    UiWindow* p = WindowOf(parent);
    const DialogTemplate* tmpl = FindDialogTemplate(templateId);
    if (!p || !tmpl || GetUiWindow())
        return FALSE;
    m_TemplateId = templateId;
    m_Parent = parent;
    auto w = host::ui::CreateDialogWindow(*this, *tmpl, p);
    w->visible = false;
    p->children.push_back(std::move(w));
    OnInitDialog();
    return TRUE;
}

void CWSizeDialog::EndDialog(int result) {
    UiWindow* w = GetUiWindow();
    if (!w)
        return;
    if (w->modal) {
        w->ended = true;
        w->result = result;
    } else {
        w->visible = false;
    }
}

BOOL CWSizeDialog::OnInitDialog() {
    return TRUE;
}

void CWSizeDialog::OnOK() {
    EndDialog(IDOK);
}

void CWSizeDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CWSizeDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    if (LOWORD(wParam) == IDOK) {
        OnOK();
        return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

void CExDialog::SetWindowedMode(const CRect& rect) {
    if (UiWindow* w = GetUiWindow()) {
        w->rect = rect;
        w->style |= WS_CHILD;
    }
}

// ---------------------------------------------------------------------------------------------------
// Buttons and edits

UINT CButton::GetCheck() const {
    UiWindow* w = GetUiWindow();
    return w ? w->check : BST_UNCHECKED;
}

void CButton::SetCheck(UINT check) {
    if (UiWindow* w = GetUiWindow())
        w->check = check;
}

void CEdit::SetReadOnly(BOOL readOnly) {
    if (UiWindow* w = GetUiWindow())
        w->readOnly = readOnly != FALSE;
}

BOOL CEdit::IsReadOnly() const {
    UiWindow* w = GetUiWindow();
    return w && w->readOnly;
}

void CEdit::SetLimitText(UINT max) {
    if (UiWindow* w = GetUiWindow())
        w->textLimit = max;
}

void CColButton::SetBtnColor(int fore, int back) {
    if (UiWindow* w = GetUiWindow()) {
        w->foreColour = fore;
        w->backColour = back;
    }
}

int CColButton::GetForeColor() const {
    UiWindow* w = GetUiWindow();
    return w ? w->foreColour : -1;
}

int CColButton::GetBackColor() const {
    UiWindow* w = GetUiWindow();
    return w ? w->backColour : -1;
}

void CColButton::SetImageList(CImageList* images) {
    if (UiWindow* w = GetUiWindow())
        w->images = images;
}

void CColButton::SetImage(int index) {
    if (UiWindow* w = GetUiWindow())
        w->image = index;
}

int CColButton::GetImage() const {
    UiWindow* w = GetUiWindow();
    return w ? w->image : -1;
}

// ---------------------------------------------------------------------------------------------------
// Combo boxes, list boxes and tab controls share the item list of their window.

namespace {

bool StartsWithNoCase(const WString& text, const WString& prefix) {
    return text.GetLength() >= prefix.GetLength() && text.Left(prefix.GetLength()).CompareNoCase(prefix) == 0;
}

int AddItem(UiWindow* w, int index, const WString& text, bool sorted) {
    if (!w)
        return CB_ERR;
    auto& items = w->items;
    int at = index;
    if (index < 0 || index > static_cast<int>(items.size()))
        at = static_cast<int>(items.size());
    if (sorted && index < 0) {
        at = 0;
        while (at < static_cast<int>(items.size()) && items[at].text.CompareNoCase(text) <= 0)
            ++at;
    }
    items.insert(items.begin() + at, UiItem{text, 0});
    if (w->curSel >= at)
        ++w->curSel;
    return at;
}

int DeleteItem(UiWindow* w, int index) {
    if (!w || index < 0 || index >= static_cast<int>(w->items.size()))
        return CB_ERR;
    w->items.erase(w->items.begin() + index);
    if (w->curSel == index)
        w->curSel = -1;
    else if (w->curSel > index)
        --w->curSel;
    return static_cast<int>(w->items.size());
}

int FindItem(const UiWindow* w, int start, const WString& text, bool exact) {
    if (!w || w->items.empty())
        return CB_ERR;
    const int n = static_cast<int>(w->items.size());
    const int first = start < 0 || start >= n ? 0 : start + 1;
    for (int k = 0; k < n; ++k) {
        const int i = (first + k) % n;
        const WString& item = w->items[i].text;
        if (exact ? item.CompareNoCase(text) == 0 : StartsWithNoCase(item, text))
            return i;
    }
    return CB_ERR;
}

int SetSelection(UiWindow* w, int index) {
    if (!w)
        return CB_ERR;
    if (index < -1 || index >= static_cast<int>(w->items.size())) {
        w->curSel = -1;
        return CB_ERR;
    }
    w->curSel = index;
    if (w->kind == ControlKind::ComboEdit)
        w->text = index >= 0 ? w->items[index].text : WString();
    return index;
}

int GetItemText(const UiWindow* w, int index, WString& text) {
    if (!w || index < 0 || index >= static_cast<int>(w->items.size())) {
        text.Empty();
        return CB_ERR;
    }
    text = w->items[index].text;
    return text.GetLength();
}

int SetData(UiWindow* w, int index, std::uintptr_t data) {
    if (!w || index < 0 || index >= static_cast<int>(w->items.size()))
        return CB_ERR;
    w->items[index].data = data;
    return 0;
}

std::uintptr_t GetData(const UiWindow* w, int index) {
    if (!w || index < 0 || index >= static_cast<int>(w->items.size()))
        return static_cast<std::uintptr_t>(CB_ERR);
    return w->items[index].data;
}

int Count(const UiWindow* w) {
    return w ? static_cast<int>(w->items.size()) : 0;
}

} // namespace

int CComboBox::AddString(const WString& text) {
    UiWindow* w = GetUiWindow();
    return AddItem(w, -1, text, w && (w->style & CBS_SORT));
}
int CComboBox::InsertString(int index, const WString& text) {
    return AddItem(GetUiWindow(), index, text, false);
}
int CComboBox::DeleteString(int index) {
    return DeleteItem(GetUiWindow(), index);
}
void CComboBox::ResetContent() {
    if (UiWindow* w = GetUiWindow()) {
        w->items.clear();
        w->curSel = -1;
        if (w->kind == ControlKind::ComboEdit)
            w->text.Empty();
    }
}
int CComboBox::GetCount() const {
    return Count(GetUiWindow());
}
int CComboBox::GetCurSel() const {
    UiWindow* w = GetUiWindow();
    return w ? w->curSel : CB_ERR;
}
int CComboBox::SetCurSel(int index) {
    return SetSelection(GetUiWindow(), index);
}
int CComboBox::GetLBText(int index, WString& text) const {
    return GetItemText(GetUiWindow(), index, text);
}
WString CComboBox::GetLBText(int index) const {
    WString text;
    GetItemText(GetUiWindow(), index, text);
    return text;
}
int CComboBox::GetLBTextLen(int index) const {
    WString text;
    return GetItemText(GetUiWindow(), index, text);
}
int CComboBox::SetItemData(int index, std::uintptr_t data) {
    return SetData(GetUiWindow(), index, data);
}
std::uintptr_t CComboBox::GetItemData(int index) const {
    return GetData(GetUiWindow(), index);
}
int CComboBox::FindString(int start, const WString& prefix) const {
    return FindItem(GetUiWindow(), start, prefix, false);
}
int CComboBox::FindStringExact(int start, const WString& text) const {
    return FindItem(GetUiWindow(), start, text, true);
}
int CComboBox::SelectString(int start, const WString& prefix) {
    const int i = FindItem(GetUiWindow(), start, prefix, false);
    return i == CB_ERR ? CB_ERR : SetSelection(GetUiWindow(), i);
}

int CListBox::AddString(const WString& text) {
    UiWindow* w = GetUiWindow();
    return AddItem(w, -1, text, w && (w->style & LBS_SORT));
}
int CListBox::InsertString(int index, const WString& text) {
    return AddItem(GetUiWindow(), index, text, false);
}
int CListBox::DeleteString(int index) {
    return DeleteItem(GetUiWindow(), index);
}
void CListBox::ResetContent() {
    if (UiWindow* w = GetUiWindow()) {
        w->items.clear();
        w->curSel = -1;
    }
}
int CListBox::GetCount() const {
    return Count(GetUiWindow());
}
int CListBox::GetCurSel() const {
    UiWindow* w = GetUiWindow();
    return w ? w->curSel : LB_ERR;
}
int CListBox::SetCurSel(int index) {
    return SetSelection(GetUiWindow(), index);
}
int CListBox::GetText(int index, WString& text) const {
    return GetItemText(GetUiWindow(), index, text);
}
WString CListBox::GetText(int index) const {
    WString text;
    GetItemText(GetUiWindow(), index, text);
    return text;
}
int CListBox::GetTextLen(int index) const {
    WString text;
    return GetItemText(GetUiWindow(), index, text);
}
int CListBox::SetItemData(int index, std::uintptr_t data) {
    return SetData(GetUiWindow(), index, data);
}
std::uintptr_t CListBox::GetItemData(int index) const {
    return GetData(GetUiWindow(), index);
}
int CListBox::FindString(int start, const WString& prefix) const {
    return FindItem(GetUiWindow(), start, prefix, false);
}
int CListBox::FindStringExact(int start, const WString& text) const {
    return FindItem(GetUiWindow(), start, text, true);
}
int CListBox::SelectString(int start, const WString& prefix) {
    const int i = FindItem(GetUiWindow(), start, prefix, false);
    return i == LB_ERR ? LB_ERR : SetSelection(GetUiWindow(), i);
}

int CTabCtrl::InsertItem(int index, const WString& text) {
    UiWindow* w = GetUiWindow();
    const int at = AddItem(w, index, text, false);
    if (w && w->curSel < 0 && at >= 0)
        w->curSel = 0;
    return at;
}
BOOL CTabCtrl::DeleteItem(int index) {
    return ::DeleteItem(GetUiWindow(), index) != CB_ERR;
}
BOOL CTabCtrl::DeleteAllItems() {
    UiWindow* w = GetUiWindow();
    if (!w)
        return FALSE;
    w->items.clear();
    w->curSel = -1;
    return TRUE;
}
int CTabCtrl::GetItemCount() const {
    return Count(GetUiWindow());
}
WString CTabCtrl::GetItemText(int index) const {
    WString text;
    ::GetItemText(GetUiWindow(), index, text);
    return text;
}
int CTabCtrl::GetCurSel() const {
    UiWindow* w = GetUiWindow();
    return w ? w->curSel : -1;
}
int CTabCtrl::SetCurSel(int index) {
    UiWindow* w = GetUiWindow();
    if (!w || index < 0 || index >= static_cast<int>(w->items.size()))
        return -1;
    const int previous = w->curSel;
    w->curSel = index;
    return previous;
}
