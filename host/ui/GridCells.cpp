#include "host/ui/GridCells.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace {

// A text in the arena: its length and width as a varint (length * 2 + wide), then its characters, one
// byte each when every one is Latin-1, two bytes otherwise.
std::size_t Header(std::string& out, std::size_t value) {
    std::size_t n = 0;
    do {
        unsigned char b = value & 0x7F;
        value >>= 7;
        if (value)
            b |= 0x80;
        out.push_back(static_cast<char>(b));
        ++n;
    } while (value);
    return n;
}

struct Read {
    std::size_t length;
    bool wide;
    const char* chars;
    std::size_t size; // bytes in the arena, header included
};

Read Decode(const std::string& arena, std::uint32_t at) {
    std::size_t value = 0;
    int shift = 0;
    std::size_t i = at;
    for (;;) {
        const auto b = static_cast<unsigned char>(arena[i++]);
        value |= static_cast<std::size_t>(b & 0x7F) << shift;
        if (!(b & 0x80))
            break;
        shift += 7;
    }
    const std::size_t length = value >> 1;
    const bool wide = value & 1;
    const std::size_t bytes = wide ? length * 2 : length;
    return {length, wide, arena.data() + i, i - at + bytes};
}

} // namespace

// Garbage from texts written over is dropped once it is most of the arena. Only at the start of a change:
// texts packed before it would keep offsets into the old arena.
void GridCells::Tidy() {
    if (m_Garbage > (1u << 16) && m_Garbage * 2 > m_Arena.size()) {
        std::string arena(1, '\0');
        for (Packed& p : m_Cells)
            if (p.text) {
                const Read r = Decode(m_Arena, p.text);
                const auto at = static_cast<std::uint32_t>(arena.size());
                arena.append(m_Arena, p.text, r.size);
                p.text = at;
            }
        m_Arena = std::move(arena);
        m_Garbage = 0;
    }
}

std::uint32_t GridCells::Store(const WString& text) {
    const std::u16string_view s = text.view();
    if (s.empty())
        return 0;
    bool wide = false;
    for (char16_t c : s)
        wide |= c > 0xFF;
    const std::size_t at = m_Arena.size();
    if (at + 10 + s.size() * 2 > std::numeric_limits<std::uint32_t>::max())
        throw std::bad_alloc();
    Header(m_Arena, s.size() * 2 + (wide ? 1 : 0));
    if (wide) {
        const std::size_t from = m_Arena.size();
        m_Arena.resize(from + s.size() * 2);
        std::memcpy(m_Arena.data() + from, s.data(), s.size() * 2);
    } else {
        const std::size_t from = m_Arena.size();
        m_Arena.resize(from + s.size());
        char* to = m_Arena.data() + from;
        for (std::size_t i = 0; i < s.size(); ++i)
            to[i] = static_cast<char>(s[i]);
    }
    return static_cast<std::uint32_t>(at);
}

void GridCells::Forget(std::uint32_t text) {
    if (text)
        m_Garbage += Decode(m_Arena, text).size;
}

std::uint32_t GridCells::RestOf(const GridCell& cell) {
    const Rest rest{cell.data, cell.format, cell.image < 0 ? -1 : cell.image, cell.bk, cell.fg};
    const auto [it, added] = m_RestIndex.try_emplace(rest, static_cast<std::uint32_t>(m_Rests.size()));
    if (added) {
        if (m_Rests.size() >= kRest)
            throw std::bad_alloc();
        m_Rests.push_back(rest);
    }
    return it->second;
}

GridCells::Packed GridCells::Pack(const GridCell& cell) {
    Packed p;
    p.text = Store(cell.text);
    p.rest = RestOf(cell) | (cell.hasCheck ? kHasCheck : 0) | (cell.checked ? kChecked : 0);
    return p;
}

WString GridCells::Text(int row, int column) const {
    const std::uint32_t at = At(row, column).text;
    if (!at)
        return WString();
    const Read r = Decode(m_Arena, at);
    std::u16string s(r.length, u'\0');
    if (r.wide)
        std::memcpy(s.data(), r.chars, r.length * 2);
    else
        for (std::size_t i = 0; i < r.length; ++i)
            s[i] = static_cast<unsigned char>(r.chars[i]);
    return WString(std::move(s));
}

GridCell GridCells::Get(int row, int column) const {
    GridCell cell = Attributes(row, column);
    cell.text = Text(row, column);
    return cell;
}

GridCell GridCells::Attributes(int row, int column) const {
    const Packed& p = At(row, column);
    GridCell cell;
    std::tie(cell.data, cell.format, cell.image, cell.bk, cell.fg) = m_Rests[p.rest & kRest];
    cell.hasCheck = p.rest & kHasCheck;
    cell.checked = p.rest & kChecked;
    return cell;
}

void GridCells::Put(int row, int column, const GridCell& cell) {
    Tidy();
    const Packed p = Pack(cell);
    Forget(At(row, column).text);
    At(row, column) = p;
}

void GridCells::PutAttributes(int row, int column, const GridCell& cell) {
    At(row, column).rest = RestOf(cell) | (cell.hasCheck ? kHasCheck : 0) | (cell.checked ? kChecked : 0);
}

void GridCells::SetText(int row, int column, const WString& text) {
    Tidy();
    const std::uint32_t at = Store(text);
    Forget(At(row, column).text);
    At(row, column).text = at;
}

void GridCells::SetRows(int rows) {
    for (std::size_t i = static_cast<std::size_t>(rows) * static_cast<std::size_t>(m_Columns);
         i < m_Cells.size(); ++i)
        Forget(m_Cells[i].text);
    m_Cells.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(m_Columns));
    m_Rows = rows;
}

void GridCells::SetColumns(int columns) {
    std::vector<Packed> cells(static_cast<std::size_t>(m_Rows) * static_cast<std::size_t>(columns));
    for (int r = 0; r < m_Rows; ++r)
        for (int c = 0; c < m_Columns; ++c) {
            if (c < columns)
                cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) +
                      static_cast<std::size_t>(c)] = At(r, c);
            else
                Forget(At(r, c).text);
        }
    m_Cells = std::move(cells);
    m_Columns = columns;
}

void GridCells::InsertRow(int at, const std::vector<GridCell>& cells) {
    Tidy();
    std::vector<Packed> row(static_cast<std::size_t>(m_Columns));
    for (int c = 0; c < m_Columns && static_cast<std::size_t>(c) < cells.size(); ++c)
        row[static_cast<std::size_t>(c)] = Pack(cells[static_cast<std::size_t>(c)]);
    m_Cells.insert(m_Cells.begin() + static_cast<std::ptrdiff_t>(at) * m_Columns, row.begin(), row.end());
    ++m_Rows;
}

void GridCells::InsertColumn(int at, const GridCell& cell) {
    const Packed blank = Pack(GridCell{WString(), cell.data, cell.format, cell.image, cell.hasCheck,
                                       cell.checked, cell.bk, cell.fg});
    std::vector<Packed> cells;
    cells.reserve(static_cast<std::size_t>(m_Rows) * static_cast<std::size_t>(m_Columns + 1));
    for (int r = 0; r < m_Rows; ++r)
        for (int c = 0; c <= m_Columns; ++c)
            cells.push_back(c == at ? blank : At(r, c < at ? c : c - 1));
    m_Cells = std::move(cells);
    ++m_Columns;
}

void GridCells::EraseRow(int at) {
    const auto first = m_Cells.begin() + static_cast<std::ptrdiff_t>(at) * m_Columns;
    for (auto it = first; it != first + m_Columns; ++it)
        Forget(it->text);
    m_Cells.erase(first, first + m_Columns);
    --m_Rows;
}

void GridCells::Clear() {
    *this = GridCells();
}
