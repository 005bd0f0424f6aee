// The host's controls: the standard ones, the host's keyboard-panel variants, bitmaps and image lists.
// A control object stands for a control of a dialog (GetDlgItem or SubclassDlgItem); its state lives
// with the dialog.
#pragma once

#include "hostapi/Dialog.h"

#include <vector>

constexpr int CB_ERR = -1;
constexpr int LB_ERR = -1;
constexpr UINT BST_UNCHECKED = 0;
constexpr UINT BST_CHECKED = 1;

// ---------------------------------------------------------------------------------------------------
// Bitmaps and image lists

class HOSTAPI CBitmap {
public:
    CBitmap() = default;
    virtual ~CBitmap();
    // Reads a BMP file (1, 4, 8, 24 or 32 bits per pixel, uncompressed); false when it is not one.
    BOOL LoadFromFile(const WString& path);
    int GetWidth() const { return m_Width; }
    int GetHeight() const { return m_Height; }
    int GetBitsPerPixel() const { return m_Bits; }
    // 0x00BBGGRR of a pixel, 0 outside the bitmap.
    COLORREF GetPixel(int x, int y) const;
    BOOL DeleteObject();

private:
    int m_Width = 0;
    int m_Height = 0;
    int m_Bits = 0;
    std::vector<COLORREF> m_Pixels; // row-major, top row first
};

// Loads a bitmap from the host's support folder by file name ("Esiti.bmp"); null when the file is
// missing or not a bitmap. The caller deletes it.
HOSTAPI CBitmap* LoadASupportBmp(const WString& fileName);

constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR24 = 0x0018;

class HOSTAPI CImageList {
public:
    CImageList() = default;
    virtual ~CImageList();
    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // Cuts the bitmap into images of the list's width, left to right; the index of the first image
    // added, -1 when the list is not created or the bitmap is null.
    int Add(const CBitmap* bitmap, COLORREF mask);
    int GetImageCount() const { return m_Count; }
    int GetImageWidth() const { return m_Cx; }
    int GetImageHeight() const { return m_Cy; }
    BOOL DeleteImageList();

private:
    int m_Cx = 0;
    int m_Cy = 0;
    int m_Count = 0;
    bool m_Created = false;
};

// ---------------------------------------------------------------------------------------------------
// Standard controls

class HOSTAPI CStatic : public CWnd {};

class HOSTAPI CButton : public CWnd {
public:
    // Check boxes and radios: BST_CHECKED or BST_UNCHECKED.
    UINT GetCheck() const;
    void SetCheck(UINT check);
};

class HOSTAPI CEdit : public CWnd {
public:
    void SetReadOnly(BOOL readOnly = TRUE);
    BOOL IsReadOnly() const;
    void SetLimitText(UINT max);
    void SetSel(int start, int end) {
        (void)start;
        (void)end;
    }
};

class HOSTAPI CComboBox : public CWnd {
public:
    int AddString(const WString& text);
    int InsertString(int index, const WString& text);
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    // Selects index (-1 for none) without notifying; the text shows the entry. CB_ERR when out of range.
    int SetCurSel(int index);
    int GetLBText(int index, WString& text) const;
    WString GetLBText(int index) const;
    int GetLBTextLen(int index) const;
    int SetItemData(int index, std::uintptr_t data);
    std::uintptr_t GetItemData(int index) const;
    // First entry after start (-1: from the top) that begins with the text, ignoring case; wraps.
    int FindString(int start, const WString& prefix) const;
    int FindStringExact(int start, const WString& text) const;
    // Selects what FindString finds; CB_ERR and no change when nothing matches.
    int SelectString(int start, const WString& prefix);
};

class HOSTAPI CListBox : public CWnd {
public:
    int AddString(const WString& text);
    int InsertString(int index, const WString& text);
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int GetText(int index, WString& text) const;
    WString GetText(int index) const;
    int GetTextLen(int index) const;
    int SetItemData(int index, std::uintptr_t data);
    std::uintptr_t GetItemData(int index) const;
    int FindString(int start, const WString& prefix) const;
    int FindStringExact(int start, const WString& text) const;
    // The list box's prefix selection: the first entry that begins with the text, ignoring case.
    int SelectString(int start, const WString& prefix);
};

class HOSTAPI CTabCtrl : public CWnd {
public:
    int InsertItem(int index, const WString& text);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    WString GetItemText(int index) const;
    int GetCurSel() const;
    // Selects without notifying, as the platform's tab control does; -1 when out of range.
    int SetCurSel(int index);
};

// ---------------------------------------------------------------------------------------------------
// The host's variants: they open the input panel on the device and otherwise behave as above.

class HOSTAPI CColButton : public CButton {
public:
    // Colour indices of the host's palette: text, background.
    void SetBtnColor(int fore, int back);
    int GetForeColor() const;
    int GetBackColor() const;
    // Button images from an image list; SetImage(-1) shows the text again.
    void SetImageList(CImageList* images);
    void SetImage(int index);
    int GetImage() const;
};

class HOSTAPI CCEBaseButton : public CButton {};
class HOSTAPI CCEEditKeybNum : public CEdit {};
class HOSTAPI CCEEditKeybTxt : public CEdit {};
class HOSTAPI CCEBaseKeybCombo : public CComboBox {};
