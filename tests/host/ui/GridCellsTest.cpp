// The packed cells against a plain table of cells, under the same random changes.
#include "host/ui/GridCells.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using Table = std::vector<std::vector<GridCell>>;

void Expect(const GridCells& cells, const Table& table, int columns, int step) {
    ASSERT_EQ(cells.Rows(), static_cast<int>(table.size())) << "step " << step;
    ASSERT_EQ(cells.Columns(), columns) << "step " << step;
    for (int r = 0; r < cells.Rows(); ++r)
        for (int c = 0; c < columns; ++c) {
            const GridCell got = cells.Get(r, c);
            const GridCell& want = table[r][c];
            ASSERT_EQ(got.text, want.text) << "step " << step << " cell " << r << "," << c;
            ASSERT_EQ(cells.Text(r, c), want.text);
            ASSERT_EQ(cells.HasText(r, c), !want.text.IsEmpty());
            ASSERT_EQ(got.data, want.data);
            ASSERT_EQ(got.format, want.format);
            ASSERT_EQ(got.image, want.image);
            ASSERT_EQ(got.hasCheck, want.hasCheck);
            ASSERT_EQ(got.checked, want.checked);
            ASSERT_EQ(got.bk, want.bk);
            ASSERT_EQ(got.fg, want.fg);
        }
}

} // namespace

TEST(GridCells, KeepWhatAPlainTableKeeps) {
    // Latin-1, wider characters, the empty text, long texts that fill the arena with garbage when
    // written over, so that it is compacted under way.
    const std::vector<WString> texts = {WString(),
                                        WString(u"PF01/0120/G337"),
                                        WString(u"1.250"),
                                        WString(u"città"),
                                        WString(u"€ 12"),
                                        WString(u"ÿ\u0100"),
                                        WString(std::u16string(300, u'x')), WString(std::u16string(9000, u'y')),
                                        WString(std::u16string(70, u'\u20AC'))};
    std::mt19937 random(7);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int round = 0; round < 4; ++round) {
        GridCells cells;
        Table table;
        int columns = 0;
        for (int step = 0; step < 3000; ++step) {
            const int op = pick(10);
            const int rows = static_cast<int>(table.size());
            if (op == 0 || rows == 0 || columns == 0) {
                if (pick(2) == 0 || columns == 0) {
                    const int at = pick(columns + 1);
                    GridCell proto;
                    proto.format = static_cast<UINT>(pick(3));
                    cells.InsertColumn(at, proto);
                    for (auto& row : table)
                        row.insert(row.begin() + at, proto);
                    ++columns;
                } else {
                    const int n = pick(columns + 2);
                    cells.SetColumns(n);
                    for (auto& row : table)
                        row.resize(static_cast<std::size_t>(n));
                    columns = n;
                }
            } else if (op == 1) {
                const int n = pick(rows + 3);
                cells.SetRows(n);
                table.resize(static_cast<std::size_t>(n),
                             std::vector<GridCell>(static_cast<std::size_t>(columns)));
            } else if (op == 2) {
                std::vector<GridCell> row(static_cast<std::size_t>(columns));
                for (auto& cell : row) {
                    cell.text = texts[static_cast<std::size_t>(pick(static_cast<int>(texts.size())))];
                    cell.format = static_cast<UINT>(pick(2));
                }
                const int at = pick(rows + 1);
                cells.InsertRow(at, row);
                table.insert(table.begin() + at, row);
            } else if (op == 3) {
                const int at = pick(rows);
                cells.EraseRow(at);
                table.erase(table.begin() + at);
            } else {
                const int r = pick(rows);
                const int c = pick(columns);
                GridCell cell = table[r][c];
                const WString text = texts[static_cast<std::size_t>(pick(static_cast<int>(texts.size())))];
                if (op < 7) {
                    cells.SetText(r, c, text);
                    cell.text = text;
                } else if (op < 9) {
                    cell.data = pick(4) * 1000003;
                    cell.image = pick(4) - 1;
                    cell.hasCheck = pick(2);
                    cell.checked = pick(2);
                    cell.bk = pick(2) ? CLR_DEFAULT : 0x00FFEEDDu;
                    cell.fg = static_cast<COLORREF>(pick(3));
                    cells.PutAttributes(r, c,
                                        GridCell{text, cell.data, cell.format, cell.image, cell.hasCheck,
                                                 cell.checked, cell.bk, cell.fg});
                } else {
                    cell.text = text;
                    cell.format = static_cast<UINT>(pick(5));
                    cells.Put(r, c, cell);
                }
                table[r][c] = cell;
            }
            if (step % 97 == 0 || step == 2999)
                Expect(cells, table, columns, step);
        }
        cells.Clear();
        EXPECT_EQ(cells.Rows(), 0);
        EXPECT_EQ(cells.Columns(), 0);
    }
    // One cell written over and over: the arena is then mostly garbage and is compacted under way.
    GridCells cells;
    cells.SetColumns(3);
    cells.SetRows(2);
    Table table(2, std::vector<GridCell>(3));
    for (int k = 0; k < 200; ++k) {
        const WString& text = texts[static_cast<std::size_t>(k) % texts.size()];
        const int r = k % 7 == 0 ? 1 : 0;
        const int c = k % 5 == 0 ? 2 : 0;
        cells.SetText(r, c, text);
        table[r][c].text = text;
        Expect(cells, table, 3, k);
    }
}
