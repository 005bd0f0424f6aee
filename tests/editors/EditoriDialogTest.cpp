// The two editors through their exports, played by a scripted user on a copy of the demo project. The
// scenario folders in tests/scenarios cover them through pregeo-host; here is what they leave out:
// fields that no scenario changes reach the booklet, and Calcola without usable orientation points.
#include "entry/Exports.h"
#include "host/ui/Driver.h"
#include "tests/editors/TestEditori.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::HasSubstr;

namespace {

class Editori : public testing::Test {
protected:
    void SetUp() override { host::ui::SetScreen({}); }

    // Runs an editor export with the script; the transcript comes back in `trascrizione`.
    bool Esegui(bool (*editor)(CWnd*, ICarviloDati*), const char* script) {
        host::ui::ScriptedUi ui;
        std::string errore;
        EXPECT_TRUE(ui.AddLines(script, errore)) << errore;
        host::HostData dati(*progetto);
        const bool esito = editor(nullptr, &dati);
        EXPECT_EQ(ui.Remaining(), 0u);
        trascrizione = ui.TranscriptText();
        return esito;
    }

    LinkedResources risorse{TabellaModulo()};
    ProgettoProva progetto{testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::string trascrizione;
};

} // namespace

TEST_F(Editori, Riga0SavesSheetMappaleAndTheTechniciansFields) {
    EXPECT_TRUE(Esegui(FPregeoEditRiga0, "type 2202 123456\ntype 2371 A12B\ntype 2360 \"245 sub 3\"\n"
                                         "tab 2354 Tecnico\npick 2365 Ingegnere\npick 2366 Bologna\n"
                                         "type 2361 77\ntype 2363 RSSMRA80A01H501U\nclick 2356\n"));
    const CCts& c = progetto->cts;
    EXPECT_EQ(c.GetFogl(), u"A12B");
    EXPECT_EQ(c.GetMapp(), u"245 sub 3");
    EXPECT_EQ(c.GetQual(), u"Ingegnere");
    EXPECT_EQ(c.GetProv(), u"Bologna");
    EXPECT_EQ(c.GetTcnNIscr(), u"77");
    EXPECT_EQ(c.GetTcnCF(), u"RSSMRA80A01H501U");
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

TEST_F(Editori, Riga9EstMediaAndCalcola) {
    EXPECT_TRUE(Esegui(FPregeoEditRiga9, "type 2205 17.5\nclick 2200\nok\ntype 2205 1700\nclick 2200\n"));
    EXPECT_THAT(trascrizione,
                HasSubstr("\"Inserire un valore per l'est.media intero compreso tra -999999 e 9999999\""));
    EXPECT_EQ(progetto->cts.GetRiga9()->GetLblNome1(), u"1700");

    // Without usable orientation points there is nothing to average.
    while (progetto->cmp.GetOriArSize() > 0)
        progetto->cmp.DelOriAt(0);
    EXPECT_FALSE(Esegui(FPregeoEditRiga9, "show 2206\nclick 2203\n"));
    EXPECT_THAT(trascrizione, HasSubstr("2206  button     \"Calcola\" (disabled)"));
}
