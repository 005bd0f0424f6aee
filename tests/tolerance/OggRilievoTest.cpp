// The survey-object tolerances: the distance rule against hand-computed cases, and the split of rows 7 by
// the fiducial mesh as properties of generated polygons and as hand-made cases of shared vertices and
// collinear sides.
#include "hostapi/Conversions.h"
#include "tolerance/TollOggRilSup.h"
#include "tolerance/TollOggRilievoDist.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

namespace {

using Punti = std::vector<std::pair<double, double>>;

CEgn Punto(double x, double y) {
    CEgn p(u"P");
    p.SetCoordXY(x, y);
    return p;
}

TEST(TollOggRilievoDist, ThirtyPercentOfTheInternalDistance) {
    const struct {
        double fx1, fy1, fx2, fy2, ex, ey, ix, iy;
        double interna, esterna;
        bool dentro;
    } casi[] = {
        {0, 0, 100, 0, 50, -3, 20, 10, 10, 3, true},
        {0, 0, 100, 0, 50, -3.001, 20, 10, 10, 3.001, false},
        // Compared as computed: 30 % of 9.999 is 2.9997, short of 3.000, though both show as 3.000.
        {0, 0, 100, 0, 50, -3, 20, 9.999, 9.999, 3, false},
        // From the infinite line: the points stand beyond the side's ends.
        {0, 0, 10, 0, -50, 2, 200, -7, 7, 2, true},
        // A slanted side (3-4-5): the internal point 5 away, the external 1.
        {0, 0, 4, 3, 0.6, -0.8, -3, 4, 5, 1, true},
        // Both vertices at one place: measured from that point, no division by zero.
        {10, 10, 10, 10, 13, 14, 10, 20, 10, 5, false},
        {10, 10, 10, 10, 10, 13, 10, 20, 10, 3, true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(testing::Message() << c.ex << " " << c.ey);
        const CEsitoOggRilDist e =
            ValutaOggRilDist(Punto(c.fx1, c.fy1), Punto(c.fx2, c.fy2), Punto(c.ex, c.ey), Punto(c.ix, c.iy));
        EXPECT_NEAR(e.distInterna, c.interna, 1e-9);
        EXPECT_NEAR(e.distEsterna, c.esterna, 1e-9);
        EXPECT_NEAR(e.dist30, c.interna * 0.3, 1e-9);
        EXPECT_EQ(e.inTolleranza, c.dentro);
        EXPECT_FALSE(std::isnan(e.distInterna) || std::isnan(e.distEsterna));
    }
}

// A booklet whose rows 5 give the places of the rows' vertices, and the tool over it.
class Banco {
public:
    Banco() : m_Tool(nullptr, nullptr, &m_Cts, nullptr) {}

    void Maglia(const Punti& anello) {
        CPoint3dVector m;
        for (const auto& [x, y] : anello)
            m.Add(Pt(x, y));
        if (!anello.empty())
            m.Add(m.GetAt(0));
        m_Tool.SetMaglia(m);
    }

    // A closed row through new points at these places (an undefined X leaves a vertex without a place).
    CRig* Riga(const Punti& punti) {
        auto* riga = new CRig('7');
        for (const auto& [x, y] : punti) {
            const WString nome = WString::Formatted(u"V%d", ++m_Nomi);
            if (!IsRealeIndefinito(x)) {
                auto* r5 = new CRig('5');
                r5->SetLblNome1(nome);
                r5->SetCoordXY(x, y);
                r5->CalcolaValiditaXYZ();
                m_Cts.m_Righe45.AddRig(r5);
            }
            riga->AddVrt(CCtsVrt(nome));
        }
        riga->AddVrt(*riga->GetVrtAt(0));
        m_Cts.m_Righe7.AddRig(riga);
        return riga;
    }

    bool Dividi(const Punti& punti, CRisSuperficie& esito) { return m_Tool.Dividi(Riga(punti), esito); }

    static double Area(const Punti& p) {
        double a = 0;
        for (std::size_t i = 0; i < p.size(); ++i) {
            const double x1 = p[i].first - p[0].first, y1 = p[i].second - p[0].second;
            const double x2 = p[(i + 1) % p.size()].first - p[0].first;
            const double y2 = p[(i + 1) % p.size()].second - p[0].second;
            a += x1 * y2 - x2 * y1;
        }
        return std::fabs(a) / 2;
    }

private:
    static CPoint3d Pt(double x, double y) {
        CPoint3d p;
        p.x = x;
        p.y = y;
        return p;
    }

    CCts m_Cts;
    CTollOggRilSup m_Tool;
    int m_Nomi = 0;
};

// A star-shaped (so simple) polygon of n vertices around a centre, radii in [r1, r2].
Punti Stella(std::mt19937& rng, double cx, double cy, double r1, double r2, int n) {
    std::uniform_real_distribution<double> raggio(r1, r2), scarto(0.1, 0.9);
    Punti p;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * std::numbers::pi * (i + scarto(rng)) / n;
        const double r = raggio(rng);
        p.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a));
    }
    return p;
}

TEST(TollOggRilSup, SplitOfGeneratedRowsKeepsTheirArea) {
    std::mt19937 rng(18);
    std::uniform_real_distribution<double> centro(-30, 30);
    int attraversate = 0;
    for (int prova = 0; prova < 300; ++prova) {
        Banco banco;
        // A convex mesh around the origin, in national-grid coordinates.
        const double ox = 1.5e6, oy = 5.0e6;
        Punti maglia;
        const int nm = 3 + prova % 9;
        for (int i = 0; i < nm; ++i) {
            const double a = 2 * std::numbers::pi * i / nm + 0.1 * (prova % 7);
            maglia.emplace_back(ox + 40 * std::cos(a), oy + 40 * std::sin(a));
        }
        banco.Maglia(maglia);
        const double mesh = Banco::Area(maglia);
        const double cx = ox + centro(rng), cy = oy + centro(rng);
        const Punti riga = Stella(rng, cx, cy, 5, 25 + prova % 4 * 20, 3 + prova % 12);
        const double area = Banco::Area(riga);
        SCOPED_TRACE(testing::Message() << "prova " << prova);
        CRisSuperficie e;
        if (!banco.Dividi(riga, e))
            continue; // one piece outside the mesh
        ++attraversate;
        EXPECT_NEAR(e.supInterna + e.supEsterna, area, 1e-6 * area);
        EXPECT_LE(e.supInterna, mesh * (1 + 1e-9));
        EXPECT_NEAR(e.supInterna30, e.supInterna * 0.3, 1e-9 * area);
        double parti = 0;
        for (const CParteSuperficie& p : e.parti)
            parti += p.area;
        EXPECT_NEAR(parti, area, 1e-6 * area);
    }
    EXPECT_GT(attraversate, 200);
    // Inside the mesh: outside 0; far outside: one piece, no finding.
    for (int prova = 0; prova < 50; ++prova) {
        Banco banco;
        banco.Maglia({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
        const Punti dentro = Stella(rng, 50, 50, 10, 40, 3 + prova % 10);
        CRisSuperficie e;
        ASSERT_TRUE(banco.Dividi(dentro, e));
        EXPECT_EQ(e.supEsterna, 0);
        EXPECT_NEAR(e.supInterna, Banco::Area(dentro), 1e-9 * e.supInterna);
        EXPECT_TRUE(e.inTolleranza);
        EXPECT_FALSE(banco.Dividi(Stella(rng, 300, 50, 10, 100, 3 + prova % 10), e));
    }
}

constexpr double U = REALE_INDEFINITO;

TEST(TollOggRilSup, SharedVerticesCollinearSidesAndBadRows) {
    const Punti quadrato = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    // The ring a mesh gets from collinear fiducial points: A B C A D C, a spike along its base.
    const Punti collineare = {{0, 0}, {5, 0}, {10, 0}, {0, 0}, {5, 10}, {10, 0}};
    const struct {
        const char* caso;
        const Punti* maglia;
        Punti riga;
        bool trovata;
        double interna, esterna;
        bool dentro;
    } casi[] = {
        {"lati in comune", &quadrato, {{5, 0}, {15, 0}, {15, 10}, {5, 10}}, true, 50, 50, false},
        {"vertice sul vertice", &quadrato, {{10, 0}, {20, 0}, {20, 10}, {10, 10}}, false, 0, 0, false},
        {"lato sul lato, dentro", &quadrato, {{0, 0}, {10, 0}, {10, 5}, {0, 5}}, true, 50, 0, true},
        {"vertice su un lato", &quadrato, {{5, 0}, {15, -5}, {15, 5}}, true, 6.25, 43.75, false},
        {"30 su 100", &quadrato, {{0, -3}, {10, -3}, {10, 10}, {0, 10}}, true, 100, 30, true},
        {"30.001 su 100",
         &quadrato,
         {{0, -3.0001}, {10, -3.0001}, {10, 10}, {0, 10}},
         true,
         100,
         30.001,
         false},
        {"intorno alla maglia", &quadrato, {{-5, -5}, {15, -5}, {15, 15}, {-5, 15}}, true, 100, 300, false},
        {"vertici ripetuti", &quadrato, {{5, 0}, {15, 0}, {15, 0}, {15, 10}, {5, 10}}, true, 50, 50, false},
        {"a un micrometro dal lato", &quadrato, {{5, 1e-7}, {15, 0}, {15, 10}, {5, 10}}, true, 50, 50, false},
        {"maglia collineare", &collineare, {{-5, 2}, {15, 2}, {15, -2}, {-5, -2}}, true, 18, 62, false},
        {"area nulla", &quadrato, {{5, 5}, {15, 5}, {20, 5}}, false, 0, 0, false},
        {"autointersecante", &quadrato, {{5, 0}, {15, 10}, {15, 0}, {5, 10}}, false, 0, 0, false},
        {"autointersecante dentro", &quadrato, {{1, 1}, {9, 9}, {9, 1}, {1, 9}}, false, 0, 0, false},
        {"senza coordinate", &quadrato, {{5, 0}, {U, 0}, {15, 10}, {5, 10}}, false, 0, 0, false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        Banco banco;
        banco.Maglia(*c.maglia);
        CRisSuperficie e;
        ASSERT_EQ(banco.Dividi(c.riga, e), c.trovata);
        if (!c.trovata)
            continue;
        EXPECT_NEAR(e.supInterna, c.interna, 1e-6);
        EXPECT_NEAR(e.supEsterna, c.esterna, 1e-6);
        EXPECT_EQ(e.inTolleranza, c.dentro);
    }
}

} // namespace
