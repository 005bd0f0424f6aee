#include "hostapi/Calcolo2D.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

CPoint3d P(double x, double y) {
    CPoint3d p;
    p.x = x;
    p.y = y;
    return p;
}

CPoint3dVector Anello(std::initializer_list<CPoint3d> punti) {
    CPoint3dVector v;
    for (const CPoint3d& p : punti)
        v.Add(p);
    return v;
}

} // namespace

TEST(Calcolo2D, PointAgainstPolygon) {
    const CPoint3dVector chiuso = Anello({P(0, 0), P(10, 0), P(10, 10), P(0, 10), P(0, 0)});
    const CPoint3dVector aperto = Anello({P(0, 0), P(10, 0), P(10, 10), P(0, 10)});
    // An L: the notch (5..10, 5..10) is outside.
    const CPoint3dVector elle = Anello({P(0, 0), P(10, 0), P(10, 5), P(5, 5), P(5, 10), P(0, 10), P(0, 0)});
    // The ring a mesh gets from collinear points A(0,0) B(1,0) C(2,0) on its base and D(1,1): A B C A D C.
    const CPoint3dVector collineare = Anello({P(0, 0), P(1, 0), P(2, 0), P(0, 0), P(1, 1), P(2, 0)});
    const struct {
        const CPoint3dVector* anello;
        double x, y;
        int atteso;
    } casi[] = {
        {&chiuso, 5, 5, 1},       {&aperto, 5, 5, 1},     {&chiuso, 5, 0, 0},         {&chiuso, 10, 10, 0},
        {&aperto, 0, 5, 0},       {&chiuso, 5, -1e-7, 0}, {&chiuso, 5, -0.001, -1},   {&chiuso, 11, 5, -1},
        {&chiuso, 10, 12, -1},    {&elle, 2, 8, 1},       {&elle, 8, 8, -1},          {&elle, 8, 5, 0},
        {&collineare, 1, 0.5, 1}, {&collineare, 1, 0, 0}, {&collineare, 1, -0.5, -1},
    };
    for (const auto& c : casi)
        EXPECT_EQ(PtInternoAtPoligono(*c.anello, c.x, c.y), c.atteso) << c.x << ", " << c.y;
}

TEST(Calcolo2D, MeshOfTwoPointsOrNoneEnclosesNothing) {
    const CPoint3dVector due = Anello({P(0, 0), P(10, 0)});
    EXPECT_EQ(PtInternoAtPoligono(due, 5, 0), 0);
    EXPECT_EQ(PtInternoAtPoligono(due, 5, 1), -1);
    EXPECT_EQ(PtInternoAtPoligono(CPoint3dVector(), 0, 0), -1);
    EXPECT_EQ(PtInternoAtPoligono(Anello({P(3, 3)}), 3, 3), 0);
}

TEST(Calcolo2D, DistanceFromSegmentAndFoot) {
    const struct {
        CPoint3d a, b, p;
        double distanza;
        double piedeX, piedeY;
    } casi[] = {
        {P(0, 0), P(10, 0), P(5, 3), 3, 5, 0},   // left of a->b: positive
        {P(0, 0), P(10, 0), P(5, -3), -3, 5, 0}, // right: negative
        {P(0, 0), P(10, 0), P(13, 4), 5, 13, 0}, // beyond b: from b, foot outside the segment
        {P(0, 0), P(10, 0), P(-3, -4), -5, -3, 0},
        {P(0, 0), P(6, 8), P(8, -6), -10, 0, 0}, // perpendicular at a
        {P(1, 1), P(1, 1), P(4, 5), 5, 1, 1},    // no length
    };
    for (const auto& c : casi) {
        CPoint3d piede;
        EXPECT_DOUBLE_EQ(DistSegmDaPt(c.a, c.b, c.p, piede), c.distanza) << c.p.x << ", " << c.p.y;
        EXPECT_NEAR(piede.x, c.piedeX, 1e-12);
        EXPECT_NEAR(piede.y, c.piedeY, 1e-12);
    }
}

TEST(Calcolo2D, PointOnSegment) {
    const CPoint3d a = P(0, 0), b = P(10, 0);
    EXPECT_TRUE(TrovatoPuntoInSegmento(P(10, 0), a, b));
    EXPECT_TRUE(TrovatoPuntoInSegmento(P(0, 0), a, b));
    EXPECT_TRUE(TrovatoPuntoInSegmento(P(5, 1e-7), a, b));
    EXPECT_FALSE(TrovatoPuntoInSegmento(P(5, 0.001), a, b));
    EXPECT_FALSE(TrovatoPuntoInSegmento(P(10.001, 0), a, b));
    EXPECT_FALSE(TrovatoPuntoInSegmento(P(-0.001, 0), a, b));
    EXPECT_TRUE(TrovatoPuntoInSegmento(P(2, 2), P(2, 2), P(2, 2)));
}

TEST(Calcolo2D, SegmentsMeet) {
    const struct {
        CPoint3d a1, a2, b1, b2;
        bool atteso;
    } casi[] = {
        {P(0, 0), P(10, 10), P(0, 10), P(10, 0), true},   // crossing
        {P(0, 0), P(10, 0), P(5, 0), P(5, 5), true},      // T: an end on the other
        {P(0, 0), P(10, 0), P(10, 0), P(10, 5), true},    // common end
        {P(0, 0), P(10, 0), P(5, 1e-7), P(5, 5), true},   // within a micrometre
        {P(0, 0), P(10, 0), P(5, 0.001), P(5, 5), false}, // a millimetre off
        {P(0, 0), P(10, 0), P(0, 1), P(10, 1), false},    // parallel
        {P(0, 0), P(10, 0), P(5, 0), P(15, 0), true},     // collinear, overlapping
        {P(0, 0), P(10, 0), P(11, 0), P(15, 0), false},   // collinear, apart
        {P(0, 0), P(10, 0), P(11, -1), P(11, 1), false},  // the lines cross beyond an end
    };
    for (const auto& c : casi) {
        EXPECT_EQ(IntersezLine(c.a1, c.a2, c.b1, c.b2), c.atteso) << c.b1.x << ", " << c.b1.y;
        EXPECT_EQ(IntersezLine(c.b2, c.b1, c.a1, c.a2), c.atteso) << "swapped";
    }
}

TEST(Calcolo2D, DistanceOfTwoPoints) {
    EXPECT_DOUBLE_EQ(DistQuad2pt(P(1, 2), P(4, 6)), 25);
    EXPECT_DOUBLE_EQ(Distanza2pt(P(1, 2), P(4, 6)), 5);
}

TEST(Calcolo2D, DistanceFromTheInfiniteLine) {
    const struct {
        double x1, y1, x2, y2, px, py, atteso;
    } casi[] = {
        {0, 0, 10, 0, 5, 3, 3},
        {0, 0, 10, 0, 5, -3, -3},
        {0, 0, 10, 0, 25, 4, 4}, // beyond the ends
        {0, 0, 4, 3, -3, 4, 5},
        {0, 0, 4, 3, 0.6, -0.8, -1},
        {4, 3, 0, 0, -3, 4, -5}, // direction flips
        {1.5e6, 5e6, 1.5e6 + 10, 5e6, 1.5e6 + 3, 5e6 + 0.001, 0.001},
    };
    for (const auto& c : casi) {
        GmLine2d retta;
        GmPnt2d p;
        GmFunz_set_line_2d(retta, c.x1, c.y1, c.x2, c.y2);
        GmFunz_set_pnt_2d(p, c.px, c.py);
        EXPECT_NEAR(GmFunz_distpntln_ls(p, retta), c.atteso, 1e-9) << c.px << " " << c.py;
    }
    // Two points at one place make no line: nothing to measure from, and the library says so.
    GmLine2d punto;
    GmFunz_set_line_2d(punto, 2, 2, 2, 2);
    GmPnt2d p;
    GmFunz_set_pnt_2d(p, 5, 6);
    EXPECT_TRUE(std::isnan(GmFunz_distpntln_ls(p, punto)));
}
