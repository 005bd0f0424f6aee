// Row 9's rules: the update-type table, the entry shown on opening, the checks on OK and the writing.
// The demo's table and a missing one are shown by the riga9 scenarios; the field rules are tested in
// tests/rules, so each check appears here once, with the edges that belong to the editor.
#include "editors/DatiRiga9.h"
#include "hostapi/Dialog.h"
#include "tests/editors/TestEditori.h"

#include <gtest/gtest.h>

namespace {

CTipiAggiornamento Tabella(std::initializer_list<const char16_t*> righe) {
    CTipiAggiornamento t;
    for (const char16_t* r : righe)
        t.Aggiungi(TipoAggiornamentoDaRiga(r));
    return t;
}

CTipiAggiornamento TabellaDemo() {
    return Tabella({u"1|Tipo mappale|*|*\n", u"8|Tipo mappale modesta entità|*|*\n",
                    u"13|Aggiornamento automatico|*|*\n", u"13|Caso A|Conformità A|A\n",
                    u"13|Caso B|Conformità B|B\n", u"17|Caso E|Demolizione|*\n"});
}

} // namespace

TEST(TipoAggTessaro, FieldsSplitAtBarsAndTheLineEndStaysOut) {
    // Code, text, description and case; empty fields collapse, extra fields are ignored, missing ones
    // stay empty.
    const std::pair<const char16_t*, const char16_t*> casi[] = {
        {u"13|Caso A|Conformità di mappa|A\n", u"13/Caso A/Conformità di mappa/A"},
        {u"13|Caso B|Conformità|B\r\n", u"13/Caso B/Conformità/B"},
        {u"13|Caso B|Conformità|B", u"13/Caso B/Conformità/B"},
        {u"1|Tipo mappale|*|*\n", u"1/Tipo mappale/*/*"},
        {u"|2||Frazionamento|*|*|extra\n", u"2/Frazionamento/*/*"},
        {u"5|Solo testo\n", u"5/Solo testo//"},
        {u"\n", u"///"}};
    for (const auto& [riga, atteso] : casi) {
        const CTipoAggiornamento v = TipoAggiornamentoDaRiga(riga);
        EXPECT_EQ(v.codice + u"/" + v.testo + u"/" + v.descrizione + u"/" + v.caso, atteso) << WString(riga);
    }
}

// An entry needs its four fields and a legible line; blank lines are neither entries nor damage.
TEST(TipoAggTessaro, LinesWithoutTheFourFieldsAreCountedNotListed) {
    for (const char16_t* riga : {u"5|Solo testo\n", u"1|Tipo|*\n", u"|||\n", u"13"})
        EXPECT_FALSE(VoceTipoAggiornamento(riga)) << WString(riga);
    EXPECT_TRUE(VoceTipoAggiornamento(u"|2||Frazionamento|*|*|extra\n"));
    ProgettoProva progetto("tipi-rovinati");
    progetto.Scrivi("TipoAggTessaro.dat", std::string("1|Tipo mappale|*|*\r\n\r\n2|Fraz\x02ionamento|*|*\n"
                                                      "13|Caso A|Conf\0ormit\xe0|A\n5|Solo testo\n"
                                                      "13|Caso B|Conformit\xe0|B\n",
                                                      103));
    CTipiAggiornamento tipi;
    EXPECT_TRUE(tipi.Carica());
    EXPECT_EQ(tipi.GetRigheScartate(), 3);
    ASSERT_EQ(tipi.Principali().size(), 1u);
    ASSERT_EQ(tipi.Automatici().size(), 1u);
    EXPECT_EQ(tipi.Automatici()[0]->descrizione, u"Conformità");
}

TEST(TipoAggTessaro, OpeningChoiceForTheStoredCodeAndCase) {
    // A sub-case sharing the automatic entry's code keeps its own case (13/B); case "*" matches whatever
    // is stored (17); the automatic entry's code without a matching case opens on its first sub-case.
    const CTipiAggiornamento tipi = TabellaDemo();
    const struct {
        const char16_t* codice;
        const char16_t* caso;
        int principale;
        int automatico;
    } casi[] = {{u"1", u"", 0, -1},   {u"8", u"", 1, -1},  {u"13", u"A", 2, 0},
                {u"13", u"B", 2, 1},  {u"17", u"", 2, 2},  {u"17", u"Q", 2, 2},
                {u"13", u"Z", 2, -1}, {u"99", u"", 0, -1}, {u"", u"", 0, -1}};
    for (const auto& c : casi) {
        const CSceltaTipoAgg s = SceltaIniziale(tipi, c.codice, c.caso);
        EXPECT_EQ(s.principale, c.principale) << WString(c.codice) << "/" << WString(c.caso);
        EXPECT_EQ(s.automatico, c.automatico) << WString(c.codice) << "/" << WString(c.caso);
    }
    EXPECT_EQ(SceltaIniziale(CTipiAggiornamento(), u"1", u"").principale, -1);
}

TEST(Riga9, QuotaShownWithoutSignOrDecimalsAndCalcolaNeedsAPoint) {
    EXPECT_EQ(QuotaDaMostrare(-58.0), u"58");
    EXPECT_EQ(QuotaDaMostrare(123.4), u"123");
    EXPECT_EQ(QuotaDaMostrare(REALE_INDEFINITO), u"");

    CLibCmp punti;
    EXPECT_FALSE(IsEstMediaCalcolabile(&punti));
    COri* np = punti.AddOri(false);
    np->SetCoordXY(1000, 0);
    np->SetCodeNP(true);
    COri* senzaEst = punti.AddOri(false);
    senzaEst->SetCoordXY(REALE_INDEFINITO, 0);
    EXPECT_FALSE(IsEstMediaCalcolabile(&punti));
    punti.AddOri(false)->SetCoordXY(1500, 0);
    EXPECT_TRUE(IsEstMediaCalcolabile(&punti));
    EXPECT_FALSE(IsEstMediaCalcolabile(nullptr));
}

TEST(Riga9, ChecksInOrderWithTheirMessages) {
    const CTipiAggiornamento tipi =
        Tabella({u"3|Tipo mappale con frazionamento|*|*", u"9|Frazionamento m.e.|*|*"});
    const CTipoAggiornamento* tipo3 = tipi.Principali()[0].get();
    const CTipoAggiornamento* tipo9 = tipi.Principali()[1].get();
    const struct {
        const char16_t* quota;
        const char16_t* estMedia;
        WString nota;
        const CTipoAggiornamento* tipo;
        bool modesta;
        const char16_t* messaggio;
    } casi[] = {
        // The scenarios riga9-nota, riga9-quota, riga9-modesta-entita and riga9-standard show a long note, a
        // quota out of range or not a number, and update types of the other kind of booklet.
        {u"0", u"", WString(u'n', 40), tipo3, false, nullptr},
        // Only a malformed Est Media refuses; doubtful values are left to the booklet check.
        {u"58", u"17.5", u"", tipo3, false,
         u"Inserire un valore per l'est.media intero compreso tra -999999 e 9999999"},
        {u"58", u"-999999", u"", tipo3, false, nullptr},
        {u"58", u"150000", u"", tipo3, false, nullptr},
        {u"58", u"1705", u"", tipo9, true, nullptr},
        {u"58", u"1705", u"", nullptr, true, nullptr},
    };
    CLibCmp punti;
    punti.AddOri(false)->SetCoordXY(1705, 0);
    for (std::size_t i = 0; i < std::size(casi); ++i) {
        const auto& c = casi[i];
        CCts cts;
        cts.m_TipoLibretto = c.modesta ? 1 : 0;
        CDatiRiga9 d;
        d.quota = c.quota;
        d.estMedia = c.estMedia;
        d.nota = c.nota;
        d.scelta = c.tipo;
        const auto rifiuto = ValidaRiga9(d, cts, &punti);
        if (!c.messaggio) {
            EXPECT_FALSE(rifiuto) << "case " << i << ": " << rifiuto->testo;
            continue;
        }
        ASSERT_TRUE(rifiuto) << "case " << i;
        EXPECT_EQ(rifiuto->testo, c.messaggio) << "case " << i;
        EXPECT_EQ(rifiuto->icona, MB_ICONERROR) << "case " << i;
    }
}

TEST(Riga9, SavingWritesEveryFieldAndTheCaseOfTheChosenEntry) {
    const CTipiAggiornamento tipi = TabellaDemo();
    CRig9 riga;
    riga.SetLblNome2(u"4");
    riga.SetCaso(u"X");
    CDatiRiga9 d;
    d.quota = u"58,5";
    d.estMedia = u"1705";
    d.nota = u"nota";
    d.lineare100 = true;
    SalvaRiga9(d, riga);
    // No entry chosen (no table): the update type stays.
    EXPECT_EQ(riga.GetLblNome2(), u"4");
    EXPECT_EQ(riga.GetCaso(), u"X");
    EXPECT_DOUBLE_EQ(riga.GetDatoRea1(), 58.5);
    EXPECT_EQ(riga.GetLblNome1(), u"1705");
    EXPECT_EQ(riga.GetLblMater(), u"nota");
    EXPECT_EQ(riga.GetDatoInt1(), 100);
    EXPECT_EQ(riga.GetDatoInt2(), 20);

    d.scelta = tipi.Automatici()[1].get();
    SalvaRiga9(d, riga);
    EXPECT_EQ(riga.GetLblNome2(), u"13");
    EXPECT_EQ(riga.GetCaso(), u"B");
    d.scelta = tipi.Automatici()[2].get();
    d.angolare100 = true;
    SalvaRiga9(d, riga);
    EXPECT_EQ(riga.GetLblNome2(), u"17");
    EXPECT_EQ(riga.GetCaso(), u"");
    EXPECT_EQ(riga.GetDatoInt2(), 100);
}
