// The control toolkit driven as a user would, through the C++ API and through scripts; then controls,
// grids, bitmaps and handler tables driven from code.
#include "host/core/HostContext.h"
#include "host/ui/Driver.h"
#include "host/ui/Window.h"
#include "tests/host/ui/LinkedResources.h"
#include "tests/host/ui/ProvaDialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
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
    LinkedResources resources{ProvaResourceTable()};
};

// The province is found by the list's prefix selection, which ignores case.
Record Esempio() {
    return {u"Cippo", true, 2, 1, u"rm", u"Tivoli", {u"PF01", u"PF02", u"PF03"}};
}

} // namespace

// What the scenario prova-ok does not show: the Dati page's controls, refusals by message box, a nested
// dialog with its own error box and its close box, rows ticked by column, and the record that results.
TEST_F(Toolkit, SessionThroughTheApi) {
    ScriptedUi ui;
    std::string error;
    ui.Show().Type(IDC_NOME, u"  Nuovo nome ").Untick(IDC_ATTIVO);
    ASSERT_TRUE(ui.AddLines("choose [Tipo 1]\n", error)) << error; // a control named by its own text
    ui.Pick(IDC_PROVINCIA, u"MI")
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
    EXPECT_EQ(r.punti, std::vector<WString>{u"PF22"});
    const std::string t = ui.TranscriptText();
    EXPECT_THAT(t, HasSubstr("  page 9004\n    9101  static     \"Nome :\"\n    9102  edit       \"Cippo\"\n"
                             "    9103  check      \"Attivo\" [x]\n"));
    EXPECT_THAT(t, HasSubstr("    9110  combo-edit \"Tivoli\", entry 1 of 2\n"));
    EXPECT_THAT(t, HasSubstr("    9112  edit       \"\" (read-only)\n"));
    EXPECT_THAT(t, HasSubstr("> choose 9104\n"));
    EXPECT_THAT(
        t, HasSubstr("message box \"Attenzione\" [question; yes, no]: \"Il record non è attivo.\\nSalvare "
                     "comunque?\"\n> no\n"));
    EXPECT_THAT(t,
                HasSubstr("message box \"Errore\" [error; ok]: \"Il nome non può essere vuoto.\"\n> ok\n"));
    EXPECT_THAT(t, HasSubstr("> close\ndialog 9012 \"Dettaglio punto\" closed with 2 (Cancel)\n"));
    EXPECT_THAT(t, HasSubstr("> show 9202\n  9202  grid       2 rows (1 fixed), 4 columns\n"
                             "          0 | N. | Sel. | Esito | Nome\n"
                             "          1 | 1  | [ ]  | @1    | PF22\n"));
}

// The scenarios prova-controllo-mancante and prova-fine-anticipata show a missing control and a script
// that ends inside a nested dialog through the program.
TEST_F(Toolkit, ActionsThatDoNotFitStopTheScriptAndLeaveNothingBehind) {
    const struct {
        const char* script;
        const char* message;
    } cases[] = {
        {"\n# commento\nclick 9205\n",
         "test:3: dialog 9000 \"Prova toolkit\": click 9205: il controllo 9205 è nascosto"},
        {"untick 9103\nchoose 9108\n",
         "test:2: dialog 9000 \"Prova toolkit\": choose 9108: il controllo 9108 è disattivato"},
        {"type 9112 X\n", "il controllo 9112 è di sola lettura"},
        {"tick 9103\n", "la casella 9103 è già spuntata"},
        {"click 9103\n", "il controllo 9103 è una casella di spunta, non un pulsante (usa tick o untick)"},
        {"pick 9111 NA\n", "il controllo 9111 non ha la voce \"NA\""},
        {"pick 9111 #3\n", "il controllo 9111 non ha la voce #3 (voci: 3)"},
        {"tab 9010 #2\n", "la scheda 9010 non ha la linguetta #2"},
        {"click [Elenco]\n", "click [Elenco]: non c'è il controllo [Elenco]"}, // a tab's label is no control
        {"tab 9010 #1\ntap 9202 0 1\n",
         "test:2: dialog 9000 \"Prova toolkit\": tap 9202 0 1: la griglia 9202 non ha la riga di dati 0"},
        {"tab 9010 #1\ntick 9202 1 3\n", "la riga 1 della griglia 9202 non ha una casella nella colonna 3"},
        {"yes\n", "non è aperto alcun messaggio né scelta di file; yes qui non serve"},
        {"tab 9010 #1\nclick 9205\nclick 9021\n",
         "test:3: message box \"Prova\": click 9021: un messaggio aspetta una risposta: yes, no"},
        {"", "test: lo script non ha azioni, ma è ancora aperta la finestra 9000 \"Prova toolkit\""},
        {"tab 9010 #1\ntap 9202 1 3\n",
         "test:2: lo script finisce qui, ma è ancora aperta la finestra 9012 \"Dettaglio punto\""},
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
        // Nothing of the abandoned dialogs is left behind; the driver and the dialog object run again.
        EXPECT_FALSE(dlg.IsWindow());
        EXPECT_EQ(ui.CurrentDialog(), nullptr);
        ui.Type(IDC_NOME, u"Altro").Click(IDC_ANNULLA);
        EXPECT_EQ(dlg.DoModal(), IDCANCEL) << c.script;
        EXPECT_EQ(dlg.m_Record.nome, u"Cippo");
    }
}

// The scenarios' transcripts show the plain forms of type, pick, tab, tap, show and the answers.
TEST_F(Toolkit, CommandLanguageParsesAndWritesBack) {
    const struct {
        const char* line;
        const char* canonical;
    } good[] = {{"  type 2202 \"  a \\\"b\\\"\\n\" ", "type 2202 \"  a \\\"b\\\"\\n\""},
                {"type 2202 \"\"", "type 2202 \"\""},
                {"pick 2370 #12", "pick 2370 #12"},
                {"tick 2265", "tick 2265"},
                {"untick 2373 4", "untick 2373 4"},
                {"tick 2373 4 1", "tick 2373 4 1"},
                {"click [Annulla]", "click [Annulla]"},
                {"edit 2373 1 2 abc", "edit 2373 1 2 \"abc\""},
                {"file \"dati/a.taf\"", "file \"dati/a.taf\""},
                // Control characters come back escaped, whether typed raw or escaped; others as they are.
                {"type 2202 a\x1b[31mb\xc2\x85", "type 2202 \"a\\u001b[31mb\\u0085\""},
                {"type 2202 \"\\u001B\\u00e8 \xf0\x9f\x98\x80\"", "type 2202 \"\\u001bè \xf0\x9f\x98\x80\""},
                {"point 101", "point \"101\""},
                {"point #23", "point #23"},
                {"point row 2", "point row 2"},
                {"snapshot vista.svg", "snapshot \"vista.svg\""}};
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
    } bad[] = {{"press 1", "comando sconosciuto \"press\""},
               {"click", "manca il numero del controllo"},
               {"click ok", "\"ok\" non è il numero di un controllo"},
               {"click 1 2", "parole in più dopo click"},
               {"type 2202", "type vuole un testo"},
               {"type 2202 \"abc", "non ha le virgolette di chiusura"},
               {"tap 2373 1", "manca la colonna della griglia"},
               {"tap 2373 x 1", "\"x\" non è una riga della griglia"},
               {"pick 2370", "manca la voce (#numero o testo)"},
               {"pick 2370 #x", "non è il numero di una voce"},
               {"file", "file vuole un percorso"},
               {"ok now", "parole in più dopo ok"},
               {"click [Annulla", "non ha la ] di chiusura"},
               {"type 2202 \"a\\qb\"", "sequenza sconosciuta \\q"},
               {"type 2202 \"\\u0000\"", "\\u vuole quattro cifre esadecimali"},
               {"type 2202 \"\\ud800\"", "\\u vuole quattro cifre esadecimali"},
               {"type 2202 \"\\u12\"", "\\u vuole quattro cifre esadecimali"},
               {"type 2202 \"\xc0\xaf\"", "non è UTF-8 valido"},     // an overlong '/'
               {"type 2202 \xed\xa0\x80", "non è UTF-8 valido"},     // an encoded surrogate
               {"type 2202 \xf4\x90\x80\x80", "non è UTF-8 valido"}, // beyond U+10FFFF
               {"type 2202 \xe2\x82", "non è UTF-8 valido"},         // cut short
               {"point #0", "\"#0\" non è un'entità"},
               {"point row 2 3", "point row vuole il numero di una riga 7"},
               {"snapshot", "snapshot vuole un file"}};
    for (const auto& b : bad) {
        std::string error;
        EXPECT_FALSE(host::ui::ParseAction(b.line, error)) << b.line;
        EXPECT_THAT(error, HasSubstr(b.error)) << b.line;
    }
    std::string error;
    EXPECT_FALSE(host::ui::ParseAction("   # only a comment", error));
    EXPECT_TRUE(error.empty());
    // A script that does not parse names the line and keeps none of its actions.
    host::ui::ScriptDriver driver(std::cout, "prova.script");
    EXPECT_FALSE(driver.AddLines("show\n\nclick x\n", error));
    EXPECT_EQ(error, "prova.script:3: \"x\" non è il numero di un controllo");
    EXPECT_FALSE(driver.AddLines(std::string_view("show\ntype 2202 \"a\0b\"\n", 21), error));
    EXPECT_EQ(error, "prova.script:2: la riga contiene un byte NUL");
    EXPECT_EQ(driver.Remaining(), 0u);
}

TEST_F(Toolkit, LabelsNameTheInputTheyLabel) {
    ScriptedUi ui;
    std::string error;
    ASSERT_TRUE(
        ui.AddLines("type [Nome] Nuovo\npick [Provincia :] #0\nshow [Codice]\nclick [Annulla]\n", error));
    CDlgProva dlg(nullptr);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_THAT(ui.TranscriptText(),
                HasSubstr("> type 9102 \"Nuovo\"\n> pick 9111 #0\n> show [Codice]\n  9112  edit"));
}

TEST_F(Toolkit, WithoutDriverOrTemplateNothingIsShown) {
    CDlgProva dlg(nullptr);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(CreateMessageBox(nullptr, u"x", u"y", MB_YESNO), 0);
    CFileDialog file(TRUE, u"taf", u"", OFN_FILEMUSTEXIST, u"Files TAF(*.taf)|*.taf||");
    EXPECT_EQ(file.DoModal(), IDCANCEL);
    ScriptedUi ui;
    CExDialog missing(4242, nullptr);
    EXPECT_EQ(missing.DoModal(), -1);
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
    EXPECT_THAT(screen, HasSubstr("finestra 9000 \"Prova toolkit\"\n  9010  schede"));
    EXPECT_THAT(screen, HasSubstr("errore: comando sconosciuto \"frobnicate\""));
    EXPECT_THAT(screen, HasSubstr("errore: non c'è il controllo 9999"));
    EXPECT_THAT(screen, HasSubstr("tap ID RIGA COL"));
    // After an action the lines that changed are drawn again, and only those.
    EXPECT_THAT(screen, HasSubstr("> type 9102 \"Dal terminale\"\n    9102  campo      \"Dal terminale\"\n"));
    EXPECT_EQ(screen.find("9010  schede"), screen.rfind("9010  schede"));
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
    EXPECT_THAT(out.str(), HasSubstr("messaggio \"Pregeo\" [nessuna icona; rispondi ok]: "
                                     "\"Prima\nseconda\nterza \\\\r \\\"q\\\"\n\"\n"));
}

TEST_F(Toolkit, InstalledScriptReportsUnusedActions) {
    const auto script = std::filesystem::path(testing::TempDir()) / "prova.script";
    std::ofstream(script) << "click 9021\nshow\n";
    std::ostringstream transcript;
    std::string error;
    ASSERT_TRUE(host::ui::InstallDriver(script, transcript, error)) << error;
    CDlgProva dlg(nullptr);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(host::ui::FinishDriver(error));
    EXPECT_EQ(error, "prova.script:2: azioni non usate dopo la chiusura dell'ultima finestra: 1");
    EXPECT_EQ(host::ui::ActiveDriver(), nullptr);
    std::filesystem::remove(script);
    EXPECT_FALSE(host::ui::InstallDriver(script, transcript, error));
    EXPECT_THAT(error, HasSubstr("non si legge lo script"));
}

namespace {

// A dialog (IDD_CONTROLLI of Prova.rc) whose initialisation and handlers are given by the test.
class CDlgControlli : public CExDialog {
public:
    CDlgControlli() : CExDialog(IDD_CONTROLLI, nullptr) {}
    std::function<void(CDlgControlli&)> init;
    int changes = 0;
    int conta = 0;
    std::vector<std::string> edits;
    BOOL OnInitDialog() override {
        CExDialog::OnInitDialog();
        if (init)
            init(*this);
        return TRUE;
    }

protected:
    void OnChange() { ++changes; }
    virtual void OnConta() { ++conta; }
    void OnEdit(NMHDR* nm, LRESULT*) {
        auto* g = reinterpret_cast<NM_GRIDVIEW*>(nm);
        edits.push_back(std::to_string(g->iRow) + "," + std::to_string(g->iColumn));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDlgControlli, CExDialog)
ON_EN_CHANGE(30, OnChange)
ON_BN_CLICKED(31, OnConta)
ON_NOTIFY(GVN_ENDLABELEDIT, 41, OnEdit)
END_MESSAGE_MAP()

// A derived class with a table of its own: what it does not map, the base's table handles.
class CDlgDerivato : public CDlgControlli {
public:
    int doppio = 0;

protected:
    void OnConta() override { doppio += 2; }
    void OnRadio(UINT id) { radios.push_back(id); }
    DECLARE_MESSAGE_MAP()

public:
    std::vector<UINT> radios;
};

BEGIN_MESSAGE_MAP(CDlgDerivato, CDlgControlli)
ON_CONTROL_RANGE(BN_CLICKED, 20, 23, OnRadio)
END_MESSAGE_MAP()

using Controls = Toolkit;

} // namespace

TEST_F(Controls, CombosAndListsKeepOrderDataAndSelection) {
    ScriptedUi ui;
    ui.Close();
    CDlgControlli dlg;
    dlg.init = [](CDlgControlli& d) {
        auto* sorted = static_cast<CComboBox*>(d.GetDlgItem(10));
        for (const char16_t* s : {u"Torino", u"asti", u"Milano", u"Alessandria"})
            sorted->SetItemData(sorted->AddString(s), s[0]);
        EXPECT_EQ(sorted->GetLBText(0), u"Alessandria");
        EXPECT_EQ(sorted->GetLBText(1), u"asti");
        EXPECT_EQ(sorted->GetItemData(3), std::uintptr_t{u'T'});
        // Prefix selection ignores case, searches after start and wraps.
        EXPECT_EQ(sorted->SelectString(-1, u"A"), 0);
        EXPECT_EQ(sorted->SelectString(0, u"a"), 1);
        EXPECT_EQ(sorted->SelectString(1, u"a"), 0);
        EXPECT_EQ(sorted->SelectString(-1, u"Roma"), CB_ERR);
        EXPECT_EQ(sorted->GetCurSel(), 0); // a failed search keeps the selection
        EXPECT_EQ(sorted->FindStringExact(-1, u"MILANO"), 2);
        EXPECT_EQ(sorted->FindStringExact(-1, u"Mil"), CB_ERR);
        sorted->SetCurSel(2);
        sorted->DeleteString(0);
        EXPECT_EQ(sorted->GetCurSel(), 1);
        EXPECT_EQ(sorted->GetWindowText(), u"Milano");
        EXPECT_EQ(sorted->SetCurSel(9), CB_ERR);
        EXPECT_EQ(sorted->GetCurSel(), -1);
        auto* editable = static_cast<CComboBox*>(d.GetDlgItem(11));
        editable->InsertString(0, u"b");
        editable->InsertString(0, u"a"); // unsorted: where it is put
        editable->SetCurSel(1);
        EXPECT_EQ(editable->GetWindowText(), u"b");
        auto* list = static_cast<CListBox*>(d.GetDlgItem(12));
        list->AddString(u"x");
        EXPECT_EQ(list->GetItemData(5), static_cast<std::uintptr_t>(LB_ERR));
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(Controls, HandlerTablesChainToTheBaseAndRadiosAreExclusiveWithinTheirGroup) {
    ScriptedUi ui;
    ui.Choose(21).Choose(23).Choose(20).Click(31).Type(30, u"x").Show().Close();
    CDlgDerivato dlg;
    dlg.init = [](CDlgControlli& d) {
        // Text set from code is reported as a change too, as the platform's edit does.
        d.SetDlgItemText(30, u"iniziale");
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_THAT(ui.TranscriptText(),
                HasSubstr("  20    radio      \"A\" (o)\n  21    radio      \"B\" ( )\n"
                          "  22    radio      \"C\" ( )\n  23    radio      \"D\" (o)\n"));
    EXPECT_EQ(dlg.radios, (std::vector<UINT>{21, 23, 20})); // the derived table's own entry
    EXPECT_EQ(dlg.doppio, 2); // the virtual override runs through the base's entry
    EXPECT_EQ(dlg.conta, 0);
    EXPECT_EQ(dlg.changes, 2);
}

TEST_F(Controls, GridRowsSelectionChecksAndImages) {
    ScriptedUi ui;
    ui.Close();
    CDlgControlli dlg;
    dlg.init = [](CDlgControlli& d) {
        auto* g = static_cast<CCEGridCtrl*>(d.GetDlgItem(40));
        g->SetFixedRowCount(1);
        EXPECT_EQ(g->InsertColumn(u"N."), 0);
        EXPECT_EQ(g->InsertColumn(u"Nome"), 1);
        EXPECT_EQ(g->InsertColumn(u"Sel.", DT_LEFT, 1), 1); // before Nome
        for (int i = 1; i <= 4; ++i) {
            const int row = g->InsertRow(u"");
            g->SetItemText(row, 2, WString::Formatted(u"P%d", i));
            g->SetRowData(row, i * 100);
            g->SetCheck(row, 1, i % 2);
        }
        EXPECT_EQ(g->GetItemText(0, 2), u"Nome");
        EXPECT_EQ(g->GetItemText(0, 1), u"Sel.");
        g->SetSelectedRow(3);
        EXPECT_TRUE(g->DeleteRow(1));
        EXPECT_EQ(g->GetSelectedRow(), 2); // follows its row
        EXPECT_EQ(g->GetItemText(2, 2), u"P3");
        EXPECT_EQ(g->GetRowData(2), 300);
        EXPECT_TRUE(g->GetCheck(2, 1));
        EXPECT_FALSE(g->GetCheck(2, 2)); // not a check-box cell
        EXPECT_FALSE(g->SetItemText(9, 0, u"x"));
        EXPECT_EQ(g->GetItemText(9, 0), u"");
        g->SetItemImage(2, 0, 1);
        g->SetColumnWidth(2, 5);
        g->AutoSizeColumns();
        EXPECT_GT(g->GetColumnWidth(2), 5);
        g->DeleteRow(2);
        EXPECT_EQ(g->GetSelectedRow(), -1);
        EXPECT_TRUE(g->DeleteNonFixedRows());
        EXPECT_EQ(g->GetRowCount(), 1);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(Controls, EditableGridNumbersRowsAndKeepsAnEmptyLastRow) {
    ScriptedUi ui;
    ui.Edit(40, 1, 1, u"A").Edit(40, 2, 1, u"B").Edit(40, 1, 1, u"").Show(40).Edit(40, 1, 0, u"x").Close();
    CDlgControlli dlg;
    CCEMSGridCtrl griglia;
    dlg.init = [&](CDlgControlli& d) {
        CRect rect;
        d.GetDlgItem(40)->GetWindowRect(&rect);
        d.GetDlgItem(40)->ShowWindow(SW_HIDE);
        ASSERT_TRUE(griglia.Create(rect, &d, 41));
        griglia.SetFixedRowCount(1);
        griglia.InsertColumn(u"N.");
        griglia.InsertColumn(u"Nome");
        griglia.SetEditable();
        griglia.SetAutoNumber();
        griglia.SetAutoAddRow();
        EXPECT_EQ(griglia.GetRowCount(), 2);
    };
    // The grid of the template stays hidden; edits go to the one made in code.
    EXPECT_THROW(dlg.DoModal(), host::ui::ScriptError);
    ScriptedUi ui2;
    ui2.Edit(41, 1, 1, u"A").Edit(41, 2, 1, u"B").Show(41).Edit(41, 1, 0, u"x");
    try {
        dlg.DoModal();
        ADD_FAILURE();
    } catch (const host::ui::ScriptError& e) {
        EXPECT_THAT(e.what(), HasSubstr("la griglia 41 non ha la cella modificabile 1 0"));
    }
    EXPECT_EQ(dlg.edits, (std::vector<std::string>{"1,1", "2,1"}));
    EXPECT_THAT(ui2.TranscriptText(), HasSubstr("  41    grid       4 rows (1 fixed), 2 columns\n"
                                                "          0 | N. | Nome\n          1 | 1  | A\n"
                                                "          2 | 2  | B\n          3 | 3\n"));
    EXPECT_FALSE(griglia.IsWindow()); // the window went with the dialog
}

// A label is read as a person reads it: without its colon, in any case; two controls of one label are
// not guessed between.
TEST_F(Controls, LabelsMatchWithoutColonOrCaseAndSeveralAreRefused) {
    ScriptedUi ui;
    std::string error;
    ASSERT_TRUE(ui.AddLines("type [Campo:] x\ntype [ CAMPO ] y\nclick [conta]\nchoose [uguale]\n", error));
    CDlgControlli dlg;
    dlg.init = [](CDlgControlli& d) {
        d.SetDlgItemText(20, u"Uguale");
        d.SetDlgItemText(22, u"uguale :");
        d.SetDlgItemText(30, u"");
    };
    // An edit has no label of its own: the text typed into it is no name either.
    try {
        dlg.DoModal();
        ADD_FAILURE();
    } catch (const ScriptError& e) {
        EXPECT_THAT(e.what(), HasSubstr("type [Campo:] \"x\": non c'è il controllo [Campo:]"));
    }
    ScriptedUi ui2;
    ASSERT_TRUE(ui2.AddLines("click [conta:]\nclick [CONTA]\nchoose [uguale]\n", error));
    try {
        dlg.DoModal();
        ADD_FAILURE();
    } catch (const ScriptError& e) {
        EXPECT_THAT(
            e.what(),
            HasSubstr("[uguale] indica più controlli: 20 \"Uguale\", 22 \"uguale :\"; usa il numero"));
    }
    EXPECT_THAT(ui2.TranscriptText(), HasSubstr("> click 31\n> click 31\n"));
    EXPECT_EQ(dlg.conta, 2);
}

// At the terminal a person sees every entry of a list, the chosen one marked, and what a grid's images
// mean, in Italian.
TEST_F(Controls, TerminalShowsListsWholeAndGridImagesInWords) {
    std::istringstream in("show\nclose\n");
    std::ostringstream out;
    host::ui::TerminalDriver terminal(in, out);
    host::ui::Driver* previous = host::ui::SetActiveDriver(&terminal);
    CDlgControlli dlg;
    dlg.init = [](CDlgControlli& d) {
        auto* combo = static_cast<CComboBox*>(d.GetDlgItem(10));
        for (const char16_t* s : {u"Asti", u"Biella", u"Cuneo"})
            combo->AddString(s);
        combo->SetCurSel(1);
        auto* g = static_cast<CCEGridCtrl*>(d.GetDlgItem(40));
        g->SetFixedRowCount(1);
        g->InsertColumn(u"Mod.");
        g->InsertColumn(u"Esito");
        for (int i = 0; i < 2; ++i)
            g->InsertRow(u"");
        g->SetItemImage(1, 0, 1);
        g->SetItemImage(1, 1, 1);
        g->SetItemImage(2, 1, 0);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    host::ui::SetActiveDriver(previous);
    const std::string screen = out.str();
    EXPECT_THAT(screen, HasSubstr("finestra 9016 \"Controlli\" aperta\n"));
    EXPECT_THAT(screen, HasSubstr("  10    scelta     \"Biella\", voce 1 di 3\n"
                                  "        #0 \"Asti\"  > #1 \"Biella\"  #2 \"Cuneo\"\n"));
    EXPECT_THAT(screen, HasSubstr("1 | modifica | Fuori tolleranza\n"));
    EXPECT_THAT(screen, HasSubstr("2 |          | In tolleranza\n"));
    EXPECT_THAT(screen, HasSubstr("finestra 9016 \"Controlli\" chiusa con Annulla\n"));
    EXPECT_EQ(screen.find("@1"), std::string::npos);
}

// Tab completes a command, then a control the command acts on, then an entry of the control picked.
TEST_F(Controls, CompletionOffersCommandsControlsAndEntries) {
    using host::ui::Complete;
    const auto candidates = [](const host::ui::Completion& c) { return c.candidates; };
    EXPECT_EQ(candidates(Complete(nullptr, "cl")), (std::vector<std::string>{"click ", "close "}));
    EXPECT_EQ(candidates(Complete(nullptr, "  he")), (std::vector<std::string>{"help"}));
    EXPECT_EQ(Complete(nullptr, "  he").start, 2u);
    EXPECT_TRUE(candidates(Complete(nullptr, "click [co")).empty()); // no dialog, no controls
    ScriptedUi ui;
    ui.Close();
    CDlgControlli dlg;
    dlg.init = [&](CDlgControlli& d) {
        d.SetDlgItemText(20, u"Uguale");
        d.SetDlgItemText(22, u"Uguaglianza :");
        auto* combo = static_cast<CComboBox*>(d.GetDlgItem(10));
        for (const char16_t* s : {u"Asti", u"Alba", u"Cuneo"})
            combo->AddString(s);
        const UiWindow* w = d.GetUiWindow();
        const host::ui::Completion conta = Complete(w, "click [co");
        EXPECT_EQ(conta.start, 6u);
        EXPECT_EQ(conta.candidates, (std::vector<std::string>{"[Conta] "}));
        EXPECT_EQ(candidates(Complete(w, "click 3")), (std::vector<std::string>{"31 "}));
        EXPECT_EQ(candidates(Complete(w, "choose [ugu")),
                  (std::vector<std::string>{"[Uguale] ", "[Uguaglianza] "}));
        EXPECT_TRUE(candidates(Complete(w, "click [ugu")).empty()); // radios are chosen, not clicked
        const host::ui::Completion voce = Complete(w, "pick 10 a");
        EXPECT_EQ(voce.start, 8u);
        EXPECT_EQ(voce.candidates, (std::vector<std::string>{"Alba", "Asti"}));

        // A CAD view offers its points by name (quoted when the name has blanks) and its rows 7.
        struct Vista : UiCustom {
            const char* KindName() const override { return "cad"; }
            std::string Render(bool, const std::string&) const override { return {}; }
            std::string Check(const host::ui::Action&) override { return {}; }
            void Perform(const host::ui::Action&, std::ostream&) override {}
            std::vector<Pick> Picks() const override {
                return {{"100", "point #3"},
                        {"PF01/0120/G337", "point #5"},
                        {"100", "point #9"},
                        {"nome con spazio", "point #7"},
                        {"riga 7 n. 2 \"245\"", "point row 2"}};
            }
        } vista;
        UiWindow* vistaCad = const_cast<UiWindow*>(w)->children.front().get();
        vistaCad->custom = &vista;
        EXPECT_EQ(candidates(Complete(w, "point ")),
                  (std::vector<std::string>{"100", "PF01/0120/G337", "\"nome con spazio\"", "row 2"}));
        EXPECT_EQ(candidates(Complete(w, "point pf")), (std::vector<std::string>{"PF01/0120/G337"}));
        EXPECT_EQ(Complete(w, "point r").start, 6u);
        EXPECT_TRUE(candidates(Complete(w, "point 100 x")).empty());
        vistaCad->custom = nullptr;
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(Controls, SupportBitmapsLoadAsImageStrips) {
    const struct {
        const char16_t* name;
        int size;
        int images;
    } cases[] = {{u"Esiti.bmp", 16, 2}, {u"IconaModifica.bmp", 16, 2}, {u"GPSAcquisCADButtons.bmp", 23, 21}};
    for (const auto& c : cases) {
        std::unique_ptr<CBitmap> bmp(LoadASupportBmp(c.name));
        ASSERT_NE(bmp, nullptr) << WString(c.name).ToUtf8();
        EXPECT_EQ(bmp->GetHeight(), c.size);
        CImageList list;
        ASSERT_TRUE(list.Create(c.size, c.size, ILC_COLOR | ILC_MASK, 2, 2));
        EXPECT_EQ(list.Add(bmp.get(), RGB(255, 255, 255)), 0);
        EXPECT_EQ(list.GetImageCount(), c.images);
    }
    // "Esiti.bmp": image 0 green (in tolerance), image 1 red (out of tolerance).
    std::unique_ptr<CBitmap> esiti(LoadASupportBmp(u"ESITI.BMP"));
    ASSERT_NE(esiti, nullptr);
    int green = 0, red = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            const COLORREF c = esiti->GetPixel(x, y);
            green += (x < 16 && c == RGB(0, 160, 0));
            red += (x >= 16 && c == RGB(220, 0, 0));
        }
    EXPECT_GT(green, 10);
    EXPECT_GT(red, 10);
    EXPECT_EQ(LoadASupportBmp(u"Manca.bmp"), nullptr);
    // A damaged file is refused, not read past its end.
    const auto dir = std::filesystem::temp_directory_path() / "pregeo-ui-bmp";
    std::filesystem::create_directories(dir / "Support");
    std::ifstream in("samples/demo/Support/Esiti.bmp", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto scrivi = [&](const char* name, std::string b) {
        std::ofstream(dir / "Support" / name, std::ios::binary) << b;
    };
    scrivi("Corto.bmp", bytes.substr(0, 300));
    std::string header = bytes;
    header.replace(14, 4, std::string("\xf0\xff\xff\x7f", 4)); // a header larger than the file
    scrivi("Testata.bmp", header);
    // 8 bits with 2^30 colours: the palette's size must not wrap to nothing and let pixels index past the
    // end of a short file.
    std::string colori = bytes.substr(0, 54 + 32 * 16);
    colori[28] = 8;
    colori.replace(46, 4, std::string("\0\0\0\x40", 4));
    scrivi("Colori.bmp", colori);
    bytes[28] = 7; // bits per pixel
    scrivi("Strano.bmp", bytes);
    std::filesystem::create_directories(dir / "Support" / "Cartella.bmp");
    host::SetFolders({dir, dir, ""});
    for (const char16_t* name : {u"Corto.bmp", u"Strano.bmp", u"Testata.bmp", u"Colori.bmp", u"Cartella.bmp"})
        EXPECT_EQ(LoadASupportBmp(name), nullptr) << WString(name).ToUtf8();
    std::filesystem::remove_all(dir);
}
