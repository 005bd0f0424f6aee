// The deciding code of the row 8 editor: the approved-act reference written and read back, the checks
// and stores of the three steps, and the copy back into the library's point. The dialogs are played end
// to end by the scenario folders (righe8-*).
#include "editors/DatiRiga8.h"
#include "hostapi/Conversions.h"

#include <gtest/gtest.h>

namespace {

WString Testo(const std::optional<CRifiuto>& r) {
    return r ? r->testo : WString();
}

COri Punto(const char16_t* nome, short tipo) {
    COri p(nome);
    p.SetTipoPunto(tipo);
    return p;
}

constexpr const char16_t* NOME_NON_VALIDO = u"Il nome del punto non è valido";
constexpr const char16_t* RIF_NON_VALIDO = u"I dati relativi a Anno/Protocollo/Identif. non soono validi";

} // namespace

TEST(Riga8, ReferenceReadBackIsSafeAndTakesEveryYearTheEditorStores) {
    const struct {
        const char16_t* nota;
        bool letto;
        CRiferimentoApprovato rif;
    } casi[] = {
        {u"20101234=5", true, {u"2010", u"1234", u"5"}},
        {u"1988123=4", true, {u"1988", u"123", u"4"}}, // the editor accepts 1988
        {u"1987123=4", false, {}},
        {u"2010123=", true, {u"2010", u"123", u""}},
        {u"2010=123456", false, {}}, // no protocol
        {u"2010123456", false, {}},  // no '=': nothing, rather than a negative length
        {u"20=0123456", false, {}},  // an '=' among the year's characters
        {u"2010=5", false, {}},      // not longer than 6
        {u"vertice[P.A.]", false, {}},
        {u"", false, {}},
    };
    for (const auto& c : casi) {
        const std::optional<CRiferimentoApprovato> rif = LeggiRiferimento(c.nota);
        EXPECT_EQ(rif.has_value(), c.letto) << WString(c.nota);
        if (rif) {
            EXPECT_EQ(*rif, c.rif) << WString(c.nota);
        }
    }
    const CRiferimentoApprovato rif{u"2010", u"1234", u"5"};
    EXPECT_EQ(ScriviRiferimento(rif), u"20101234=5");
    EXPECT_EQ(LeggiRiferimento(ScriviRiferimento(rif)), rif);
}

// Every year the check accepts reads back, however it was typed; a refused year is written as typed.
TEST(Riga8, AcceptedYearsRoundTripAsFourDigits) {
    const struct {
        const char16_t* anno;
        const char16_t* nota;
    } casi[] = {
        {u"2010", u"20101234=5"},  {u"02010", u"20101234=5"}, {u" 2010", u"20101234=5"},
        {u"2010 ", u"20101234=5"}, {u"+2010", u"20101234=5"}, {u"0003000", u"30001234=5"},
        {u"1987", u"19871234=5"},  {u"abc", u"abc1234=5"},
    };
    for (const auto& c : casi) {
        CDatiPlan d;
        d.nord = u"10";
        d.est = u"20";
        d.attendib = 0;
        d.rif = {c.anno, u"1234", u"5"};
        EXPECT_EQ(ScriviRiferimento(d.rif), c.nota) << WString(c.anno);
        if (ValidaPlan(TIPO_PUNTO_RIF_FRAZIONE, d))
            continue;
        COri p = Punto(u"8", TIPO_PUNTO_RIF_FRAZIONE);
        SalvaPlan(d, p);
        const std::optional<CRiferimentoApprovato> letto = LeggiRiferimento(NotaPlanimetrica(p));
        ASSERT_TRUE(letto.has_value()) << WString(c.anno);
        EXPECT_EQ(LongDaStringNullZero(letto->anno), LongDaStringNullZero(c.anno));
        EXPECT_EQ(letto->protocollo, u"1234");
        EXPECT_EQ(letto->identificativo, u"5");
    }
}

TEST(Riga8, NameChecksFollowTheKindOfPoint) {
    const struct {
        const char16_t* nome;
        bool fiduciale;
        const char16_t* messaggio;
    } casi[] = {
        {u"PF01/0010/A123", true, u""},
        {u" PF01/0010/A123 ", true, u""},
        {u"PF01/0010", true, NOME_NON_VALIDO},
        {u"123", true, NOME_NON_VALIDO},
        {u"PF01/0010/A123", false, NOME_NON_VALIDO},
        {u"12345", false, u""},
        {u"123456", false, NOME_NON_VALIDO},
        {u"", false, u"Inserire un nome del punto valido"},
        {u"   ", true, u"Inserire un nome del punto valido"},
    };
    for (const auto& c : casi) {
        CDatiTipo d;
        d.nome = c.nome;
        d.fiduciale = c.fiduciale;
        d.tipoUtente = c.fiduciale ? -1 : 0;
        EXPECT_EQ(Testo(ValidaTipo(d)), c.messaggio) << WString(c.nome);
    }
    COri p = Punto(u"x", TIPO_PUNTO_FIDUCIALE);
    CDatiTipo d{u" 12 ", false, TIPO_PUNTO_AUSILIARIO, true};
    SalvaTipo(d, p);
    EXPECT_EQ(p.GetNome(), u"12");
    EXPECT_EQ(p.GetTipoPunto(), TIPO_PUNTO_AUSILIARIO);
    EXPECT_TRUE(p.IsCodedNP());
    d.fiduciale = true;
    SalvaTipo(d, p);
    EXPECT_EQ(p.GetTipoPunto(), TIPO_PUNTO_FIDUCIALE);
    EXPECT_EQ(TipoUtenteScelto(TIPO_PUNTO_FIDUCIALE), TIPO_PUNTO_RIF_FRAZIONE);
    EXPECT_EQ(TipoUtenteScelto(TIPO_PUNTO_SENZA_MISURE), TIPO_PUNTO_SENZA_MISURE);
    EXPECT_EQ(NotaDelTipoUtente(TIPO_PUNTO_AUSILIARIO), u"[P.A.]");
    EXPECT_EQ(NotaDelTipoUtente(TIPO_PUNTO_MODESTA_ENTITA), u"");
}

TEST(Riga8, PlanimetryChecksInOrderOnlyWhenValid) {
    const struct {
        short tipo;
        bool valido;
        const char16_t *nord, *est;
        int attendib;
        CRiferimentoApprovato rif;
        const char16_t* messaggio;
    } casi[] = {
        {0, true, u"10", u"20", 4, {u"2010", u"1234", u"5"}, u""},
        {0, true, u"10", u"20", 4, {u"1988", u"1", u"999999"}, u""},
        {0, true, u"10", u"20", 4, {u"3000", u"999999", u"1"}, u""},
        {0, true, u"10", u"20", 4, {u"1987", u"1234", u"5"}, RIF_NON_VALIDO},
        {0, true, u"10", u"20", 4, {u"3001", u"1234", u"5"}, RIF_NON_VALIDO},
        {0, true, u"10", u"20", 4, {u"2010", u"0", u"5"}, RIF_NON_VALIDO},
        {0, true, u"10", u"20", 4, {u"2010", u"1000000", u"5"}, RIF_NON_VALIDO},
        {0, true, u"10", u"20", 4, {u"2010", u"1234", u""}, RIF_NON_VALIDO},
        {0, true, u"10", u"20", -1, {}, u"Immettere un valore valido per l'attendibilità"},
        {-1, true, u"10", u"20", -1, {}, u"Immettere un valore valido per l'attendibilità"},
        {-1, true, u"10", u"x", 0, {}, u"Immettere delle coordinate planari valide per il punto"},
        {-1, true, u"", u"20", -1, {}, u"Immettere delle coordinate planari valide per il punto"},
        {1, true, u"10", u"20", -1, {}, u""},
        {3, true, u"10", u"20", -1, {}, u""},
        {0, false, u"x", u"", -1, {u"1", u"", u""}, u""},
    };
    for (const auto& c : casi) {
        CDatiPlan d;
        d.valido = c.valido;
        d.nord = c.nord;
        d.est = c.est;
        d.attendib = c.attendib;
        d.rif = c.rif;
        EXPECT_EQ(Testo(ValidaPlan(c.tipo, d)), c.messaggio) << c.tipo << " " << c.rif.anno;
    }
}

TEST(Riga8, PlanimetryStoresTheNoteOfEachType) {
    CDatiPlan d;
    d.nord = u"812.5";
    d.est = u"1520,25";
    d.attendib = 4;
    d.nota = u"vertice";
    d.rif = {u"2010", u"1234", u"5"};

    COri ausiliario = Punto(u"7", TIPO_PUNTO_AUSILIARIO);
    SalvaPlan(d, ausiliario);
    EXPECT_EQ(NotaPlanimetrica(ausiliario), u"vertice[P.A.]");
    EXPECT_EQ(ausiliario.GetAttendibO(), -1);
    d.nota = u"a[P.A.]b";
    SalvaPlan(d, ausiliario);
    EXPECT_EQ(NotaPlanimetrica(ausiliario), u"a[P.A.]b");

    COri rif = Punto(u"8", TIPO_PUNTO_RIF_FRAZIONE);
    SalvaPlan(d, rif);
    EXPECT_EQ(NotaPlanimetrica(rif), u"20101234=5");
    EXPECT_EQ(rif.GetAttendibO(), 5);
    EXPECT_EQ(rif.GetCoordX(), 1520.25);
    EXPECT_EQ(rif.GetCoordY(), 812.5);

    // Not valid: only the coordinates change.
    d.valido = false;
    SalvaPlan(d, rif);
    EXPECT_TRUE(IsRealeIndefinito(rif.GetCoordX()) && IsRealeIndefinito(rif.GetCoordY()));
    EXPECT_EQ(NotaPlanimetrica(rif), u"20101234=5");
    EXPECT_EQ(rif.GetAttendibO(), 5);
}

TEST(Riga8, PlanimetryLoadsWhatThePageShows) {
    COri p = Punto(u"", TIPO_PUNTO_SENZA_MISURE);
    p.SetAttendibO(12);
    bool letto = false;
    CDatiPlan d = CaricaPlan(p, &letto);
    // A new point without coordinates starts valid; a user point of type 1 to 3 has no reliability.
    EXPECT_TRUE(d.valido);
    EXPECT_EQ(p.GetAttendibO(), -1);
    EXPECT_EQ(d.attendib, -1);
    EXPECT_TRUE(letto);
    p.SetNome(u"9");
    EXPECT_FALSE(CaricaPlan(p).valido);
    p.SetCoordXY(REALE_INDEFINITO, 0);
    EXPECT_TRUE(CaricaPlan(p).valido);

    COri r = Punto(u"9", TIPO_PUNTO_RIF_FRAZIONE);
    r.SetAttendibO(88);
    r.SetComm(u"2010123456");
    d = CaricaPlan(r, &letto);
    EXPECT_FALSE(letto);
    EXPECT_EQ(d.nota, u"2010123456");
    EXPECT_EQ(d.attendib, 87);
    r.SetComm(u"20101234=5");
    EXPECT_EQ(CaricaPlan(r, &letto).rif, (CRiferimentoApprovato{u"2010", u"1234", u"5"}));
    EXPECT_TRUE(letto);

    const CAbilitaPlan zero = AbilitazioniPlan(true, 0), tre = AbilitazioniPlan(true, 3),
                       spento = AbilitazioniPlan(false, -1);
    EXPECT_TRUE(zero.coordinate && zero.attendib && !zero.nota && zero.riferimento);
    EXPECT_TRUE(tre.coordinate && !tre.attendib && tre.nota && !tre.riferimento);
    EXPECT_FALSE(spento.coordinate || spento.attendib || spento.nota || spento.riferimento);
}

TEST(Riga8, AltimetryAndTheCopyBack) {
    COri p = Punto(u"PF01/0120/G337", TIPO_PUNTO_FIDUCIALE);
    p.SetAttendibV(3);
    p.SetNotaAlt(u"PIEDE");
    CDatiAlt d = CaricaAlt(p);
    EXPECT_FALSE(d.valido);
    EXPECT_EQ(d.attendib, 2);
    EXPECT_EQ(Testo(ValidaAlt(d)), u"");
    d.valido = true;
    EXPECT_EQ(Testo(ValidaAlt(d)), u"Immettere un valore di quota valido");
    d.quota = u"57.2";
    d.attendib = -1;
    d.nota = u"BASE";
    SalvaAlt(d, p);
    EXPECT_EQ(p.GetCoordZ(), 57.2);
    EXPECT_EQ(p.GetAttendibV(), 3); // no selection: kept
    EXPECT_EQ(p.GetNotaAlt(), u"BASE");
    d.valido = false;
    d.nota = u"altro";
    SalvaAlt(d, p);
    EXPECT_TRUE(IsRealeIndefinito(p.GetCoordZ()));
    EXPECT_EQ(p.GetNotaAlt(), u"BASE");

    COri copia = Punto(u"12", TIPO_PUNTO_AUSILIARIO);
    copia.SetCodeNP(true);
    copia.SetCoord(1, 2, 3);
    copia.SetAttendibO(-1);
    copia.SetComm(u"[P.A.]");
    copia.SetSecScri(u"s");
    copia.SetTerScri(u"t");
    copia.SetAttendibV(4);
    copia.SetNotaAlt(u"n");
    copia.SetParticella(u"112");
    COri punto;
    CopiaPuntoRiga8(copia, punto);
    EXPECT_EQ(DatiLineaRiga8(punto), (std::vector<WString>{u"12", u"2.000", u"1.000", u"3.000"}));
    EXPECT_TRUE(punto.IsCodedNP() && punto.EstValidoXY() && punto.EstValidoZ());
    EXPECT_EQ(punto.GetTipoPunto(), TIPO_PUNTO_AUSILIARIO);
    EXPECT_EQ(punto.GetComm() + punto.GetSecScri() + punto.GetTerScri() + punto.GetNotaAlt(), u"[P.A.]stn");
    EXPECT_EQ(punto.GetAttendibV(), 4);
    // The TAF attributes are not the editor's.
    EXPECT_EQ(punto.GetParticella(), u"");
}

// A point leaves the library as the object it is, not by its place.
TEST(Riga8, RemovesThePointThatIsTheObject) {
    CLibConOri libreria;
    COri* a = libreria.AddOri(false);
    COri* b = libreria.AddOri(false);
    COri* c = libreria.AddOri(false);
    EXPECT_TRUE(RimuoviPunto(libreria, b));
    ASSERT_EQ(libreria.GetOriArSize(), 2);
    EXPECT_EQ(libreria.GetOriAt(0), a);
    EXPECT_EQ(libreria.GetOriAt(1), c);
    EXPECT_FALSE(RimuoviPunto(libreria, b));
    EXPECT_EQ(libreria.GetOriArSize(), 2);
}
