// The control toolkit driven as a user would: through the C++ API and through scripts.
#include "host/core/HostContext.h"
#include "host/ui/Driver.h"
#include "host/ui/Window.h"
#include "tests/host/ui/ProvaDialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace prova;
using host::ui::ScriptedUi;
using host::ui::ScriptError;
using testing::HasSubstr;

namespace {

class Toolkit : public testing::Test {
protected:
    void SetUp() override {
        host::SetFolders({"samples/demo", "samples/demo", ""});
        host::ui::SetScreen({});
    }
    void TearDown() override { host::ui::SetScreen({}); }
    Resources resources;
};

Record Esempio() {
    Record r;
    r.nome = u"Cippo";
    r.attivo = true;
    r.tipo = 2;
    r.natura = 1;
    r.provincia = u"rm"; // prefix selection ignores case
    r.comune = u"Tivoli";
    r.punti = {u"PF01", u"PF02", u"PF03"};
    return r;
}

// Every outcome of the test dialog in one session: refusals by message box, a nested dialog with its
// own error box, deleting grid rows after a Yes, and the final OK.
const char* kSessione = R"(# a whole session
show
type 9102 ""
click 9020
ok
type 9102 "  Nuovo nome "
untick 9103
choose 9104
pick 9111 MI
pick 9110 #1
type 9110 "Monza Brianza"
click 9020
no
tab 9010 Elenco
tap 9202 2 3
type 9301 ""
click 9302
ok
type 9301 PF22
click 9302
tap 9202 3 3
close
tick 9202 1
tick 9202 3 1
click 9205
yes
ok
show 9202
tab 9010 #0
tick 9103
click 9020
)";

void Sessione(host::ui::ScriptDriver& ui) {
    ui.Show()
        .Type(IDC_NOME, u"")
        .Click(IDC_OK)
        .Ok()
        .Type(IDC_NOME, u"  Nuovo nome ")
        .Untick(IDC_ATTIVO)
        .Choose(IDC_TIPO1)
        .Pick(IDC_PROVINCIA, u"MI")
        .Pick(IDC_COMUNE, 1)
        .Type(IDC_COMUNE, u"Monza Brianza")
        .Click(IDC_OK)
        .No()
        .Tab(IDC_TAB, u"Elenco")
        .Tap(IDC_GRIGLIA, 2, 3)
        .Type(IDC_DETT_NOME, u"")
        .Click(IDC_DETT_OK)
        .Ok()
        .Type(IDC_DETT_NOME, u"PF22")
        .Click(IDC_DETT_OK)
        .Tap(IDC_GRIGLIA, 3, 3)
        .Close()
        .TickRow(IDC_GRIGLIA, 1)
        .TickRow(IDC_GRIGLIA, 3, 1)
        .Click(IDC_ELIMINA)
        .Yes()
        .Ok()
        .Show(IDC_GRIGLIA)
        .Tab(IDC_TAB, 0)
        .Tick(IDC_ATTIVO)
        .Click(IDC_OK);
}

} // namespace

TEST_F(Toolkit, ApiAndScriptGiveTheSameTranscriptAndResult) {
    std::string viaApi;
    {
        ScriptedUi ui;
        Sessione(ui);
        CDlgProva dlg(nullptr);
        dlg.m_Record = Esempio();
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(ui.Remaining(), 0u);
        EXPECT_EQ(dlg.m_Inits, 1);
        const Record& r = dlg.m_Record;
        EXPECT_EQ(r.nome, u"Nuovo nome");
        EXPECT_TRUE(r.attivo);
        EXPECT_EQ(r.tipo, 1);
        EXPECT_EQ(r.natura, 1);
        EXPECT_EQ(r.provincia, u"MI");
        EXPECT_EQ(r.comune, u"Monza Brianza");
        ASSERT_EQ(r.punti.size(), 1u);
        EXPECT_EQ(r.punti[0], u"PF22");
        viaApi = ui.TranscriptText();
    }
    std::string viaScript;
    {
        ScriptedUi ui;
        std::string error;
        ASSERT_TRUE(ui.AddLines(kSessione, error)) << error;
        CDlgProva dlg(nullptr);
        dlg.m_Record = Esempio();
        EXPECT_EQ(dlg.DoModal(), IDOK);
        viaScript = ui.TranscriptText();
    }
    EXPECT_EQ(viaApi, viaScript);
    if (std::getenv("PREGEO_SHOW_TRANSCRIPT"))
        std::cout << viaApi;
    // The readable record of what the user saw.
    EXPECT_THAT(viaApi,
                HasSubstr("dialog 9000 \"Prova toolkit\" opened\n> show\ndialog 9000 \"Prova toolkit\"\n"
                          "  9010  tab        [Dati] | Elenco\n"));
    EXPECT_THAT(viaApi,
                HasSubstr("  page 9004\n    9101  static     \"Nome :\"\n    9102  edit       \"Cippo\"\n"
                          "    9103  check      \"Attivo\" [x]\n"));
    EXPECT_THAT(viaApi, HasSubstr("    9105  radio      \"Tipo 2\" (o)\n"));
    EXPECT_THAT(viaApi, HasSubstr("    9111  combo      \"RM\", entry 1 of 3\n"));
    EXPECT_THAT(viaApi, HasSubstr("    9110  combo-edit \"Tivoli\", entry 1 of 2\n"));
    EXPECT_THAT(viaApi, HasSubstr("    9112  edit       \"\" (read-only)\n"));
    EXPECT_THAT(viaApi, HasSubstr("  page 9008 (hidden)\n"));
    EXPECT_THAT(
        viaApi,
        HasSubstr("> click 9020\nmessage box \"Prova\" [exclamation; ok]: \"Inserire il nome.\"\n> ok\n"));
    EXPECT_THAT(
        viaApi,
        HasSubstr("message box \"Attenzione\" [question; yes, no]: \"Il record non è attivo.\\nSalvare "
                  "comunque?\"\n> no\n"));
    EXPECT_THAT(viaApi, HasSubstr("> tap 9202 2 3\ndialog 9012 \"Dettaglio punto\" opened\n"));
    EXPECT_THAT(viaApi,
                HasSubstr("message box \"Errore\" [error; ok]: \"Il nome non può essere vuoto.\"\n> ok\n"));
    EXPECT_THAT(viaApi, HasSubstr("dialog 9012 \"Dettaglio punto\" closed with 1 (OK)\n"));
    EXPECT_THAT(viaApi, HasSubstr("> close\ndialog 9012 \"Dettaglio punto\" closed with 2 (Cancel)\n"));
    EXPECT_THAT(viaApi, HasSubstr("message box \"Prova\" [information; ok]: \"Eliminate 2 righe.\"\n"));
    EXPECT_THAT(viaApi, HasSubstr("> show 9202\n  9202  grid       2 rows (1 fixed), 4 columns\n"
                                  "          0 | N. | Sel. | Esito | Nome\n"
                                  "          1 | 1  | [ ]  | @1    | PF22\n"));
    EXPECT_THAT(viaApi, HasSubstr("dialog 9000 \"Prova toolkit\" closed with 1 (OK)\n"));
}

TEST_F(Toolkit, CancelLeavesTheRecordAndRunsAgain) {
    ScriptedUi ui;
    ui.Type(IDC_NOME, u"Altro").Click(IDC_ANNULLA).Click(IDC_ANNULLA);
    CDlgProva dlg(nullptr);
    dlg.m_Record = Esempio();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_Record.nome, u"Cippo");
    // The same object runs again from a fresh window.
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_Inits, 2);
    EXPECT_FALSE(dlg.IsWindow());
}

TEST_F(Toolkit, ActionsThatDoNotFitStopTheScriptNamingTheLine) {
    const struct {
        const char* script;
        const char* message;
    } cases[] = {
        {"type 9999 x\n", "test:1: dialog 9000 \"Prova toolkit\": type 9999 \"x\": there is no control 9999"},
        {"\n# commento\nclick 9205\n",
         "test:3: dialog 9000 \"Prova toolkit\": click 9205: control 9205 is hidden"},
        {"untick 9103\nchoose 9108\n",
         "test:2: dialog 9000 \"Prova toolkit\": choose 9108: control 9108 is disabled"},
        {"type 9112 X\n", "control 9112 is read-only"},
        {"tick 9103\n", "check box 9103 is already ticked"},
        {"click 9103\n", "control 9103 is a check, not a button (use tick or untick)"},
        {"pick 9111 NA\n", "control 9111 has no entry \"NA\""},
        {"pick 9111 #3\n", "control 9111 has no entry #3 (3 entries)"},
        {"tab 9010 #2\n", "tab control 9010 has no tab #2"},
        {"tab 9010 #1\ntap 9202 0 1\n",
         "test:2: dialog 9000 \"Prova toolkit\": tap 9202 0 1: grid 9202 has no data row 0"},
        {"tab 9010 #1\ntick 9202 1 3\n", "grid 9202 row 1 has no check box in column 3"},
        {"yes\n", "no message box or file choice is open; yes does not fit here"},
        {"type 9102 \"\"\nclick 9020\nclick 9021\n",
         "test:3: message box \"Prova\": click 9021: a message box waits for an answer: ok"},
        {"type 9102 Nome\n", "test:1: the script ends here, but dialog 9000 \"Prova toolkit\" is still open"},
        {"", "test: the script has no actions, but dialog 9000 \"Prova toolkit\" is still open"},
        {"tab 9010 #1\ntap 9202 1 3\nclick 9302\n",
         "test:3: the script ends here, but dialog 9000 \"Prova toolkit\""},
    };
    for (const auto& c : cases) {
        ScriptedUi ui;
        std::string error;
        ASSERT_TRUE(ui.AddLines(c.script, error)) << error;
        CDlgProva dlg(nullptr);
        dlg.m_Record = Esempio();
        try {
            dlg.DoModal();
            ADD_FAILURE() << "no error for: " << c.script;
        } catch (const ScriptError& e) {
            EXPECT_THAT(e.what(), HasSubstr(c.message)) << c.script;
        }
        // Nothing of the abandoned dialog is left behind.
        EXPECT_FALSE(dlg.IsWindow());
        EXPECT_EQ(dlg.m_Record.nome, u"Cippo");
    }
}

TEST_F(Toolkit, NestedScriptErrorLeavesEveryWindow) {
    ScriptedUi ui;
    ui.Tab(IDC_TAB, 1).Tap(IDC_GRIGLIA, 1, 3);
    CDlgProva dlg(nullptr);
    dlg.m_Record = Esempio();
    EXPECT_THROW(dlg.DoModal(), ScriptError);
    EXPECT_EQ(ui.CurrentDialog(), nullptr);
    // The driver still works for the next dialog.
    ui.Click(IDC_ANNULLA);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(Toolkit, CommandLanguageParsesAndWritesBack) {
    const struct {
        const char* line;
        const char* canonical;
    } good[] = {
        {"type 2202 Mario Rossi", "type 2202 \"Mario Rossi\""},
        {"  type 2202 \"  a \\\"b\\\"\\n\" ", "type 2202 \"  a \\\"b\\\"\\n\""},
        {"type 2202 \"\"", "type 2202 \"\""},
        {"pick 2370 #12", "pick 2370 #12"},
        {"pick 2370 Modesta entità", "pick 2370 \"Modesta entità\""},
        {"tick 2265", "tick 2265"},
        {"untick 2373 4", "untick 2373 4"},
        {"tick 2373 4 1", "tick 2373 4 1"},
        {"click [Annulla]", "click [Annulla]"},
        {"tab 2354 Tecnico", "tab 2354 \"Tecnico\""},
        {"tap 2373 1 2", "tap 2373 1 2"},
        {"edit 2373 1 2 abc", "edit 2373 1 2 \"abc\""},
        {"yes", "yes"},
        {"file \"dati/a.taf\"", "file \"dati/a.taf\""},
        {"show", "show"},
        {"show 2373", "show 2373"},
        {"point 101", "point \"101\""},
        {"point \"row 2\"", "point \"row 2\""},
        {"point #23", "point #23"},
        {"point row 2", "point row 2"},
        {"snapshot vista.svg", "snapshot \"vista.svg\""},
    };
    for (const auto& g : good) {
        std::string error;
        auto a = host::ui::ParseAction(g.line, error);
        ASSERT_TRUE(a) << g.line << ": " << error;
        EXPECT_EQ(a->Canonical(), g.canonical);
        // What the transcript writes reads back as the same action.
        auto again = host::ui::ParseAction(a->Canonical(), error);
        ASSERT_TRUE(again);
        EXPECT_EQ(again->Canonical(), g.canonical);
    }
    const struct {
        const char* line;
        const char* error;
    } bad[] = {
        {"press 1", "unknown command \"press\""},
        {"click", "a control id is missing"},
        {"click ok", "\"ok\" is not a control id"},
        {"click 1 2", "unexpected words after click"},
        {"type 2202", "type needs a text"},
        {"type 2202 \"abc", "no closing quote"},
        {"tap 2373 1", "a grid column is missing"},
        {"tap 2373 x 1", "\"x\" is not a grid row"},
        {"pick 2370", "an entry (#index or text) is missing"},
        {"pick 2370 #x", "is not an entry index"},
        {"file", "file needs a path"},
        {"ok now", "unexpected words after ok"},
        {"click [Annulla", "no closing ]"},
        {"point", "point needs a point name, #entity or row N"},
        {"point #0", "\"#0\" is not an entity"},
        {"point row", "point row needs the number of a row 7"},
        {"point row 2 3", "point row needs the number of a row 7"},
        {"snapshot", "snapshot needs a file"},
    };
    for (const auto& b : bad) {
        std::string error;
        EXPECT_FALSE(host::ui::ParseAction(b.line, error)) << b.line;
        EXPECT_THAT(error, HasSubstr(b.error)) << b.line;
    }
    std::string error;
    EXPECT_FALSE(host::ui::ParseAction("   # only a comment", error));
    EXPECT_TRUE(error.empty());
}

TEST_F(Toolkit, ScriptParseErrorNamesTheLine) {
    host::ui::ScriptDriver driver(std::cout, "prova.script");
    std::string error;
    EXPECT_FALSE(driver.AddLines("show\n\nclick x\n", error));
    EXPECT_EQ(error, "prova.script:3: \"x\" is not a control id");
    EXPECT_EQ(driver.Remaining(), 0u);
}

TEST_F(Toolkit, LabelsNameControlsByTheirOwnText) {
    ScriptedUi ui;
    std::string error;
    ASSERT_TRUE(ui.AddLines("choose [Tipo 3]\nclick [Elenco]\n", error)) << error;
    CDlgProva dlg(nullptr);
    try {
        dlg.DoModal();
        ADD_FAILURE();
    } catch (const ScriptError& e) {
        // A tab's label is not a control of its own.
        EXPECT_THAT(
            e.what(),
            HasSubstr("test:2: dialog 9000 \"Prova toolkit\": click [Elenco]: there is no control [Elenco]"));
    }
    ScriptedUi ui2;
    ASSERT_TRUE(ui2.AddLines("choose [Tipo 3]\nshow 9112\ntype [Nome] Nuovo\npick [Provincia :] #0\n"
                             "show [Codice]\nclick [Annulla]\n",
                             error))
        << error;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    // A label that takes no input names the control it labels.
    EXPECT_THAT(ui2.TranscriptText(),
                HasSubstr("> choose 9106\n> show 9112\n  9112  edit       \"T3\" (read-only)\n"
                          "> type 9102 \"Nuovo\"\n> pick 9111 #0\n> show [Codice]\n  9112  edit"));
}

TEST_F(Toolkit, WithoutDriverNothingIsShown) {
    CDlgProva dlg(nullptr);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(CreateMessageBox(nullptr, u"x", u"y", MB_YESNO), 0);
    CFileDialog file(TRUE, u"taf", u"", OFN_FILEMUSTEXIST, u"Files TAF(*.taf)|*.taf||");
    EXPECT_EQ(file.DoModal(), IDCANCEL);
}

TEST_F(Toolkit, MissingTemplateGivesMinusOne) {
    ScriptedUi ui;
    CExDialog dlg(4242, nullptr);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(ui.TranscriptText(), "dialog 4242 cannot open: no template\n");
}

TEST_F(Toolkit, ScreenVariantPicksTheTemplate) {
    for (int variant = 0; variant < 4; ++variant) {
        host::ui::SetScreen({variant, 2});
        ScriptedUi ui;
        ui.Show().Click(IDC_ANNULLA);
        CDlgProva dlg(nullptr);
        EXPECT_EQ(dlg.GetTemplateId(), IDD_PROVA + static_cast<UINT>(variant));
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_THAT(ui.TranscriptText(),
                    HasSubstr("dialog " + std::to_string(IDD_PROVA + variant) + " \"Prova toolkit\" opened"));
        EXPECT_THAT(ui.TranscriptText(),
                    HasSubstr("page " + std::to_string(IDD_PAGINA_DATI + variant) + "\n"));
        EXPECT_EQ(CPalmDevice::GetResMultiplier(), 2);
    }
}

TEST_F(Toolkit, MessageBoxAnswersFollowTheStyle) {
    const struct {
        UINT style;
        const char* answer;
        int result;
    } cases[] = {
        {MB_OK | MB_ICONINFORMATION, "ok", IDOK},   {MB_OKCANCEL, "cancel", IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, "yes", IDYES}, {MB_YESNO | MB_ICONQUESTION, "no", IDNO},
        {MB_YESNOCANCEL, "cancel", IDCANCEL},
    };
    for (const auto& c : cases) {
        ScriptedUi ui;
        std::string error;
        ASSERT_TRUE(ui.AddLines(std::string("show\n") + c.answer, error));
        EXPECT_EQ(CreateMessageBox(nullptr, u"Testo\r\n\"due\"", u"Pregeo", c.style), c.result);
    }
    ScriptedUi ui;
    ui.Ok();
    EXPECT_THROW(CreateMessageBox(nullptr, u"Procedere?", u"Pregeo", MB_YESNO), ScriptError);
    ScriptedUi ui2;
    ui2.Yes();
    CreateMessageBox(nullptr, u"Procedere?", u"Pregeo", MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(ui2.TranscriptText(), "message box \"Pregeo\" [question; yes, no]: \"Procedere?\"\n> yes\n");
}

TEST_F(Toolkit, FileAndFolderChoice) {
    ScriptedUi ui;
    ui.File(u"Support/Manca.taf").File(u"Support/esiti.bmp").Folder(u"Support");
    CFileDialog file(TRUE, u"taf", u"", OFN_FILEMUSTEXIST, u"Files TAF(*.taf)|*.taf||");
    // A missing file does not fit; the driver says so.
    EXPECT_THROW(file.DoModal(), ScriptError);
    ScriptedUi ui2;
    ui2.File(u"Support/Esiti.bmp").Cancel().Folder(u"Support");
    EXPECT_EQ(file.DoModal(), IDOK);
    EXPECT_EQ(file.GetFileName(), u"Esiti.bmp");
    EXPECT_THAT(file.GetPathName().ToUtf8(), HasSubstr("samples/demo/Support/Esiti.bmp"));
    WString folder;
    EXPECT_FALSE(DlgSelectJobFolder(nullptr, folder));
    EXPECT_TRUE(DlgSelectJobFolder(nullptr, folder));
    EXPECT_THAT(folder.ToUtf8(), HasSubstr("samples/demo/Support"));
    EXPECT_EQ(ui2.TranscriptText(), "file dialog \"Files TAF(*.taf)|*.taf||\"\n> file \"Support/Esiti.bmp\"\n"
                                    "folder dialog\n> cancel\nfolder dialog\n> folder \"Support\"\n");
}

TEST_F(Toolkit, TerminalAnswersWrongCommandsAndGoesOn) {
    std::istringstream in("frobnicate\nclick 9999\nhelp\ntype [Nome] Dal terminale\nclick 9020\n");
    std::ostringstream out;
    host::ui::TerminalDriver terminal(in, out);
    host::ui::Driver* previous = host::ui::SetActiveDriver(&terminal);
    CDlgProva dlg(nullptr);
    dlg.m_Record = Esempio();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_Record.nome, u"Dal terminale");
    const std::string screen = out.str();
    EXPECT_THAT(screen, HasSubstr("dialog 9000 \"Prova toolkit\"\n  9010  tab"));
    EXPECT_THAT(screen, HasSubstr("error: unknown command \"frobnicate\""));
    EXPECT_THAT(screen, HasSubstr("error: there is no control 9999"));
    EXPECT_THAT(screen, HasSubstr("tap ID ROW COL"));
    // After an action the lines that changed are drawn again, and only those.
    EXPECT_THAT(screen, HasSubstr("> type 9102 \"Dal terminale\"\n    9102  edit       \"Dal terminale\"\n"));
    EXPECT_EQ(screen.find("9010  tab"), screen.rfind("9010  tab"));
    // The input ends while a dialog is open: an error, not a hang.
    std::istringstream empty("");
    host::ui::TerminalDriver again(empty, out);
    host::ui::SetActiveDriver(&again);
    EXPECT_THROW(dlg.DoModal(), ScriptError);
    host::ui::SetActiveDriver(previous);
}

TEST_F(Toolkit, TerminalShowsMessageLinesAsLines) {
    std::istringstream in("ok\n");
    std::ostringstream out;
    host::ui::TerminalDriver terminal(in, out);
    host::ui::Driver* previous = host::ui::SetActiveDriver(&terminal);
    EXPECT_EQ(CreateMessageBox(nullptr, u"Prima\r\nseconda\rterza \\r \"q\"\n", u"Pregeo", MB_OK), IDOK);
    host::ui::SetActiveDriver(previous);
    EXPECT_THAT(out.str(), HasSubstr("[no icon; ok]: \"Prima\nseconda\nterza \\\\r \\\"q\\\"\n\"\n"));
}

TEST_F(Toolkit, InstalledScriptReportsUnusedActions) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("pregeo-ui-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
    const auto script = dir / "prova.script";
    std::ofstream(script) << "click 9021\nshow\n";
    std::ostringstream transcript;
    std::string error;
    ASSERT_TRUE(host::ui::InstallDriver(script, transcript, error)) << error;
    CDlgProva dlg(nullptr);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(host::ui::FinishDriver(error));
    EXPECT_EQ(error, "prova.script:2: 1 action(s) left unused after the last dialog closed");
    EXPECT_EQ(host::ui::ActiveDriver(), nullptr);
    EXPECT_FALSE(host::ui::InstallDriver(dir / "manca.script", transcript, error));
    EXPECT_THAT(error, HasSubstr("cannot read the script"));
    std::filesystem::remove_all(dir);
}
