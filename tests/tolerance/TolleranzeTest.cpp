// The deciding parts of the surface tolerance, the picked distances and the station tool, against
// hand-computed cases.
#include "tolerance/TollDistanze.h"
#include "tolerance/TollStazFuoriTriang.h"
#include "tolerance/TollSuperfici.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <utility>
#include <vector>

namespace {

constexpr double U = REALE_INDEFINITO;

TEST(TollSuperfici, ToleranceBoundsAndTies) {
    const struct {
        double calcolata, censuaria;
        short natura;
        double tolleranza, inferiore, superiore;
        bool dentro;
    } casi[] = {
        {1050, 1000, NATURA_NOMINALE, 50, 950, 1050, true},
        {1050.0001, 1000, NATURA_NOMINALE, 50, 950, 1050, false},
        {950, 1000, NATURA_NOMINALE, 50, 950, 1050, true},
        {949.9999, 1000, NATURA_NOMINALE, 50, 950, 1050, false},
        {910, 900, NATURA_REALE, 10.3, 889.7, 910.3, true},
        {911, 900, NATURA_REALE, 10.3, 889.7, 910.3, false},
        // 900 - 10.3 is a hair off in binary; the tie still holds.
        {889.7, 900, NATURA_REALE, 10.3, 889.7, 910.3, true},
        // Any nature but 1 is nominal, as the row's isolated-point value -1.
        {1050, 1000, -1, 50, 950, 1050, true},
        {1050, 1000, 2, 50, 950, 1050, true},
        {0, 0, NATURA_REALE, 0, 0, 0, true},
        {0.5, 0, NATURA_NOMINALE, 0, 0, 0, false},
        // No computed surface: nothing to be in tolerance with, the bounds still shown.
        {U, 1000, NATURA_NOMINALE, 50, 950, 1050, false},
        // No tolerance: a census text that is not a number, a negative real census surface (whose square
        // root the tolerance would take).
        {1000, U, NATURA_NOMINALE, U, U, U, false},
        {-100, -100, NATURA_REALE, U, U, U, false},
        // A negative nominal surface has its tolerance and bounds; the negative tolerance keeps it out.
        {-100, -100, NATURA_NOMINALE, -5, -95, -105, false},
        {U, U, NATURA_NOMINALE, U, U, U, false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(testing::Message() << c.calcolata << " " << c.censuaria << " " << c.natura);
        const CEsitoTollSup e = ValutaTollSuperficie(c.calcolata, c.censuaria, c.natura);
        EXPECT_EQ(e.inTolleranza, c.dentro);
        for (auto [valore, atteso] :
             {std::pair{e.tolleranza, c.tolleranza}, std::pair{e.inferiore, c.inferiore},
              std::pair{e.superiore, c.superiore}}) {
            if (IsRealeIndefinito(atteso))
                EXPECT_TRUE(IsRealeIndefinito(valore)) << valore;
            else
                EXPECT_NEAR(valore, atteso, 1e-9);
        }
    }
}

TEST(TollSuperfici, OnlyClosedRowsOfMoreThanThreeVertices) {
    auto riga = [](std::initializer_list<const char16_t*> nomi) {
        auto r = std::make_unique<CRig>('7');
        for (const char16_t* n : nomi)
            r->AddVrt(CCtsVrt(n));
        return r;
    };
    EXPECT_TRUE(IsRigaChiusaPerToll(riga({u"1", u"2", u"3", u"1"}).get()));
    EXPECT_FALSE(IsRigaChiusaPerToll(riga({u"1", u"2", u"1"}).get()));
    EXPECT_FALSE(IsRigaChiusaPerToll(riga({u"1", u"2", u"3", u"4", u"5"}).get()));
    EXPECT_FALSE(IsRigaChiusaPerToll(riga({}).get()));
    EXPECT_FALSE(IsRigaChiusaPerToll(nullptr));
}

CEgn Punto(const char16_t* nome, double x, double y) {
    CEgn p(nome);
    p.SetCoord(x, y, 0);
    p.CalcolaValiditaXYZ();
    return p;
}

// From a short fiducial name: a known pair and a pair of two full fiducial names are compared, the same
// pair picked twice and a pair with an ordinary point get intervals of the first zone; distances are
// taken to the millimetre.
TEST(TollDistanze, ComparedPairsAndIntervals) {
    CCts libretto;
    libretto.SetFogl(u"0120");
    libretto.SetCdCm(u"G337");
    CLibCmp stazioni;
    for (auto [nome, x, y] :
         {std::tuple{u"PF01/0120/G337", 0.0, 0.0}, std::tuple{u"PF02/0120/G337", 300.0, 0.0}}) {
        COri* p = stazioni.AddOri();
        p->SetNome(nome);
        p->SetCoord(x, y, 0);
    }
    CVerificaDistanze verifica(&stazioni, nullptr, &libretto);
    verifica.CostruisciNoti();
    const CEgn inizio = Punto(u"PF01", 0, 0);
    const CEgn pf02 = Punto(u"PF02/0120/G337", 299.9996, 0);
    const CEgn pf09 = Punto(u"PF09", 0, 100.0004);
    const CEgn ancora = Punto(u"PF02", 300, 0);
    const CEgn cento = Punto(u"101", 60, 80);
    const std::vector<CIntervalloDistanza> intervalli =
        DistribuisciDistanze(verifica, &libretto, inizio, {&pf02, &pf09, &ancora, &cento});

    ASSERT_EQ(verifica.GetNumCoppieMisurate(), 2u);
    const CCoppiaDistanza coppie[] = {verifica.GetCoppiaMisurata(0), verifica.GetCoppiaMisurata(1)};
    EXPECT_EQ(coppie[0].nome1, u"PF01/0120/G337");
    EXPECT_EQ(coppie[0].nome2, u"PF02/0120/G337");
    EXPECT_EQ(coppie[0].distanza, 300.0);
    EXPECT_EQ(coppie[1].nome2, u"PF09/0120/G337");
    EXPECT_EQ(coppie[1].distanza, 100.0);

    ASSERT_EQ(intervalli.size(), 2u);
    EXPECT_EQ(intervalli[0].nome2, u"PF02/0120/G337");
    EXPECT_EQ(intervalli[0].misurata, 300.0);
    EXPECT_EQ(intervalli[1].nome1, u"PF01/0120/G337");
    EXPECT_EQ(intervalli[1].nome2, u"101");
    EXPECT_EQ(intervalli[1].misurata, 100.0);
    EXPECT_NEAR(intervalli[1].tolleranza, 0.18, 1e-12);
    EXPECT_NEAR(intervalli[1].inferiore, 99.82, 1e-9);
    EXPECT_EQ(intervalli[1].zonaMostrata, 1);
}

// The station tool on hand-made meshes: fiducial points by rows 5, one station each.
TEST(TollStazFuoriTriang, NearestSideAndThirtyPercent) {
    using Punti = std::vector<std::pair<double, double>>;
    struct Esito {
        int a, b; // indices of the fiducial points
        double distanza;
        bool dentro;
    };
    const struct {
        const char* cosa;
        Punti pf;
        double sx, sy;
        std::vector<Esito> attesi;
    } casi[] = {
        {"a fiducial point inside a side is no vertex: one finding against the whole side",
         {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 0}},
         2.5,
         -3,
         {{0, 1, 3, true}}},
        {"a foot on a vertex is not hidden by the side that meets it there",
         {{0, 0}, {10, 0}, {10, 10}, {0, 10}},
         0,
         -3,
         {{0, 1, 3, true}}},
        {"beyond a corner: the two sides at the nearest vertex",
         {{0, 0}, {10, 0}, {10, 10}, {0, 10}},
         13,
         -4,
         {{0, 1, 5, false}, {1, 2, 5, false}}},
        {"compared as computed: 3.000 is past 30 % of 9.999",
         {{0, 0}, {9.999, 0}, {9.999, 10}, {0, 10}},
         5,
         -3,
         {{0, 1, 3, false}}},
        {"farther than the undefined real's square from every vertex: still a nearest vertex",
         {{0, 0}, {10, 0}, {5, 10}},
         1e101,
         0,
         {{0, 1, 1e101, false}, {1, 2, 1e101, false}}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.cosa);
        CCts libretto;
        CLibCmp stazioni;
        const auto nome = [](int i) { return WString::Formatted(u"PF%02d/0010/G337", i); };
        for (std::size_t i = 0; i < c.pf.size(); ++i) {
            auto* r = new CRig('5', 0);
            r->SetLblNome1(nome(static_cast<int>(i)));
            r->SetCoord(c.pf[i].first, c.pf[i].second, 0);
            r->CalcolaValiditaXYZ();
            libretto.m_Righe45.AddRig(r);
        }
        CSta* sta = stazioni.AddJob(u"J")->AddSta(u"100");
        sta->SetCoord(c.sx, c.sy, 0);
        sta->CalcolaValiditaXYZ();
        CTollStazFuoriTriang tool(nullptr, &stazioni, &libretto, nullptr);
        tool.Esegui(false);
        const std::vector<CRisStazione>& r = tool.GetRisultati();
        ASSERT_EQ(r.size(), c.attesi.size());
        for (std::size_t i = 0; i < r.size(); ++i) {
            EXPECT_EQ(r[i].verticeA, nome(c.attesi[i].a)) << i;
            EXPECT_EQ(r[i].verticeB, nome(c.attesi[i].b)) << i;
            EXPECT_NEAR(r[i].distanzaEsterna, c.attesi[i].distanza,
                        1e-9 * std::max(1.0, c.attesi[i].distanza));
            EXPECT_EQ(r[i].inTolleranza, c.attesi[i].dentro) << i;
        }
    }
}

// The stations' search by cells gives what the look at every side gives, finding for finding, on
// generated meshes: scattered points, points on a circle (every one a vertex), and points on a lattice
// with stations on it too, where distances tie and feet fall on vertices.
TEST(TollStazFuoriTriang, SearchByCellsIsTheLookAtEverySide) {
    std::mt19937 caso(11);
    std::uniform_real_distribution<double> unif(0, 1);
    for (int prova = 0; prova < 24; ++prova) {
        const int forma = prova % 3;
        const int n = 4 + prova * 7;
        CCts libretto;
        CLibCmp stazioni;
        for (int i = 0; i < n; ++i) {
            double x, y;
            if (forma == 0) {
                x = unif(caso) * 1000;
                y = unif(caso) * 700;
            } else if (forma == 1) {
                const double a = unif(caso) * 6.283185307179586;
                x = 500 + 400 * std::cos(a);
                y = 500 + 400 * std::sin(a);
            } else {
                x = std::floor(unif(caso) * 8) * 10;
                y = std::floor(unif(caso) * 8) * 10;
            }
            auto* r = new CRig('5', 0);
            r->SetLblNome1(WString::Formatted(u"PF%02d/%03d0/G337", i % 100, i / 100 + 1));
            r->SetCoord(x, y, 0);
            r->CalcolaValiditaXYZ();
            libretto.m_Righe45.AddRig(r);
        }
        CJob* job = stazioni.AddJob(u"J");
        for (int k = 0; k < 300; ++k) {
            double x, y;
            if (forma == 2) {
                x = std::floor(unif(caso) * 14 - 3) * 10;
                y = std::floor(unif(caso) * 14 - 3) * 10;
            } else {
                x = unif(caso) * 2400 - 700;
                y = unif(caso) * 2400 - 700;
            }
            if (k == 0)
                x = y = 1e7; // far beyond the grid
            CSta* sta = job->AddSta(WString::Formatted(u"%d", k + 1));
            sta->SetCoord(x, y, 0);
            sta->CalcolaValiditaXYZ();
        }
        std::vector<CRisStazione> esiti[2];
        for (const bool veloce : {false, true}) {
            CTollStazFuoriTriang tool(nullptr, &stazioni, &libretto, nullptr);
            tool.SetRicercaVeloce(veloce);
            tool.Esegui(false);
            esiti[veloce] = tool.GetRisultati();
        }
        ASSERT_EQ(esiti[0].size(), esiti[1].size()) << "prova " << prova;
        for (std::size_t i = 0; i < esiti[0].size(); ++i) {
            const CRisStazione &a = esiti[0][i], &b = esiti[1][i];
            EXPECT_TRUE(a.stazione == b.stazione && a.verticeA == b.verticeA && a.verticeB == b.verticeB &&
                        a.distanzaEsterna == b.distanzaEsterna && a.inTolleranza == b.inTolleranza)
                << "prova " << prova << ", station " << a.stazione.ToUtf8() << ": " << a.verticeA.ToUtf8()
                << "-" << a.verticeB.ToUtf8() << " " << a.distanzaEsterna << " against "
                << b.verticeA.ToUtf8() << "-" << b.verticeB.ToUtf8() << " " << b.distanzaEsterna;
        }
        EXPECT_GT(esiti[0].size(), 0u) << "prova " << prova;
    }
}

} // namespace
