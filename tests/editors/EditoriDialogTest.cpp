// The two editors through their exports, played by a scripted user on a copy of the demo project (the
// scenario folders in tests/scenarios cover the rest through pregeo-host): calls on the host interface,
// what the user sees, what reaches the booklet, and that Cancel writes nothing.
#include "entry/Exports.h"
#include "host/ui/Driver.h"
#include "rules/Regole.h"
#include "tests/editors/TestEditori.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using host::ui::ScriptedUi;
using testing::HasSubstr;
using testing::Not;

namespace {

class Editori : public testing::Test {
protected:
    void SetUp() override { host::ui::SetScreen({}); }
    void TearDown() override { host::ui::SetScreen({}); }

    // Runs an editor export with the script; the transcript comes back in `trascrizione`.
    bool Esegui(bool (*editor)(CWnd*, ICarviloDati*), const char* script) {
        ScriptedUi ui;
        std::string errore;
        EXPECT_TRUE(ui.AddLines(script, errore)) << errore;
        host::HostData dati(*progetto);
        const bool esito = editor(nullptr, &dati);
        EXPECT_EQ(ui.Remaining(), 0u);
        chiamate = dati.Chiamate();
        trascrizione = ui.TranscriptText();
        return esito;
    }

    RisorseModulo risorse;
    ProgettoProva progetto{testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::string trascrizione;
    std::vector<std::string> chiamate;
};

// The demo's protocol is not a valid one: every accepted header edit types a new one.
constexpr const char* kProtocollo = "type 2202 123456\n";

} // namespace

TEST_F(Editori, Riga0OpensOnTheBookletAndSavesWhatPasses) {
    const std::string script = std::string("show\n") + kProtocollo +
                               "type 2369 05\ntype 2364 2\ntype 2362 2016\npick 2367 \"Modesta entità\"\n"
                               "tab 2354 Tecnico\nshow\npick 2365 Ingegnere\npick 2366 Bologna\nclick 2356\n";
    EXPECT_TRUE(Esegui(FPregeoEditRiga0, script.c_str()));
    EXPECT_EQ(chiamate, std::vector<std::string>{"GetCts"});
    EXPECT_THAT(trascrizione, HasSubstr("dialog 12120 \"Riga 0\" opened"));
    EXPECT_THAT(trascrizione, HasSubstr("2354  tab        [Archivio] | Tecnico"));
    EXPECT_THAT(trascrizione, HasSubstr("2362  edit       \"2026\""));
    EXPECT_THAT(trascrizione, HasSubstr("2370  combo      \"Parma\""));
    EXPECT_THAT(trascrizione, HasSubstr("2368  combo      \"G337 Parma\""));
    EXPECT_THAT(trascrizione, HasSubstr("2366  combo      \"Parma\""));
    EXPECT_THAT(trascrizione, HasSubstr("2365  combo      \"Geometra\""));
    EXPECT_THAT(trascrizione, HasSubstr("dialog 12120 \"Riga 0\" closed with 1 (OK)"));
    const CCts& c = progetto->cts;
    EXPECT_EQ(c.m_TipoLibretto, 1);
    EXPECT_EQ(c.GetGior(), u"5");
    EXPECT_EQ(c.GetMese(), u"2");
    EXPECT_EQ(c.GetAnno(), u"16");
    EXPECT_EQ(c.GetProt(), u"123456");
    EXPECT_EQ(c.GetProvCm(), u"PR");
    EXPECT_EQ(c.GetCdCm(), u"G337");
    EXPECT_EQ(c.GetQual(), u"Ingegnere");
    EXPECT_EQ(c.GetProv(), u"Bologna");
    EXPECT_EQ(c.GetTcnN(), u"Marco");
}

TEST_F(Editori, Riga0ArchivioErrorIsShownOverTheTecnicoPage) {
    const std::string script = std::string(kProtocollo) +
                               "type 2369 31\ntype 2364 4\ntype 2362 2016\ntab 2354 Tecnico\nclick 2356\nok\n"
                               "show\nclick 2355\n";
    EXPECT_FALSE(Esegui(FPregeoEditRiga0, script.c_str()));
    EXPECT_THAT(trascrizione,
                HasSubstr("message box \"Riga 0\" [error; ok]: \"Inserire un giorno compreso tra 1 e 30\""));
    // No tab switch: the Tecnico page is still the one shown.
    EXPECT_THAT(trascrizione, HasSubstr("Archivio | [Tecnico]"));
    EXPECT_THAT(trascrizione, HasSubstr("page 12124 (hidden)"));
    EXPECT_EQ(progetto->cts.GetGior(), u"14");
}

TEST_F(Editori, Riga0ProvinceChangeEmptiesTheComune) {
    const std::string script =
        std::string(kProtocollo) + "pick 2370 Bologna\nshow 2368\nclick 2356\nok\npick 2368 #0\nclick 2356\n";
    EXPECT_TRUE(Esegui(FPregeoEditRiga0, script.c_str()));
    EXPECT_THAT(trascrizione,
                HasSubstr("message box \"Riga 0\" [error; ok]: \"Il codice del comune è un campo "
                          "obbligatorio della riga 0\""));
    EXPECT_THAT(trascrizione, HasSubstr("\"A944 Bologna\""));
    EXPECT_EQ(progetto->cts.GetProvCm(), u"BO");
    EXPECT_EQ(progetto->cts.GetCdCm(), u"A944");
}

TEST_F(Editori, Riga0CancelWritesNothing) {
    const std::string prima = progetto->Serialize();
    const std::string script =
        std::string(kProtocollo) +
        "type 2369 1\npick 2370 Bologna\ntab 2354 Tecnico\ntype 2358 Altro\nclick 2355\n";
    EXPECT_FALSE(Esegui(FPregeoEditRiga0, script.c_str()));
    EXPECT_THAT(trascrizione, HasSubstr("closed with 2 (Cancel)"));
    EXPECT_EQ(progetto->Serialize(), prima);
}

// Missing support files are named once, when the dialog opens, though the editor reads them again.
TEST_F(Editori, Riga0SaysOnceWhichSupportFilesAreMissing) {
    std::filesystem::remove(progetto.Supporto("Collegi.txt"));
    std::filesystem::remove(progetto.Supporto("Comuni.txt"));
    EXPECT_FALSE(Esegui(FPregeoEditRiga0, "ok\nshow 2370\ntab 2354 Tecnico\nclick 2355\n"));
    EXPECT_THAT(trascrizione,
                HasSubstr("message box \"Pregeo\" [exclamation; ok]: \"Impossibile leggere i file "
                          "di supporto Support\\\\Collegi.txt, Support\\\\Comuni.txt.\\nGli "
                          "elenchi che ne dipendono restano vuoti.\""));
    EXPECT_EQ(trascrizione.find("message box"), trascrizione.rfind("message box"));
    EXPECT_THAT(trascrizione, HasSubstr("2370  combo      \"\", no entry of 0"));
}

TEST_F(Editori, Riga9OpensOnTheStoredRowAndSavesTheAutomaticSubCase) {
    progetto->cts.GetRiga9()->SetDatoRea1(-58);
    const char* script =
        "show\npick 2209 \"Aggiornamento automatico\"\nshow\npick 2210 \"Caso C\"\nshow 2211\n"
        "click 2200\n";
    EXPECT_TRUE(Esegui(FPregeoEditRiga9, script));
    EXPECT_EQ(chiamate, (std::vector<std::string>{"GetLibCmp", "GetCts"}));
    EXPECT_THAT(trascrizione, HasSubstr("2204  edit       \"58\""));
    EXPECT_THAT(trascrizione, HasSubstr("2209  combo      \"Frazionamento\""));
    EXPECT_THAT(trascrizione, HasSubstr("2210  combo      \"\", no entry of 5 (disabled)"));
    EXPECT_THAT(trascrizione, HasSubstr("2210  combo      \"Caso A\""));
    EXPECT_THAT(trascrizione, HasSubstr("\"Conformità di mappa con conferma numero di particella\""));
    EXPECT_THAT(trascrizione, HasSubstr("\"Inserimento in mappa di fabbricato su particella esistente\""));
    const CRig9& r = *progetto->cts.GetRiga9();
    EXPECT_EQ(r.GetLblNome2(), u"16");
    EXPECT_EQ(r.GetCaso(), u"C");
    EXPECT_DOUBLE_EQ(r.GetDatoRea1(), 58);
}

TEST_F(Editori, Riga9Refusals) {
    progetto->cts.m_TipoLibretto = 1;
    const char* script =
        "type 2204 10000\nclick 2200\nok\ntype 2204 quota\nclick 2200\nok\ntype 2204 9999\n"
        "type 2374 \"12345678901234567890123456789012345678901\"\nclick 2200\nok\ntype 2374 nota\n"
        "type 2205 17.5\nclick 2200\nok\ntype 2205 1705\nclick 2200\nok\n"
        "pick 2209 \"Frazionamento modesta entità\"\nclick 2200\n";
    EXPECT_TRUE(Esegui(FPregeoEditRiga9, script));
    EXPECT_THAT(trascrizione,
                HasSubstr("message box \"Pregeo\" [error; ok]: \"Inserire un valore per la quota "
                          "compreso tra 0 e 9999.\""));
    EXPECT_THAT(trascrizione, HasSubstr("\"Il campo note può essere lungo al massimo 40 caratteri.\""));
    EXPECT_THAT(trascrizione,
                HasSubstr("\"Inserire un valore per l'est.media intero compreso tra -999999 e 9999999\""));
    EXPECT_THAT(trascrizione,
                HasSubstr("\"Tipologia di atto di aggiornamento non compatibile con la modesta entità\""));
    EXPECT_DOUBLE_EQ(progetto->cts.GetRiga9()->GetDatoRea1(), 9999);
    EXPECT_EQ(progetto->cts.GetRiga9()->GetLblNome2(), u"9");
}

TEST_F(Editori, Riga9CalcolaAndCancel) {
    const std::string prima = progetto->Serialize();
    EXPECT_FALSE(Esegui(FPregeoEditRiga9, "click 2206\nshow 2205\nclick 2203\n"));
    const WString atteso = CStringDaDouble(CalcolaEstMedia(u"0120", &progetto->cmp), 0);
    EXPECT_THAT(trascrizione, HasSubstr("2205  edit       \"" + atteso.ToUtf8() + "\""));
    EXPECT_EQ(progetto->Serialize(), prima);

    // Without usable orientation points there is nothing to average.
    while (progetto->cmp.GetOriArSize() > 0)
        progetto->cmp.DelOriAt(0);
    EXPECT_FALSE(Esegui(FPregeoEditRiga9, "show 2206\nclick 2203\n"));
    EXPECT_THAT(trascrizione, HasSubstr("(disabled)"));
}
