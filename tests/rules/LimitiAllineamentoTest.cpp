#include "rules/Regole.h"

#include <gtest/gtest.h>

// The limit tests round to the millimetre with the host's rounding; its half-way rule decides the ties.
TEST(ArrotondatoAtDec, MetaStradaLontanoDaZero) {
    struct Caso {
        double valore, atteso;
    };
    const Caso casi[] = {{0.0025, 0.003},  {-0.0025, -0.003}, {1.2345, 1.235},    {-1.2345, -1.235},
                         {2.5005, 2.501},  {10.0005, 10.001}, {2.9995, 3.0},      {1.23449, 1.234},
                         {1.23451, 1.235}, {0.0, 0.0},        {16.0004999, 16.0}, {12345.6785, 12345.679}};
    for (const auto& c : casi)
        EXPECT_DOUBLE_EQ(ArrotondatoAtDec(c.valore, 3), c.atteso) << c.valore;
    EXPECT_EQ(ArrotondatoAtDec(REALE_INDEFINITO, 3), REALE_INDEFINITO);
    EXPECT_DOUBLE_EQ(ArrotondatoAtDec(2.5, 0), 3.0);
    EXPECT_DOUBLE_EQ(ArrotondatoAtDec(-2.5, 0), -3.0);
}

TEST(LimitiAllineamento, ProlungamentoAlQuarto) {
    struct Caso {
        double L, a;
        int atteso;
        double eccedenza, limite;
    };
    const Caso casi[] = {
        {40, -10.000, 0, 10.000, 10.000}, // exactly L / 4 before the origin
        {40, -10.001, 2, 10.001, 10.000}, // one millimetre more
        {40, 50.000, 0, 10.000, 10.000},  // exactly L / 4 beyond the end
        {40, 50.001, 2, 10.001, 10.000},
        {40, 20, 0, 0, 10.000}, // inside the alignment
        {40, 0, 0, 0, 10.000},
        {40, 40, 0, 0, 10.000},
        {240, 300.000, 0, 60.000, 60.000},
        {240, 300.001, 1, 60.001, 60.000}, // beyond L / 4 and beyond 50 m
        {200, -50.000, 0, 50.000, 50.000},
        {200, -50.001, 1, 50.001, 50.000}, // 50.001 is strictly above 50
        {160, -40.001, 2, 40.001, 40.000},
        {10.002, -2.501, 0, 2.501, 2.501}, // L / 4 = 2.5005, rounded half away from zero
        {10.002, -2.502, 2, 2.502, 2.501},
        {40, -10.0004, 0, 10.000, 10.000}, // excess rounded to the millimetre before comparing
        {40, -10.0005, 2, 10.001, 10.000},
    };
    for (const auto& c : casi) {
        double eccedenza = -1, limite = -1;
        EXPECT_EQ(VerificaProlungamento(c.L, c.a, &eccedenza, &limite), c.atteso) << c.L << " " << c.a;
        EXPECT_DOUBLE_EQ(eccedenza, c.eccedenza) << c.L << " " << c.a;
        EXPECT_DOUBLE_EQ(limite, c.limite) << c.L << " " << c.a;
    }
}

// With the marker ("*S*") the limits are L / 3 and 16 m, without it 3 m; equal values are out, after
// both L / 3 and the offset are rounded to the millimetre (30.0015 / 3 and 9.9995 round up).
TEST(LimitiAllineamento, Squadro) {
    struct Caso {
        double L, s;
        bool marcatore;
        int atteso;
        double restituito, limite; // the limit is written only with the marker
    };
    const Caso casi[] = {{30, 10.000, true, 3, 10.000, 10.000},
                         {30, 9.999, true, 0, 9.999, 10.000},
                         {30, -10.000, true, 3, 10.000, 10.000},
                         {60, 16.000, true, 2, 16.000, 20.000},
                         {60, 15.999, true, 0, 15.999, 20.000},
                         {60, 20.000, true, 1, 20.000, 20.000},
                         {60, 19.999, true, 2, 19.999, 20.000},
                         {30.0015, 10.001, true, 3, 10.001, 10.001},
                         {30.0015, 10.000, true, 0, 10.000, 10.001},
                         {30, 9.9995, true, 3, 10.000, 10.000},
                         {30, 9.9994, true, 0, 9.999, 10.000},
                         {30, 2.999, false, 0, 2.999, -7},
                         {30, 3.000, false, 4, 3.000, -7},
                         {1000, 3.000, false, 4, 3.000, -7},
                         {1, 2.999, false, 0, 2.999, -7},
                         {30, -3.000, false, 4, 3.000, -7},
                         {30, -2.9994, false, 0, 2.999, -7},
                         {30, 2.9995, false, 4, 3.000, -7},
                         {30, 3.001, false, 4, 3.001, -7},
                         {30, 0, false, 0, 0, -7}};
    for (const auto& c : casi) {
        double s = c.s, limite = -7;
        EXPECT_EQ(VerificaSquadro(c.L, &s, c.marcatore, &limite), c.atteso) << c.L << " " << c.s;
        EXPECT_DOUBLE_EQ(s, c.restituito) << c.L << " " << c.s;
        EXPECT_DOUBLE_EQ(limite, c.limite) << c.L << " " << c.s;
    }
    EXPECT_EQ(VerificaProlungamento(40, 50.001, nullptr, nullptr), 2);
    EXPECT_EQ(VerificaSquadro(30, nullptr, true, nullptr), 0);
}

namespace {

// A survey where every kind of source names one point.
struct Rilievo {
    CLibCmp cmp;
    CLibGps gps;
    CCts cts;

    Rilievo() {
        CJob* job = cmp.AddJob(u"J1");
        CSta* sta = job->AddSta(u"100");
        sta->AddPun(u"101");
        sta->AddPun(u"102")->SetCodeNP(true);
        CSta* staNP = job->AddSta(u"200");
        staNP->SetCodeNP(true);
        staNP->AddPun(u"201");
        CJob* jobNP = cmp.AddJob(u"J2");
        jobNP->SetCodeNP(true);
        jobNP->AddSta(u"300")->AddPun(u"301");

        CGrpGps* grp = gps.AddGrp(u"500");
        grp->AddPun(u"501");
        grp->AddPun(u"502")->SetCodeNP(true);
        CGrpGps* grpNP = gps.AddGrp(u"600");
        grpNP->SetCodeNP(true);
        grpNP->AddPun(u"601");

        cmp.AddOri(false)->SetNome(u"PF01/0010/A123");
        COri* np = cmp.AddOri(false);
        np->SetNome(u"700");
        np->SetCodeNP(true);

        AddRiga5(u"800", 0);
        AddRiga5(u"800", 0);
        AddRiga5(u"900", 0);
        AddRiga5(u"901", 0);
        AddRiga5(u"901", 1); // a levelling reading does not count
    }
    void AddRiga5(const char16_t* nome, char specRiga) {
        CRig* r = new CRig('5', specRiga);
        r->SetLblNome1(nome);
        cts.m_Righe45.AddRig(r);
    }
};

} // namespace

TEST(LimitiAllineamento, PuntoRilevato) {
    Rilievo r;
    struct Caso {
        const char16_t* nome;
        bool atteso;
    };
    const Caso casi[] = {
        {u"100", true},  {u" 100 ", true},          {u"101", true},
        {u"102", false}, {u"200", false},           {u"201", true},
        {u"300", false}, {u"301", false},           {u"500", true},
        {u"501", true},  {u"502", false},           {u"600", false},
        {u"601", false}, {u"pf01/0010/a123", true}, {u"700", false},
        {u"800", true},  {u"900", false},           {u"901", false},
        {u"999", false},
    };
    for (const auto& c : casi)
        EXPECT_EQ(IsPuntoRilevato(c.nome, &r.gps, &r.cmp, &r.cts), c.atteso) << WString(c.nome).ToUtf8();
    EXPECT_FALSE(IsPuntoRilevato(u"100", nullptr, nullptr, nullptr));
}
