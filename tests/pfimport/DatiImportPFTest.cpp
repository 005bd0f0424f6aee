// The deciding parts of the fiducial point import, table by table.
#include "pfimport/DatiImportPF.h"

#include "TafTestUtil.h"
#include "host/core/HostContext.h"
#include "hostapi/Settings.h"
#include "resources/StringIds.h"

#include <gtest/gtest.h>

#include <limits>
#include <numbers>

namespace {

std::vector<WString> Testi(std::initializer_list<const char16_t*> testi) {
    return std::vector<WString>(testi.begin(), testi.end());
}

CTafPunto Record(int numero, const char16_t* foglio, const char16_t* comune) {
    CTafPunto p;
    p.NumPF = numero;
    p.Foglio = foglio;
    p.Comune = comune;
    return p;
}

} // namespace

TEST(DatiImportPF, ProvincesAndMunicipalitiesOfTheChoiceDialog) {
    const auto& province = CodiciProvince();
    ASSERT_EQ(province.size(), 103u);
    EXPECT_EQ(WString(province[1]), u"AL");
    EXPECT_EQ(WString(province.back()), u"VV");
    for (std::size_t i = 1; i < province.size(); ++i)
        EXPECT_LT(WString(province[i - 1]), WString(province[i]));

    const struct {
        const char16_t* provincia;
        std::size_t aggiunti;
        const char16_t *primo, *ultimo;
    } autonomi[] = {{u"TN", 447, u"0001", u"0447"},
                    {u"BZ", 246, u"0601", u"0846"},
                    {u"PR", 0, u"", u""},
                    {u"tn", 0, u"", u""}};
    for (const auto& c : autonomi) {
        std::vector<WString> comuni;
        AggiungiComuniAutonomi(c.provincia, comuni);
        ASSERT_EQ(comuni.size(), c.aggiunti) << WString(c.provincia);
        if (c.aggiunti > 0) {
            EXPECT_EQ(comuni.front(), c.primo);
            EXPECT_EQ(comuni.back(), c.ultimo);
        }
    }

    const struct {
        std::vector<WString> voci;
        const char16_t* valore;
        int scelta;
    } scelte[] = {{Testi({u"A", u"B", u"C"}), u"C", 2},
                  {Testi({u"A", u"B"}), u"X", 1},
                  {Testi({u"A", u"B"}), u"", 1},
                  {Testi({u"A"}), u"X", -1},
                  {Testi({u"A"}), u"A", 0},
                  {{}, u"", -1}};
    for (const auto& c : scelte)
        EXPECT_EQ(SceltaIniziale(c.voci, c.valore), c.scelta) << WString(c.valore);
}

TEST(DatiImportPF, SheetsDatesAndNames) {
    const struct {
        const char16_t* testo;
        std::vector<WString> pezzi;
    } fogli[] = {{u"", {}},
                 {u"0010", Testi({u"0010"})},
                 {u"0010,0020", Testi({u"0010", u"0020"})},
                 {u"0010,", Testi({u"0010"})},
                 {u",0010", Testi({u"", u"0010"})},
                 {u"0010,,0020", Testi({u"0010", u"", u"0020"})}};
    for (const auto& c : fogli)
        EXPECT_EQ(DividiFogli(c.testo), c.pezzi) << WString(c.testo);

    const struct {
        const char16_t *prima, *dopo;
    } date[] = {{u"150396", u"15/03/96"},
                {u"15/03/96", u"15/03/96"},
                {u"1503", u"1503"},
                {u"15039", u"15/03/9"},
                {u"", u""},
                {u"1503961", u"15/03/961"}};
    for (const auto& c : date) {
        WString d = c.prima;
        RegolaData(d);
        EXPECT_EQ(d, c.dopo);
    }

    // The index forms names as the formatter does, trimmed on the right.
    for (const int numero : {0, 7, 12, 123, -5, -15}) {
        const CTafPunto p = Record(numero, u"0120", u"A123 ");
        const WString atteso = WString::Formatted(u"PF%02d/%s/%s", numero, p.Foglio, p.Comune);
        EXPECT_EQ(NomePFDaRecord(p, false), atteso);
        EXPECT_EQ(NomePFDaRecord(p, true), atteso.Left(atteso.GetLength() - 1));
    }
    CTafElenco elenco;
    for (const CTafPunto& p : {Record(1, u"0120", u"A123"), Record(2, u"0120", u"A123"),
                               Record(1, u"0120", u"A123\t"), Record(1, u"0130", u"A123")})
        elenco.Aggiungi(std::make_unique<CTafPunto>(p));
    CIndiceTaf indice;
    EXPECT_FALSE(indice.IsCostruito());
    indice.Costruisci(elenco, Testi({u"PF01/0120/A123", u"PF01/0130/A123", u"PF03/0120/A123"}));
    const int primo = indice.Primo(u"PF01/0120/A123");
    EXPECT_EQ(primo, 0);
    EXPECT_EQ(indice.Successivo(primo), 2);
    EXPECT_EQ(indice.Successivo(2), -1);
    EXPECT_EQ(indice.Primo(u"PF01/0130/A123"), 3);
    EXPECT_EQ(indice.Primo(u"PF03/0120/A123"), -1);
    EXPECT_EQ(indice.Primo(u"PF02/0120/A123"), -1); // in the list, but not looked for
    indice.Svuota();
    EXPECT_EQ(indice.Primo(u"PF01/0120/A123"), -1);
}

TEST(DatiImportPF, FiltersAndOptionsOfTheListImport) {
    const struct {
        std::int32_t attP;
        const char16_t* descr;
        CFiltroElenco filtro;
        bool tenuto;
    } casi[] = {
        {5, u"", {true, 5, false}, false},
        {6, u"", {true, 5, false}, true},
        {0, u"", {false, 5, false}, true},
        {9, u"NON UTILIZZABILE", {false, 0, true}, false},
        {9, u"PALO ENEL - NON UTILIZZABILE DAL 2004", {false, 0, true}, false},
        {9, u"PALO ENEL - NON UTILIZZABILE", {false, 0, false}, true},
        {9, u"non utilizzabile", {false, 0, true}, true}, // the host's search minds the case
        {9, u"NON UTILIZZABILE", {true, 5, true}, false},
    };
    for (const auto& c : casi) {
        CTafPunto p;
        p.AttP = c.attP;
        p.DescrPlan = c.descr;
        EXPECT_EQ(TenutoDalFiltro(p, c.filtro), c.tenuto) << c.attP << " " << WString(c.descr);
    }

    EXPECT_EQ(ErroreOpzioniElenco(u"", false, 0), IDS_SPECIFICARE_FOGLIO);
    EXPECT_EQ(ErroreOpzioniElenco(u"", true, 0), IDS_SPECIFICARE_ATTENDIBILITA);
    EXPECT_EQ(ErroreOpzioniElenco(u"0120", true, 0), IDS_SPECIFICARE_ATTENDIBILITA);
    EXPECT_EQ(ErroreOpzioniElenco(u"0120", true, 5), 0u);
    EXPECT_EQ(ErroreOpzioniElenco(u"0120", false, 0), 0u);
}

// A record without both plane coordinates is offered unticked, the missing one marked where its number
// would be; one with them is offered ticked. The automatic import counts what it left out.
TEST(DatiImportPF, RecordsWithoutCoordinatesAreMarkedAndCounted) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double nord, est;
        bool spuntata;
        const char16_t *testoNord, *testoEst;
    } casi[] = {
        {120.5, 150.25, true, u"120.500", u"150.250"},
        {0, -3.5, true, u"0.000", u"-3.500"},
        {120.5, REALE_INDEFINITO, false, u"120.500", u"mancante"},
        {REALE_INDEFINITO, REALE_INDEFINITO, false, u"mancante", u"mancante"},
        {9e199, 150.25, false, u"mancante", u"150.250"},
        {nan, 150.25, false, u"mancante", u"150.250"},
        {120.5, std::numeric_limits<double>::infinity(), false, u"120.500", u"mancante"},
    };
    for (const auto& c : casi) {
        CTafPunto p = Record(7, u"0120", u"A123");
        p.Nord = c.nord;
        p.Est = c.est;
        p.DataAgg = u"150396";
        EXPECT_EQ(IsPuntoConCoordinate(p), c.spuntata) << c.nord << " " << c.est;
        const CRigaGrigliaPF riga = RigaGrigliaPF(p);
        EXPECT_EQ(riga.spuntata, c.spuntata);
        EXPECT_EQ(riga.testi[4], c.testoNord);
        EXPECT_EQ(riga.testi[5], c.testoEst);
        EXPECT_EQ(riga.testi[8], u""); // no height is no reason to leave a point out
        EXPECT_EQ(riga.testi[14], u"15/03/96");
        EXPECT_EQ(p.DataAgg, u"15/03/96");
    }
    EXPECT_FALSE(AvvisoPuntiSenzaCoordinate(0));
    EXPECT_EQ(AvvisoPuntiSenzaCoordinate(1), u"1 punto fiduciale senza coordinate non è stato importato.");
    EXPECT_EQ(AvvisoPuntiSenzaCoordinate(14),
              u"14 punti fiduciali senza coordinate non sono stati importati.");
}

TEST(DatiImportPF, DuplicateRuleAsksAtEachEqualNameUnlessTheAnswerHoldsForAll) {
    using E = CRegolaDuplicati::Esito;
    const std::vector<WString> esistenti = Testi({u"A", u"B", u"A"});
    struct Passo {
        const char16_t* nome;
        std::vector<std::pair<int, bool>> risposte; // the user's answers, in order
        E esito;
        int indice;
    };
    const struct {
        const char* caso;
        std::vector<Passo> passi;
    } casi[] = {
        {"new name", {{u"C", {}, E::Nuovo, -1}}},
        {"update", {{u"A", {{0, false}}, E::Esistente, 0}}},
        {"add", {{u"A", {{1, false}}, E::Nuovo, -1}}},
        {"skip both", {{u"A", {{2, false}, {2, false}}, E::Nessuno, -1}}},
        {"skip then update", {{u"A", {{2, false}, {0, false}}, E::Esistente, 2}}},
        {"update for all", {{u"A", {{0, true}}, E::Esistente, 0}, {u"B", {}, E::Esistente, 1}}},
        {"skip for all",
         {{u"A", {{2, true}}, E::Nessuno, -1}, {u"B", {}, E::Nessuno, -1}, {u"C", {}, E::Nuovo, -1}}},
    };
    for (const auto& c : casi) {
        CRegolaDuplicati regola;
        regola.Inizia(static_cast<int>(esistenti.size()));
        for (const Passo& passo : c.passi) {
            std::size_t chiesto = 0;
            int preselezione = -1;
            const auto r = regola.Decidi(
                passo.nome, [&](int i) { return esistenti[static_cast<std::size_t>(i)]; },
                [&](const WString&, int& risposta, bool& tutti) {
                    if (chiesto == 0)
                        preselezione = risposta;
                    ASSERT_LT(chiesto, passo.risposte.size()) << c.caso;
                    std::tie(risposta, tutti) = passo.risposte[chiesto++];
                });
            EXPECT_EQ(chiesto, passo.risposte.size()) << c.caso;
            EXPECT_EQ(r.esito, passo.esito) << c.caso;
            EXPECT_EQ(r.indice, passo.indice) << c.caso;
            if (&passo == &c.passi.front() && chiesto > 0) {
                EXPECT_EQ(preselezione, RISPOSTA_AGGIUNGI) << c.caso; // "Aggiungi Punto" opens a pass
            }
        }
    }
    // Only the points that existed when the pass began are compared.
    CRegolaDuplicati regola;
    regola.Inizia(1);
    const auto r = regola.Decidi(
        u"B", [&](int i) { return esistenti[static_cast<std::size_t>(i)]; }, nullptr);
    EXPECT_EQ(r.esito, E::Nuovo);
}

TEST(DatiImportPF, TypedCentreIsTestedOnItsRealValues) {
    const double grado = std::numbers::pi / 180;
    const struct {
        const char16_t *g, *p, *s;
        bool valido;
        double gradi;
    } casi[] = {
        {u"44", u"48", u"5.4", true, 44 + 48 / 60.0 + 5.4 / 3600},
        {u"360", u"0", u"0", true, 360},
        {u"0", u"60", u"60", true, 1 + 1 / 60.0},
        {u"44.9", u"30.9", u"0", true, 44.5}, // whole degrees and minutes count
        {u"0", u"0", u"60.001", false, 0},
        {u"360.5", u"0", u"0", false, 0},
        {u"0", u"60.5", u"0", false, 0},
        {u"-1", u"0", u"0", false, 0},
        {u"1.7e200", u"0", u"0", false, 0},
        {u"99999999999999999999", u"0", u"0", false, 0},
        {u"", u"0", u"0", false, 0},
        {u"44", u"", u"0", false, 0},
    };
    for (const auto& c : casi) {
        double radianti = -1;
        EXPECT_EQ(LeggiAngoloSessagesimale(c.g, c.p, c.s, radianti), c.valido) << WString(c.g);
        if (c.valido) {
            EXPECT_NEAR(radianti, c.gradi * grado, 1e-12) << WString(c.g);
        }
    }
    const CTestiAngolo t = TestiAngolo((44 + 48 / 60.0 + 5.4 / 3600) * grado);
    EXPECT_EQ(t.gradi, u"44");
    EXPECT_EQ(t.primi, u"48");
    EXPECT_EQ(t.secondi, u"5.400");
}

TEST(DatiImportPF, CentreInThePlaneSystemOfTheCurrentGroup) {
    CLibGps gps;
    double nord = 0, est = 0;
    EXPECT_FALSE(PosizionePiana(&gps, 0.78, 0.18, nord, est)); // no current group
    EXPECT_FALSE(PosizionePiana(nullptr, 0.78, 0.18, nord, est));
    EXPECT_EQ(MessaggioPosizioneNonValida(&gps), IDS_ORIENTAMENTO_NON_VALIDO);
    gps.AddGrp(u"BASE");
    gps.SetCurrGrp(0);
    EXPECT_FALSE(PosizionePiana(&gps, 0.78, 0.18, nord, est)); // conversion not ready
    ASSERT_TRUE(gps.GetConvCoordProgetto().Imposta("EPSG:32632"));
    const double grado = std::numbers::pi / 180;
    ASSERT_TRUE(PosizionePiana(&gps, 45 * grado, 9 * grado, nord, est));
    EXPECT_NEAR(est, 500000.0, 0.01);
    EXPECT_NEAR(nord, 4982950.4, 1.0);
    EXPECT_FALSE(PosizionePiana(&gps, REALE_INDEFINITO, 9 * grado, nord, est));
    EXPECT_EQ(MessaggioPosizioneNonValida(&gps), IDS_ORIENTAMENTO_NON_VALIDO); // not oriented
    gps.SetOrientata(true);
    EXPECT_EQ(MessaggioPosizioneNonValida(&gps), IDS_DATI_NON_VALIDI);
}

TEST(DatiImportPF, LoadCacheHoldsOnlyWhatTheListHolds) {
    CCacheCarico cache;
    EXPECT_FALSE(cache.Uguale(u"", u"", u""));
    EXPECT_FALSE(cache.Uguale(u"", REALE_INDEFINITO, REALE_INDEFINITO, REALE_INDEFINITO));
    cache.Caricato(u"a.taf", 10, 20, 500);
    EXPECT_TRUE(cache.Uguale(u"a.taf", 10, 20, 500));
    EXPECT_FALSE(cache.Uguale(u"a.taf", 10, 20, 501));
    EXPECT_FALSE(cache.Uguale(u"a.taf", u"", u""));
    // A load by municipality replaces the near keys, so the same near load reads again.
    cache.Caricato(u"a.taf", u"G337", u"0120");
    EXPECT_TRUE(cache.Uguale(u"a.taf", u"G337", u"0120"));
    EXPECT_FALSE(cache.Uguale(u"a.taf", 10, 20, 500));
    EXPECT_FALSE(cache.Uguale(u"b.taf", u"G337", u"0120"));
    EXPECT_FALSE(cache.Uguale(u"a.taf", u"G337", u""));
    cache.Dimentica();
    EXPECT_FALSE(cache.Uguale(u"a.taf", u"G337", u"0120"));
}

TEST(DatiImportPF, SettingsOfTheWrongTypeGiveTheDefaults) {
    taftest::Cartella dir;
    host::SetFolders({dir.Path(), dir.Path(), dir.Path() / "impostazioni.ini"});
    const CImpostazioniCatasto vuoto = LeggiImpostazioniCatasto();
    EXPECT_EQ(vuoto.tipoSel, SORGENTE_FILE);
    EXPECT_EQ(vuoto.distMax, u"500");
    EXPECT_TRUE(IsRealeIndefinito(vuoto.raggio));
    dir.Scrivi("impostazioni.ini", "[CATASTO]\nTAF_TYPE_SEL=web\nTAF_ATTENDIB=5a\nTAF_CHKATTENDIB=forse\n"
                                   "TAF_NORD=nan\nTAF_EST=12,5\nTAF_RAGGIO=300\nTAF_COMUNE=G337\n");
    const CImpostazioniCatasto s = LeggiImpostazioniCatasto();
    EXPECT_EQ(s.tipoSel, SORGENTE_FILE);
    EXPECT_EQ(s.attendib, 0);
    EXPECT_FALSE(s.chkAttendib);
    EXPECT_TRUE(IsRealeIndefinito(s.nord));
    EXPECT_TRUE(IsRealeIndefinito(s.est));
    EXPECT_EQ(s.raggio, 300);
    EXPECT_EQ(s.comune, u"G337");
    for (const char* valore : {"0", "7", "-1"}) {
        CIniFile().WriteString(SEZIONE_CATASTO, CHIAVE_TIPO_SEL, WString::FromUtf8(valore));
        EXPECT_EQ(LeggiImpostazioniCatasto().tipoSel, valore[0] == '0' ? SORGENTE_WEB : SORGENTE_FILE);
    }
    host::SetFolders({});
}
