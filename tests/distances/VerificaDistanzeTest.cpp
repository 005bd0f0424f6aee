// Distance verification against hand-computed values: tolerances, comparisons, the pairs a survey
// yields, intervals and the settings.
#include "distances/VerificaDistanze.h"

#include "distances/DlgPregeoVerificaDistanze.h"
#include "host/core/HostContext.h"
#include "host/ui/Driver.h"
#include "hostapi/Settings.h"
#include "tests/editors/TestEditori.h"
#include "tests/pfimport/TafTestUtil.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

constexpr double U = REALE_INDEFINITO;

TEST(VerificaDistanze, TolerancesByZoneAndByScale) {
    const struct {
        int zona;
        double d, tolleranza;
    } zone[] = {{0, 100, 0.18},     {0, 300, 0.44}, {0, 300.001, 0.45}, {1, 150.10, 0.29016},
                {1, 300.001, 0.55}, {2, 300, 0.7},  {2, 300.001, 0.7},  {2, 0, 0.1},
                {7, 100, 0.18},     {1, U, U}};
    for (const auto& c : zone)
        EXPECT_NEAR(TolleranzaZona(c.zona, c.d), c.tolleranza, 1e-12) << c.zona << " " << c.d;
    const struct {
        std::int32_t indice, denominatore;
        double tolleranza;
    } scale[] = {{0, 500, 1.5},  {1, 1000, 1.5},   {2, 2000, 2.0},
                 {3, 4000, 3.0}, {2000, 500, 1.5}, {-1, 500, 1.5}};
    for (const auto& c : scale) {
        EXPECT_EQ(DenominatoreScala(c.indice), c.denominatore);
        EXPECT_EQ(TolleranzaScala(c.denominatore), c.tolleranza);
    }
    EXPECT_EQ(TolleranzaScala(2999), 2.0);
    EXPECT_EQ(TolleranzaScala(3000), 2.5);
    EXPECT_EQ(TolleranzaScala(3999), 2.5);
    EXPECT_TRUE(EntroTolleranza(100.18 - 100.0, TolleranzaZona(0, 100)));
    EXPECT_FALSE(EntroTolleranza(0.181, TolleranzaZona(0, 100)));
    EXPECT_EQ(DistanzaPiana(0, 0, 3, 4), 5);
    EXPECT_EQ(DistanzaPiana(U, U, U, U), U);
}

class Verifica : public testing::Test {
protected:
    void SetUp() override {
        libretto.SetFogl(u"0120");
        libretto.SetCdCm(u"G337");
    }
    void Noto(const char16_t* nome, double x, double y, bool np = false) {
        COri* p = stazioni.AddOri();
        p->SetNome(nome);
        p->SetCoord(x, y, 0);
        p->SetCodeNP(np);
    }
    void Importata(const char16_t* a, const char16_t* b, double d, const char16_t* rif) {
        CCtsDistanza* dist = libretto.m_EstrMap.AddDistanza();
        dist->SetNome1(a);
        dist->SetNome2(b);
        dist->SetDistanza(d);
        dist->SetRifLibretto(rif);
    }
    std::vector<CRisultatoDistanza> Calcola(const COpzioniTollDist& opzioni) {
        verifica.Calcola(opzioni);
        return verifica.GetRisultati();
    }
    CCts libretto;
    CLibCmp stazioni;
    CLibGps gps;
    CVerificaDistanze verifica{&stazioni, &gps, &libretto};
};

struct Atteso {
    double confronto, tolleranza, differenza;
    int esito;
    const char16_t *tipo, *libretto;
};

void Confronta(const std::vector<CRisultatoDistanza>& r, std::initializer_list<Atteso> attesi) {
    ASSERT_EQ(r.size(), attesi.size());
    std::size_t i = 0;
    for (const Atteso& a : attesi) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(r[i].confronto, a.confronto, 1e-9);
        EXPECT_NEAR(r[i].tolleranza, a.tolleranza, 1e-9);
        EXPECT_NEAR(r[i].differenza, a.differenza, 1e-9);
        EXPECT_EQ(r[i].esito, a.esito);
        EXPECT_EQ(r[i].tipo, a.tipo);
        EXPECT_EQ(r[i].libretto, a.libretto);
        if (a.esito != ESITO_INDETERMINATO) {
            EXPECT_NEAR(r[i].inferiore, r[i].misurata - a.tolleranza, 1e-9);
            EXPECT_NEAR(r[i].superiore, r[i].misurata + a.tolleranza, 1e-9);
        }
        ++i;
    }
}

// 150.10 against 150.20 and 150.40 (stored swapped), zone 1; an imported distance without a value takes
// no part in the mean and cannot be judged on its own.
TEST_F(Verifica, MeanAndSingleComparison) {
    ASSERT_TRUE(verifica.AggiungiCoppiaMisurata(u"PF01", u"PF02/0120/G337", 150.10));
    EXPECT_FALSE(verifica.AggiungiCoppiaMisurata(u"PF02/0120/G337", u"PF01/0120/G337", 150.10));
    EXPECT_FALSE(verifica.AggiungiCoppiaMisurata(u"PF01", u"100", 10));
    Importata(u"PF01/0120/G337", u"PF02/0120/G337", 150.20, u"L1");
    Importata(u"PF02/0120/G337", u"PF01/0120/G337", 150.40, u"L2");
    Importata(u"PF01/0120/G337", u"PF02/0120/G337", U, u"L3");
    Importata(u"PF01/0120/G337", u"PF03/0120/G337", 1, u"L4");
    const double t = 0.05 + 0.0016 * 150.10;
    Confronta(Calcola({1, 0, 0}), {{150.30, t, 0.20, ESITO_IN, u"Media-Mis.", u""}});
    const auto& singole = Calcola({1, 1, 0});
    Confronta(singole, {{150.20, t, 0.10, ESITO_IN, u"Libretto: ", u"L1"},
                        {150.40, t, 0.30, ESITO_FUORI, u"Libretto: ", u"L2"},
                        {U, t, U, ESITO_INDETERMINATO, u"Libretto: ", u"L3"}});
    // A difference equal to the tolerance is in it.
    libretto.m_EstrMap.GetDistanzaAt(0)->SetDistanza(150.10 + t);
    Confronta(Calcola({1, 1, 0}), {{150.10 + t, t, t, ESITO_IN, u"Libretto: ", u"L1"},
                                   {150.40, t, 0.30, ESITO_FUORI, u"Libretto: ", u"L2"},
                                   {U, t, U, ESITO_INDETERMINATO, u"Libretto: ", u"L3"}});
}

// Without imported distances the coordinates of the known points compare, with the scale's tolerance;
// without either, nothing compares.
TEST_F(Verifica, KnownCoordinatesOrNothing) {
    Noto(u"PF03/0120/G337", 0, 0);
    Noto(u"PF04/0120/G337", 300, 400);
    Noto(u"PF05/0120/G337", U, U);
    verifica.CostruisciNoti();
    ASSERT_EQ(verifica.GetNumCoppieNote(), 3u);
    ASSERT_TRUE(verifica.AggiungiCoppiaMisurata(u"PF04", u"PF03", 501.9));
    ASSERT_TRUE(verifica.AggiungiCoppiaMisurata(u"PF03", u"PF05", 10));
    ASSERT_TRUE(verifica.AggiungiCoppiaMisurata(u"PF03", u"PF06", 10));
    Confronta(Calcola({0, 0, 2}), {{500, 2.0, 1.9, ESITO_IN, u"Dist.Taf.", u""},
                                   {U, 2.0, U, ESITO_INDETERMINATO, u"Dist.Taf.", u""},
                                   {0, 0, 0, ESITO_INDETERMINATO, u"", u""}});
    Confronta(Calcola({0, 1, 0}), {{500, 1.5, 1.9, ESITO_FUORI, u"Dist.Taf.", u""},
                                   {U, 1.5, U, ESITO_INDETERMINATO, u"Dist.Taf.", u""},
                                   {0, 0, 0, ESITO_INDETERMINATO, u"", u""}});
}

// Points measured by stations and GPS (NP excluded), rows 5, and the origin of the first row 4 when a
// row 5 measures its orientation point; fiducial names completed, other names only when known; pairs
// of full fiducial names or of known points. Points without coordinates give no distance.
TEST_F(Verifica, CostruisciFromTheSurvey) {
    Noto(u"PF01/0120/G337", 0, 0);
    Noto(u"500", 0, 100);
    Noto(u"PF08/0120/G337", 50, 50, true);
    CJob* job = stazioni.AddJob(u"J1");
    CSta* sta = job->AddSta(u"S1");
    sta->AddPun(u"PF01")->SetCoord(0, 0.05, 0);
    sta->AddPun(u"500")->SetCoord(0, 100.02, 0);
    sta->AddPun(u"101")->SetCoord(1, 1, 0);
    sta->AddPun(u"PF09")->SetCodeNP(true);
    CSta* staNP = job->AddSta(u"S2");
    staNP->SetCodeNP(true);
    staNP->AddPun(u"PF10");
    CJob* jobNP = stazioni.AddJob(u"J2");
    jobNP->SetCodeNP(true);
    jobNP->AddSta(u"S3")->AddPun(u"PF11");
    gps.AddGrp(u"B")->AddPun(u"PF06");
    auto* riga5 = new CRig('5', 0);
    riga5->SetLblNome1(u"PF07");
    riga5->SetCoord(0, 30, 0);
    libretto.m_Righe45.AddRig(riga5);
    verifica.Costruisci();
    std::vector<WString> nomi;
    for (const CPuntoVerifica& p : verifica.GetPuntiMisurati())
        nomi.push_back(p.nome);
    EXPECT_EQ(nomi, (std::vector<WString>{u"PF01/0120/G337", u"500", u"PF06/0120/G337", u"PF07/0120/G337"}));
    ASSERT_EQ(verifica.GetNumCoppieMisurate(), 4u);
    const auto& r = Calcola({0, 0, 0});
    EXPECT_EQ(r[0].nome2, u"500");
    EXPECT_NEAR(r[0].differenza, 0.03, 1e-9);
    EXPECT_EQ(r[0].tipo, u"Dist.Taf.");
    EXPECT_EQ(r[1].nome2, u"PF06/0120/G337");
    EXPECT_EQ(r[1].misurata, U);
    EXPECT_EQ(r[3].nome1, u"PF06/0120/G337");
    EXPECT_EQ(r[3].esito, ESITO_INDETERMINATO);
    EXPECT_NEAR(verifica.GetCoppiaMisurata(2).distanza, 29.95, 1e-9);
}

TEST_F(Verifica, OriginOfTheFirstRow4OnlyWithItsRow5) {
    Noto(u"PF03/0120/G337", 0, 0);
    Noto(u"PF04/0120/G337", 40, 0);
    auto* riga4 = new CRig('4', 0);
    riga4->SetLblNome1(u"PF03");
    riga4->SetLblNome2(u"PF04");
    libretto.m_Righe45.AddRig(riga4);
    verifica.Costruisci();
    EXPECT_TRUE(verifica.GetPuntiMisurati().empty());
    auto* riga5 = new CRig('5', 0);
    riga5->SetLblNome1(u"PF04");
    riga5->SetDatoRea1(40.01);
    riga5->SetCoord(40.01, 0, 0);
    libretto.m_Righe45.AddRig(riga5);
    verifica.Costruisci();
    ASSERT_EQ(verifica.GetNumCoppieMisurate(), 1u);
    EXPECT_EQ(verifica.GetCoppiaMisurata(0).nome1, u"PF03/0120/G337");
    EXPECT_NEAR(verifica.GetCoppiaMisurata(0).distanza, 40.01, 1e-9);
}

TEST(VerificaDistanze, IntervalsAndSettings) {
    CIntervalloDistanza i(u"A", u"B", 100);
    EXPECT_NEAR(i.tolleranza, 0.18, 1e-12);
    EXPECT_NEAR(i.inferiore, 99.82, 1e-9);
    EXPECT_NEAR(i.superiore, 100.18, 1e-9);
    EXPECT_EQ(i.zonaMostrata, 1);
    i.Calcola(2);
    EXPECT_NEAR(i.tolleranza, 0.3, 1e-12);
    EXPECT_EQ(i.zonaMostrata, 3);

    taftest::Cartella dir;
    const auto ini = dir.Scrivi("impostazioni.ini", "[PregeoTollDist]\nZone=5\nCalc=1\nScale=2000\n");
    host::SetFolders({dir.Path(), dir.Path(), ini});
    COpzioniTollDist o = COpzioniTollDist::Leggi();
    EXPECT_EQ(o.zona, 0);
    EXPECT_EQ(o.calcolo, 1);
    EXPECT_EQ(o.scala, 0);
    o = {2, 0, 3};
    o.Scrivi(false);
    EXPECT_EQ(CIniFile().GetShort(u"PregeoTollDist", u"Zone", -1), 2);
    EXPECT_EQ(CIniFile().GetShort(u"PregeoTollDist", u"Calc", -1), 1);
    o.Scrivi(true);
    o = COpzioniTollDist::Leggi();
    EXPECT_EQ(o.calcolo, 0);
    EXPECT_EQ(o.scala, 3);
    host::SetFolders({});
}

// Interval mode opens on the first zone's values, recomputes them for the zone chosen, hides what
// only a comparison uses and writes only the zone.
TEST(VerificaDistanze, IntervalModeDialog) {
    LinkedResources risorse{TabellaModulo()};
    taftest::Cartella dir;
    const auto ini = dir.Scrivi("impostazioni.ini", "[PregeoTollDist]\nZone=1\nCalc=1\nScale=3\n");
    host::SetFolders({dir.Path(), dir.Path(), ini});
    std::vector<CIntervalloDistanza> righe{{u"PF01/0120/G337", u"101", 100},
                                           {u"PF01/0120/G337", u"102", 300.001}};
    host::ui::ScriptedUi ui;
    std::string errore;
    ASSERT_TRUE(ui.AddLines(
        "show\ntab 2731 Opzioni\nshow\nchoose 2744\ntab 2731 Risultati\nshow\nclick 2732\n", errore));
    CDlgPregeoVerificaDistanze dlg(nullptr, righe);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const std::string t = ui.TranscriptText();
    using testing::HasSubstr;
    EXPECT_THAT(t, HasSubstr("| N. | 1°Punto        | 2°Punto | Zona | Toll. | Dist.Mis. | Intervallo"));
    EXPECT_THAT(t, HasSubstr("| 1    | 0.180 | 100.000   | 99.820 - 100.180"));
    EXPECT_THAT(t, HasSubstr("2743  radio      \"Extraurbana pianeggiante/ondulata\" (o)"));
    EXPECT_THAT(t, HasSubstr("2746  combo      \"1:4000\", entry 3 of 4 (hidden)"));
    EXPECT_THAT(t, HasSubstr("2749  radio      \"Confronto con le singole distanze\" (o) (hidden)"));
    EXPECT_THAT(t, HasSubstr("| 3    | 0.300 | 100.000   | 99.700 - 100.300"));
    EXPECT_THAT(t, HasSubstr("| 3    | 0.700 | 300.001   | 299.301 - 300.701"));
    EXPECT_EQ(righe[1].zonaMostrata, 3);
    const COpzioniTollDist o = COpzioniTollDist::Leggi();
    EXPECT_EQ(o.zona, 2);
    EXPECT_EQ(o.calcolo, 1);
    EXPECT_EQ(o.scala, 3);
    host::SetFolders({});
}

} // namespace
