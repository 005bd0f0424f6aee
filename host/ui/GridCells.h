// The cells of a grid. A result grid may hold millions of them (every pair of a thousand fiducial points),
// so each cell is kept in eight bytes: its text in one arena, a Latin-1 text one byte a character, and the
// rest of it (data, format, image, colours) as an index into the few distinct combinations the grid uses.
#pragma once

#include "hostapi/Grid.h"
#include "hostapi/WString.h"

#include <cstdint>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

constexpr COLORREF CLR_DEFAULT = 0xFF000000;

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

class GridCells {
public:
    int Rows() const { return m_Rows; }
    int Columns() const { return m_Columns; }

    GridCell Get(int row, int column) const;
    // Everything but the text, which stays empty.
    GridCell Attributes(int row, int column) const;
    void Put(int row, int column, const GridCell& cell);
    // Everything but the text.
    void PutAttributes(int row, int column, const GridCell& cell);
    WString Text(int row, int column) const;
    bool HasText(int row, int column) const { return At(row, column).text != 0; }
    void SetText(int row, int column, const WString& text);

    // New rows and columns hold default cells; a row inserted takes the given cell in every column.
    void SetRows(int rows);
    void SetColumns(int columns);
    void InsertRow(int at, const std::vector<GridCell>& cells);
    void InsertColumn(int at, const GridCell& cell);
    void EraseRow(int at);
    void Clear();

private:
    struct Packed {
        std::uint32_t text = 0; // offset in the arena; 0 is the empty text
        std::uint32_t rest = 0; // index into m_Rests, with the check box in the two top bits
    };
    static constexpr std::uint32_t kHasCheck = 0x80000000u;
    static constexpr std::uint32_t kChecked = 0x40000000u;
    static constexpr std::uint32_t kRest = 0x3FFFFFFFu;
    using Rest = std::tuple<LPARAM, UINT, int, COLORREF, COLORREF>;
    struct HashRest {
        std::size_t operator()(const Rest& r) const {
            std::size_t h = static_cast<std::size_t>(std::get<0>(r));
            for (const std::size_t v :
                 {static_cast<std::size_t>(std::get<1>(r)),
                  static_cast<std::size_t>(static_cast<unsigned>(std::get<2>(r))),
                  static_cast<std::size_t>(std::get<3>(r)), static_cast<std::size_t>(std::get<4>(r))})
                h = h * 1000003u ^ v;
            return h;
        }
    };

    const Packed& At(int row, int column) const {
        return m_Cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_Columns) +
                       static_cast<std::size_t>(column)];
    }
    Packed& At(int row, int column) {
        return m_Cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_Columns) +
                       static_cast<std::size_t>(column)];
    }
    void Tidy();
    Packed Pack(const GridCell& cell);
    std::uint32_t Store(const WString& text);
    void Forget(std::uint32_t text);
    std::uint32_t RestOf(const GridCell& cell);

    int m_Rows = 0;
    int m_Columns = 0;
    std::vector<Packed> m_Cells;
    std::string m_Arena = std::string(1, '\0');
    std::size_t m_Garbage = 0;
    std::vector<Rest> m_Rests = {Rest{0, DT_LEFT, -1, CLR_DEFAULT, CLR_DEFAULT}};
    std::unordered_map<Rest, std::uint32_t, HashRest> m_RestIndex = {{m_Rests.front(), 0}};
};
