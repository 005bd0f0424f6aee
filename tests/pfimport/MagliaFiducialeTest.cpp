#include "pfimport/ElencoPFRilievo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <utility>
#include <vector>

namespace {

using Punti = std::vector<std::pair<double, double>>;

WString Nome(int i) {
    return WString::Formatted(u"PF%02d/%03d0/G337", i % 100, i / 100 + 1);
}

// Fiducial points named by rows 5 in the given order, with their coordinates.
struct Rilievo {
    CCts libretto;
    CLibCmp stazioni;
    CLibGps gps;

    explicit Rilievo(const Punti& punti) {
        for (std::size_t i = 0; i < punti.size(); ++i) {
            auto* r = new CRig('5', 0);
            r->SetLblNome1(Nome(static_cast<int>(i)));
            r->SetCoord(punti[i].first, punti[i].second, 0);
            r->CalcolaValiditaXYZ();
            libretto.m_Righe45.AddRig(r);
        }
    }
};

struct Maglia {
    CPoint3dVector validi, maglia, interni;
};

Maglia Costruisci(Rilievo& r, bool veloce) {
    CElencoPFRilievo elenco(&r.gps, &r.stazioni, &r.libretto);
    elenco.SetMagliaVeloce(veloce);
    Maglia m;
    elenco.CostruisciMaglia(m.validi, m.maglia, m.interni);
    return m;
}

// The points as indices of the survey's points (by name).
std::vector<int> Indici(const CPoint3dVector& v) {
    std::vector<int> out;
    for (int i = 0; i < v.GetSize(); ++i) {
        int k = 0;
        while (Nome(k) != v.GetAt(i).nome)
            ++k;
        out.push_back(k);
    }
    return out;
}

struct Caso {
    const char* cosa;
    Punti punti;
    std::vector<int> anello;
    std::vector<int> interni;
};

// Hand-worked meshes, built both ways.
TEST(MagliaFiduciale, HandWorkedMeshes) {
    const Caso casi[] = {
        {"three points: the triangle, its first point repeated",
         {{0, 0}, {10, 0}, {0, 10}},
         {0, 1, 2, 0},
         {}},
        {"a point strictly inside is no vertex",
         {{0, 0}, {10, 0}, {5, 3}, {10, 10}, {0, 10}},
         {0, 1, 3, 4, 0},
         {2}},
        // A point inside a side of the hull is an inner point, as it would be a millimetre inside: the
        // ring holds each side once.
        {"collinear points on the hull", {{0, 0}, {1, 0}, {2, 0}, {1, 1}}, {0, 2, 3, 0}, {1}},
        {"a point on a side", {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 0}}, {0, 1, 2, 3, 0}, {4}},
        {"the reference beyond an end of the pair", {{5, 0}, {0, 0}, {10, 0}, {5, 5}}, {1, 2, 3, 1}, {0}},
        {"all on one line: one side, no mesh", {{0, 0}, {1, 0}, {2, 0}}, {0, 2}, {1}},
        // The reference of the pair 0-1 is 2, on their line: it must not make 0-1 a side.
        {"collinear points inside",
         {{4, 5}, {5, 5}, {6, 5}, {0, 0}, {10, 0}, {10, 10}, {0, 10}},
         {3, 4, 5, 6, 3},
         {0, 1, 2}},
        {"two points at one place inside", {{3, 3}, {3, 3}, {0, 0}, {10, 0}, {0, 10}}, {2, 3, 4, 2}, {0, 1}},
        {"all at one place: no mesh", {{1, 1}, {1, 1}, {1, 1}}, {}, {0, 1, 2}},
        {"two points: no mesh", {{0, 0}, {10, 0}}, {}, {}},
        {"no point", {}, {}, {}},
    };
    for (const Caso& c : casi) {
        for (bool veloce : {true, false}) {
            Rilievo r(c.punti);
            const Maglia m = Costruisci(r, veloce);
            EXPECT_EQ(m.validi.GetSize(), static_cast<int>(c.punti.size())) << c.cosa;
            EXPECT_EQ(Indici(m.maglia), c.anello) << c.cosa << (veloce ? " (fast)" : " (plain)");
            EXPECT_EQ(Indici(m.interni), c.interni) << c.cosa << (veloce ? " (fast)" : " (plain)");
        }
    }
}

// Only points with coordinates take part; a name's first occurrence decides, even without coordinates.
TEST(MagliaFiduciale, FirstOccurrenceWithoutCoordinatesIsLeftOut) {
    Rilievo r({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    CJob* job = r.stazioni.AddJob(u"J");
    job->SetCdElabValid(false);
    CSta* sta = job->AddSta(u"1");
    sta->SetCoord(0, 0, 0);
    sta->CalcolaValiditaXYZ();
    CPun* p = sta->AddPun(Nome(1));
    p->SetCoord(10, 0, 0);
    p->CalcolaValiditaXYZ();
    const Maglia m = Costruisci(r, true);
    EXPECT_EQ(Indici(m.validi), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(Indici(m.maglia), (std::vector<int>{0, 2, 3, 0}));
    EXPECT_EQ(m.maglia.GetAt(1).x, 10);
    EXPECT_EQ(m.maglia.GetAt(1).codice, WString());
}

// The fast construction against the plain definition on generated surveys: decimal coordinates in
// general position, points on a grid (collinear points and coincident points by the dozen), points on a
// circle (every point on the hull) and points on one line.
TEST(MagliaFiduciale, FastConstructionEqualsThePlainDefinition) {
    std::mt19937 caso(17);
    std::uniform_real_distribution<double> coord(0, 1000);
    std::uniform_int_distribution<int> griglia(0, 6);
    for (int prova = 0; prova < 60; ++prova) {
        const int n = 3 + prova % 40;
        Punti punti;
        for (int i = 0; i < n; ++i) {
            switch (prova % 4) {
            case 0:
                punti.emplace_back(1500000 + coord(caso), 5000000 + coord(caso));
                break;
            case 1:
                punti.emplace_back(1000 + 10 * griglia(caso), 2000 + 10 * griglia(caso));
                break;
            case 2: {
                const double a = coord(caso) / 1000 * 6.283185307179586;
                punti.emplace_back(std::round(1000 * std::cos(a)), std::round(1000 * std::sin(a)));
                break;
            }
            default: {
                const double x = 3.0 * griglia(caso) + 0.25;
                punti.emplace_back(x, 7 + 0.5 * (x - 0.25));
                break;
            }
            }
        }
        Rilievo r(punti);
        const Maglia veloce = Costruisci(r, true);
        const Maglia semplice = Costruisci(r, false);
        ASSERT_EQ(Indici(veloce.maglia), Indici(semplice.maglia)) << "prova " << prova;
        ASSERT_EQ(Indici(veloce.interni), Indici(semplice.interni)) << "prova " << prova;
    }
}

} // namespace
