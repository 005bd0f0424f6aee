// The browser's driver: the test dialog runs on its own thread as a tool does under serve, and this
// thread plays the page, reading the published state and handing in lines.
#include "host/ui/WebDriver.h"
#include "host/core/HostContext.h"
#include "tests/host/ui/LinkedResources.h"
#include "tests/host/ui/ProvaDialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <thread>

using namespace prova;
using namespace std::chrono_literals;
using host::ui::WebDriver;
using nlohmann::json;
using testing::HasSubstr;

namespace {

class Web : public testing::Test {
protected:
    void SetUp() override {
        host::SetFolders({"samples/demo", "samples/demo", ""});
        previous = host::ui::SetActiveDriver(&driver);
    }
    void TearDown() override {
        driver.Abandon();
        if (tool.joinable())
            tool.join();
        host::ui::SetActiveDriver(previous);
    }
    // Runs the test dialog as serve runs a tool, and waits for its first state.
    void Start() {
        driver.Begin("prova");
        tool = std::thread([this] {
            try {
                CDlgProva dlg(nullptr);
                dlg.m_Record = {u"Cippo", true, 2, 1, u"rm", u"Tivoli", {u"PF01", u"PF02"}};
                result = dlg.DoModal();
            } catch (const host::ui::ScriptError& e) {
                error = e.what();
            }
        });
        driver.WaitAfter(0, 5s);
    }
    json State() const { return json::parse(driver.State()); }
    // A control anywhere in the dialog, pages included.
    static json Find(const json& controls, unsigned id) {
        for (const json& c : controls) {
            if (c["id"] == id)
                return c;
            if (c.contains("controlli"))
                if (json found = Find(c["controlli"], id); !found.is_null())
                    return found;
        }
        return nullptr;
    }
    json Control(unsigned id) const { return Find(State()["finestra"]["controlli"], id); }

    LinkedResources resources{ProvaResourceTable()};
    WebDriver driver;
    host::ui::Driver* previous = nullptr;
    std::thread tool;
    int result = 0;
    std::string error;
};

} // namespace

TEST_F(Web, ThePageSeesTheLiveStateAndActsAsAScriptDoes) {
    Start();
    const json s = State();
    EXPECT_EQ(s["modo"], "finestra");
    EXPECT_EQ(s["strumento"], "prova");
    EXPECT_EQ(s["finestra"]["id"], IDD_PROVA);
    EXPECT_EQ(Control(IDC_NOME)["tipo"], "campo");
    EXPECT_EQ(Control(IDC_ATTIVO)["tipo"], "casella");
    EXPECT_EQ(Control(IDC_CODICE)["sola"], true);
    EXPECT_EQ(Control(IDC_TAB)["voci"], json({"Dati", "Elenco"}));

    // A line that does not parse, and a line when it does not fit: refused, the dialog goes on.
    EXPECT_EQ(driver.Submit("frobnicate 1", 5s).status, 400);
    const std::string typed = Control(IDC_NOME)["testo"];
    EXPECT_EQ(driver.Submit("click 4242", 5s).status, 200);
    EXPECT_THAT(State().value("rifiutata", ""), HasSubstr("4242"));
    EXPECT_EQ(Control(IDC_NOME)["testo"], typed);

    ASSERT_EQ(driver.Submit("type 9102 \"Nuovo\"", 5s).status, 200);
    EXPECT_EQ(Control(IDC_NOME)["testo"], "Nuovo");
    EXPECT_FALSE(State().contains("rifiutata"));

    // The grid's images name the support bitmap they are cut from.
    ASSERT_EQ(driver.Submit("tab 9010 #1", 5s).status, 200);
    const json grid = Control(IDC_GRIGLIA);
    ASSERT_EQ(grid["tipo"], "griglia");
    bool image = false;
    for (const json& row : grid["griglia"]["righe"])
        for (const json& cell : row)
            if (cell.contains("img"))
                image = image || cell["img"].value("file", "") == "Esiti.bmp";
    EXPECT_TRUE(image);

    // The dialog ends and no state follows until the host publishes its own.
    ASSERT_EQ(driver.Submit("click 9021", 100ms).status, 200);
    tool.join();
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(driver.Submit("click 9021", 5s).status, 409) << "nothing waits once the dialog has ended";
    // What was carried out is the session's script, ids resolved; the refused lines are not in it.
    EXPECT_EQ(driver.RecordedScript(), "type 9102 \"Nuovo\"\ntab 9010 #1\nclick 9021\n");
    EXPECT_THAT(driver.TranscriptText(), HasSubstr("> type 9102 \"Nuovo\"\n"));
}

TEST_F(Web, AToolGivenUpEndsAsAScriptThatRunsOut) {
    Start();
    driver.Abandon();
    tool.join();
    EXPECT_THAT(error, HasSubstr("abbandonato"));
    EXPECT_EQ(driver.RecordedScript(), "");
}
