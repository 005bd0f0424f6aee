// The host's grid controls. Rows and columns count from 0 and include the fixed (heading) ones.
#pragma once

#include "hostapi/Controls.h"

constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;

// What a grid tells its dialog (WM_NOTIFY): NM_CLICK for a tap on a cell, GVN_SELCHANGED when the
// selected row changes, GVN_ENDLABELEDIT when a cell of an editable grid was edited.
struct NM_GRIDVIEW {
    NMHDR hdr;
    int iRow = -1;
    int iColumn = -1;
};

struct CCellID {
    int row = -1;
    int col = -1;
    bool IsValid() const { return row >= 0 && col >= 0; }
};

class HOSTAPI CCEGridCtrl : public CWnd {
public:
    // Creates the grid as a child control of parent over rect, with the given id and style.
    BOOL Create(const CRect& rect, CWnd* parent, UINT id, DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER);

    BOOL SetRowCount(int rows);
    BOOL SetColumnCount(int columns);
    BOOL SetFixedRowCount(int rows);
    BOOL SetFixedColumnCount(int columns);
    int GetRowCount() const;
    int GetColumnCount() const;
    int GetFixedRowCount() const;
    int GetFixedColumnCount() const;

    // A new column at the end (or before column), its heading in the first fixed row; its index.
    int InsertColumn(const WString& heading, UINT format = DT_LEFT, int column = -1);
    BOOL SetColumnWidth(int column, int width);
    int GetColumnWidth(int column) const;
    // A new row at the end (or before row), its heading in the first fixed column when there is one.
    int InsertRow(const WString& heading, int row = -1);
    BOOL DeleteRow(int row);
    BOOL DeleteNonFixedRows();
    BOOL DeleteAllItems();

    BOOL SetItemText(int row, int column, const WString& text);
    WString GetItemText(int row, int column) const;
    BOOL SetItemFormat(int row, int column, UINT format);
    // One data word per cell; the row's word is the one of its column 0.
    BOOL SetItemData(int row, int column, LPARAM data);
    LPARAM GetItemData(int row, int column) const;
    BOOL SetRowData(int row, LPARAM data) { return SetItemData(row, 0, data); }
    LPARAM GetRowData(int row) const { return GetItemData(row, 0); }

    // A check-box cell; GetCheck is false for a cell without a box.
    BOOL SetCheck(int row, int column, BOOL checked);
    BOOL GetCheck(int row, int column) const;
    BOOL IsCheckCell(int row, int column) const;

    void SetImageList(CImageList* images);
    CImageList* GetImageList() const;
    // -1 for no image.
    BOOL SetItemImage(int row, int column, int image);
    int GetItemImage(int row, int column) const;

    BOOL SetItemBkColour(int row, int column, COLORREF colour);
    BOOL SetItemFgColour(int row, int column, COLORREF colour);
    COLORREF GetItemBkColour(int row, int column) const;
    COLORREF GetItemFgColour(int row, int column) const;

    void SetSingleRowSelection(BOOL single = TRUE);
    void SetEditable(BOOL editable = TRUE);
    BOOL IsEditable() const;
    // The selected row, -1 when none. Selecting from code does not notify.
    int GetSelectedRow() const;
    void SetSelectedRow(int row);
    CCellID GetFocusCell() const;
    void SetFocusCell(int row, int column);

    void AutoSize();
    void AutoSizeColumns();
    void SetRedraw(BOOL redraw, BOOL resetScrollBars = FALSE);
    void Refresh();
    BOOL EnsureVisible(int row, int column);
};

// The editable grid: column 0 numbers the non-fixed rows 1, 2, 3 ... by itself, and with automatic
// new rows an empty row stays at the end, so that editing it adds a row.
class HOSTAPI CCEMSGridCtrl : public CCEGridCtrl {
public:
    void SetAutoNumber(BOOL number = TRUE);
    void SetAutoAddRow(BOOL add = TRUE);
    BOOL GetAutoAddRow() const;
};
