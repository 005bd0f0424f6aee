// The polygon library's own decisions: what Check refuses, and that only vertices not fixed move onto a
// boundary within a micrometre. The split itself is tested through the survey-object surface tool.
#include "hostapi/Poligoni.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

CPoint3dVector Tabella(std::initializer_list<std::pair<double, double>> punti) {
    CPoint3dVector v;
    for (const auto& [x, y] : punti) {
        CPoint3d p;
        p.x = x;
        p.y = y;
        v.Add(p);
    }
    return v;
}

CBordo Bordo(std::initializer_list<int> indici, bool fisso) {
    CBordo b;
    for (int i : indici)
        b.push_back({i, fisso});
    return b;
}

} // namespace

TEST(Poligoni, CheckRefusesWhatEnclosesNothing) {
    // 0-3 a square, 4 (5, 5), 5 (5, 0) on its base, 6 undefined, 7 the square's first corner again,
    // 8 (0, 4), 9-10 beyond any survey (the library overflowed on them), 11 not a number.
    const CPoint3dVector t = Tabella({{0, 0},
                                      {10, 0},
                                      {10, 10},
                                      {0, 10},
                                      {5, 5},
                                      {5, 0},
                                      {1.7e200, 0},
                                      {0, 0},
                                      {0, 4},
                                      {1e101, 1e101},
                                      {0, -1.000001e9},
                                      {std::nan(""), 0}});
    const struct {
        CBordo bordo;
        int atteso;
    } casi[] = {
        {Bordo({0, 1, 2, 3}, false), POLI_OK},
        {Bordo({0, 1, 2, 3, 0}, false), POLI_OK},    // closed by repeating the first
        {Bordo({7, 1, 1, 2, 3}, false), POLI_OK},    // repeated entries, one place under two entries
        {Bordo({0, 5, 1, 5, 2, 3}, false), POLI_OK}, // a spike along the base
        {Bordo({0, 1, 12}, false), POLI_INDICE_ERRATO},
        {Bordo({0, 1, 9}, false), POLI_SENZA_COORDINATE},
        {Bordo({0, 10, 1}, false), POLI_SENZA_COORDINATE},
        {Bordo({0, 1, 11}, false), POLI_SENZA_COORDINATE},
        {Bordo({0, 6, 2}, false), POLI_SENZA_COORDINATE},
        {Bordo({0, 5, 1}, false), POLI_DEGENERE}, // collinear
        {Bordo({0, 1, 0}, false), POLI_DEGENERE},
        {Bordo({0, 2, 1, 8}, false), POLI_AUTOINTERSECANTE}, // a bow tie
        {Bordo({0, 2, 1, 3}, false), POLI_DEGENERE},         // one whose halves cancel
    };
    for (const auto& c : casi) {
        std::vector<CBordo> bordi{c.bordo};
        EXPECT_EQ(CAdjustPolylines(t, bordi).Check(), c.atteso);
    }
}

TEST(Poligoni, OnlyVerticesNotFixedMoveOntoABoundary) {
    // A square, and a row whose vertex 4 lies half a micrometre above the square's base.
    const CPoint3dVector t = Tabella({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 5e-7}, {15, -5}, {15, 5}});
    for (const bool fisso : {false, true}) {
        std::vector<CBordo> bordi{Bordo({4, 5, 6}, fisso), Bordo({0, 1, 2, 3}, true)};
        const CAdjustPolylines a(t, bordi);
        ASSERT_EQ(a.Check(), POLI_OK);
        const CPoint3d& v = a.GetTotalVertices().GetAt(bordi[0][0].indice);
        EXPECT_EQ(v.y, fisso ? 5e-7 : 0.0);
        // Either way the square gets the row's point and the crossing of the row's side with its side.
        EXPECT_EQ(bordi[1].size(), 6u);
        EXPECT_EQ(a.GetNoTotalVertices(), t.GetSize() + a.GetNoInsertedVertices());
        CCellIndex celle(a.GetTotalVertices(), bordi[0], {bordi[1]});
        ASSERT_EQ(celle.SplitCellEx(), 1);
        EXPECT_EQ(celle.GetNoCells(), 2); // no sliver between the base and the fixed vertex
    }
}

TEST(Poligoni, SplitRefusesCoordinatesBeyondAnySurvey) {
    // The square of the last test scaled to 1e101: the overlay library overflowed and the process aborted.
    for (const double scala : {1e101, 1e92, std::numeric_limits<double>::infinity()}) {
        const CPoint3dVector t = Tabella({{0, 0},
                                          {10 * scala, 0},
                                          {10 * scala, 10 * scala},
                                          {0, 10 * scala},
                                          {5 * scala, -5 * scala},
                                          {15 * scala, -5 * scala},
                                          {15 * scala, 5 * scala}});
        CCellIndex celle(t, Bordo({4, 5, 6}, false), {Bordo({0, 1, 2, 3}, true)});
        EXPECT_EQ(celle.SplitCellEx(), 0) << scala;
        EXPECT_EQ(celle.GetNoCells(), 0);
    }
    // At the limit the square still splits.
    const double m = 1e9 / 16;
    const CPoint3dVector t = Tabella({{0, 0},
                                      {10 * m, 0},
                                      {10 * m, 10 * m},
                                      {0, 10 * m},
                                      {5 * m, -5 * m},
                                      {15 * m, -5 * m},
                                      {15 * m, 5 * m}});
    CCellIndex celle(t, Bordo({4, 5, 6}, false), {Bordo({0, 1, 2, 3}, true)});
    EXPECT_EQ(celle.SplitCellEx(), 1);
}
