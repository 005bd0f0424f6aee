// pregeo-host as a surveyor runs it: errors on stderr with a non-zero exit, nothing saved on error.
#include "tests/support/Comando.h"
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using prova::Esito;

Esito Host(const std::string& args) {
    return prova::Esegui("pregeo-host", args, true);
}

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("pregeo-cli-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::copy("samples/demo", dir, fs::copy_options::recursive);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

} // namespace

// demo speaks to a surveyor; what a developer checks (the start message, the data asked for) only with
// --verbose.
TEST_F(CommandLine, DemoListsExportsStartMessageAndSummary) {
    const Esito tecnico = Host("--project " + dir.string() + " demo");
    EXPECT_EQ(tecnico.status, 0) << tecnico.out;
    EXPECT_NE(tecnico.out.find("Strumenti disponibili: 16 di 16"), std::string::npos) << tecnico.out;
    EXPECT_NE(tecnico.out.find("apre la finestra \"Riga 0\""), std::string::npos) << tecnico.out;
    EXPECT_NE(tecnico.out.find("Comune G337 (PR), foglio 0120"), std::string::npos) << tecnico.out;
    for (const char* sviluppatore : {"messaggio 1165", "chiede Get", "dialog 12120", "risponde"})
        EXPECT_EQ(tecnico.out.find(sviluppatore), std::string::npos) << sviluppatore;
    const Esito r = Host("--project " + dir.string() + " --verbose demo");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Export risolti: 16 di 16"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("messaggio 1165 (wParam 1, lParam 0)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("mostra dialog 12120 \"Riga 0\" (chiede GetCts)"), std::string::npos) << r.out;
}

// --help is a page to read, not an error; it names every tool and says how a tool runs interactively.
TEST_F(CommandLine, HelpNamesTheSixteenToolsAndTheInteractiveMode) {
    const Esito r = Host("--help");
    EXPECT_EQ(r.status, 0) << r.out;
    for (const char* tool :
         {"FPregeoEditRiga0", "FPregeoEditRiga3", "FPregeoEditRiga4And5", "FPregeoEditRiga7",
          "FPregeoEditRiga8", "FPregeoEditRiga9", "FPregeoImportRighe8", "FPregeoImportPFNear",
          "FPregeoImportDistanze", "FPregeoTollDistanze", "FPregeoTollAllineamenti",
          "FPregeoTollStazOutTriang", "FPregeoTollDistStazioni", "FPregeoTollSuperfici",
          "FPregeoTollOggRilievoDist", "FPregeoTollOggRilievoSup"})
        EXPECT_NE(r.out.find(std::string("    ") + tool + " "), std::string::npos) << tool;
    EXPECT_NE(r.out.find("senza --script parte in modo interattivo"), std::string::npos) << r.out;
    EXPECT_EQ(Host("--project " + dir.string() + " --help demo").status, 0);
    EXPECT_EQ(Host("--nessuna").status, 2);
}

TEST_F(CommandLine, MalformedProjectIsReportedAndLeftUntouched) {
    std::string text = ReadFile(dir / "progetto.json");
    text.replace(text.find("\"Mese\": \"11\""), 12, "\"Mese\": 11");
    std::ofstream(dir / "progetto.json", std::ios::binary) << text;
    const Esito r = Host("--project " + dir.string() + " FPregeoEditRiga0");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("/libretto/intestazione/Mese: atteso un testo"), std::string::npos) << r.out;
    EXPECT_EQ(ReadFile(dir / "progetto.json"), text);
}

TEST_F(CommandLine, BadArgumentsAndUnknownCommands) {
    EXPECT_EQ(Host("demo").status, 2);
    EXPECT_EQ(Host("--project").status, 2);
    const Esito unknown = Host("--project " + dir.string() + " FPregeoNonEsiste");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.out.find("comando sconosciuto"), std::string::npos);
    const Esito noModule = Host("--project " + dir.string() + " --module /nessuno.so exports");
    EXPECT_EQ(noModule.status, 2);
    EXPECT_NE(noModule.out.find("il modulo non si carica"), std::string::npos);
}

TEST_F(CommandLine, ReadOnlyProjectIsNotReplaced) {
    // Written compact, so that rewriting it has something to write.
    std::string before = ReadFile(dir / "progetto.json");
    before.erase(std::remove(before.begin(), before.end(), '\n'), before.end());
    std::ofstream(dir / "progetto.json", std::ios::binary) << before;
    fs::permissions(dir / "progetto.json", fs::perms::owner_read);
    const Esito r = Host("--project " + dir.string() + " riscrivi");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("il progetto non si può salvare in " + dir.string() +
                         ": progetto.json: il file è di sola lettura"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(ReadFile(dir / "progetto.json"), before);
    EXPECT_EQ(fs::status(dir / "progetto.json").permissions() & fs::perms::all, fs::perms::owner_read);
}

// A script that is a folder, or that holds an escape sequence, is reported; nothing raw reaches the terminal.
TEST_F(CommandLine, ScriptProblemsAreReportedWithControlCharactersEscaped) {
    const Esito folder =
        Host("--project " + dir.string() + " --script " + dir.string() + " FPregeoEditRiga0");
    EXPECT_EQ(folder.status, 2) << folder.out;
    EXPECT_NE(folder.out.find("non si legge lo script " + dir.string()), std::string::npos) << folder.out;
    std::ofstream(dir / "script", std::ios::binary) << "click \x1b[2J\xc2\x9b"
                                                    << "31m\n";
    const Esito escape =
        Host("--project " + dir.string() + " --script " + (dir / "script").string() + " FPregeoEditRiga0");
    EXPECT_EQ(escape.status, 2) << escape.out;
    EXPECT_NE(escape.out.find("script:1: \"\\u001b[2J\\u009b31m\" non è il numero di un controllo"),
              std::string::npos)
        << escape.out;
    EXPECT_EQ(escape.out.find_first_of("\x1b\x9b"), std::string::npos);
}

// maglia draws what the station and surface tools find: the demo's stations and lots all inside its mesh;
// rows across a side, in tolerance and just out; the stations of a scenario beside, beyond and across the
// sides of a 10 m by 100 m mesh; and no picture without a mesh.
TEST_F(CommandLine, MagliaDrawsTheToleranceToolsFindings) {
    const auto conta = [](const std::string& testo, const std::string& cosa) {
        std::size_t n = 0;
        for (auto i = testo.find(cosa); i != std::string::npos; i = testo.find(cosa, i + 1))
            ++n;
        return n;
    };
    const auto maglia = [&](const std::string& file) {
        return Host("--project " + dir.string() + " maglia " + (dir / file).string());
    };
    Esito r = maglia("demo.svg");
    ASSERT_EQ(r.status, 0) << r.out;
    std::string svg = ReadFile(dir / "demo.svg");
    const auto poligono = svg.find("points=\"", svg.find("class=\"maglia\""));
    EXPECT_EQ(conta(svg.substr(poligono, svg.find('"', poligono + 8) - poligono), " "), 4u); // 5 sides
    EXPECT_EQ(conta(svg, "class=\"vertice-maglia\""), 5u);
    EXPECT_EQ(conta(svg, "class=\"stazione interna\""), 3u);
    EXPECT_EQ(conta(svg, "class=\"lato "), 0u);
    EXPECT_EQ(conta(svg, "class=\"parte interna\""), 2u);
    EXPECT_EQ(conta(svg, "class=\"parte esterna\""), 0u);

    Esito patch = prova::Esegui("jsonpatch", "apply " + (dir / "progetto.json").string() +
                                                 " tests/scenarios/toll-oggril-sup-30-per-cento/patch.json");
    ASSERT_EQ(patch.status, 0) << patch.out;
    r = maglia("superfici.svg");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Superfici esaminate: 4, in tolleranza: 3, fuori tolleranza: 1\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(
        r.out.find("  T30001: superficie S1-S2-S3-S4-S1, Sup.Int. 100.000, Sup.Int.30% 30.000, Sup.Est. "
                   "30.001, fuori tolleranza\n"),
        std::string::npos)
        << r.out;
    svg = ReadFile(dir / "superfici.svg");
    EXPECT_EQ(conta(svg, "class=\"parte interna\""), 4u);
    EXPECT_EQ(conta(svg, "class=\"parte esterna\""), 2u);
    EXPECT_EQ(conta(svg, "class=\"superficie fuori-tolleranza\""), 1u);
    EXPECT_NE(svg.find(">T30: Est. 30.000 ≤ 30.000 m²</text>"), std::string::npos);
    EXPECT_NE(svg.find(">T30001: Est. 30.001 &gt; 30.000 m²</text>"), std::string::npos);
    fs::copy_file("samples/demo/progetto.json", dir / "progetto.json", fs::copy_options::overwrite_existing);

    patch = prova::Esegui("jsonpatch", "apply " + (dir / "progetto.json").string() +
                                           " tests/scenarios/toll-stazioni-lato/patch.json");
    ASSERT_EQ(patch.status, 0) << patch.out;
    r = maglia("lato.svg");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("esterne in tolleranza: 1, esterne fuori tolleranza: 2"), std::string::npos)
        << r.out;
    svg = ReadFile(dir / "lato.svg");
    EXPECT_EQ(conta(svg, "class=\"stazione in-tolleranza\""), 1u);
    EXPECT_EQ(conta(svg, "class=\"stazione fuori-tolleranza\""), 2u); // 250 is out on one of its two sides
    EXPECT_EQ(conta(svg, "class=\"lato in-tolleranza\""), 2u);
    EXPECT_EQ(conta(svg, "class=\"distanza fuori-tolleranza\""), 2u);
    EXPECT_NE(svg.find(">3.001 &gt; 3.000</text>"), std::string::npos);
    ASSERT_EQ(maglia("lato.png").status, 0);
    EXPECT_EQ(ReadFile(dir / "lato.png").substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));

    std::string progetto = ReadFile(dir / "progetto.json");
    for (auto i = progetto.find("\"elabValida\": true"); i != std::string::npos;
         i = progetto.find("\"elabValida\": true"))
        progetto.replace(i, 18, "\"elabValida\": false");
    std::ofstream(dir / "progetto.json", std::ios::binary) << progetto;
    r = maglia("nessuna.svg");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(
        r.out.find("Non è stata trovata una maglia fiduciale valida per il calcolo. (punti fiduciali con "
                   "coordinate: 0)"),
        std::string::npos)
        << r.out;
    EXPECT_FALSE(fs::exists(dir / "nessuna.svg"));
}

namespace {

// What the program wrote to the pseudo-terminal until `marker` appeared (or the program ended).
std::string LeggiFino(int master, const std::string& marker, std::string& tutto) {
    const std::size_t from = tutto.size();
    std::array<char, 4096> buf{};
    for (;;) {
        pollfd p{master, POLLIN, 0};
        // A generous bound, only so that a broken editor ends the test instead of hanging it.
        if (::poll(&p, 1, 30000) <= 0)
            break;
        const ssize_t n = ::read(master, buf.data(), buf.size());
        if (n <= 0)
            break;
        tutto.append(buf.data(), static_cast<std::size_t>(n));
        if (tutto.find(marker, from) != std::string::npos)
            break;
    }
    return tutto.substr(from);
}

} // namespace

// At a real terminal the Up arrow brings back the last command, Tab completes a label, and the history
// outlives the session.
TEST_F(CommandLine, TerminalRecallsTheLastCommandWithTheUpArrow) {
    const char* bin = std::getenv("PREGEO_BIN");
    const std::string program = std::string(bin ? bin : "build/test/bin") + "/pregeo-host";
    int master = -1;
    const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::setenv("HOME", dir.c_str(), 1);
        ::setenv("TERM", "xterm", 1);
        ::execl(program.c_str(), "pregeo-host", "--project", dir.c_str(), "FPregeoEditRiga0", nullptr);
        ::_exit(127);
    }
    std::string tutto;
    LeggiFino(master, "12120> ", tutto);
    const std::string comando = "show [protocollo]\r";
    ASSERT_EQ(::write(master, comando.data(), comando.size()), static_cast<ssize_t>(comando.size()));
    const std::string primo = LeggiFino(master, "12120> ", tutto);
    EXPECT_NE(primo.find("2202  campo      \"81234\""), std::string::npos) << tutto;
    const std::string su = "\x1b[A\r";
    ASSERT_EQ(::write(master, su.data(), su.size()), static_cast<ssize_t>(su.size()));
    const std::string secondo = LeggiFino(master, "12120> ", tutto);
    EXPECT_NE(secondo.find("> show [protocollo]"), std::string::npos) << tutto;
    EXPECT_NE(secondo.find("2202  campo      \"81234\""), std::string::npos) << tutto;
    // Tab completes a label through the same editor.
    const std::string annulla = "click [annu\t\r";
    ASSERT_EQ(::write(master, annulla.data(), annulla.size()), static_cast<ssize_t>(annulla.size()));
    LeggiFino(master, "FPregeoEditRiga0: annullato", tutto);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::close(master);
    EXPECT_NE(tutto.find("> click 2355"), std::string::npos) << tutto;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << tutto;
    EXPECT_NE(ReadFile(dir / ".pregeo_host_history").find("protocollo"), std::string::npos);
}

// Inputs that never end end at their bound with a message, and nothing is saved: the project file, the
// script, the terminal, a TAF file read by the import. A named pipe within its bound is read.
TEST_F(CommandLine, InputsThatNeverEndAreRefusedAtTheirBound) {
    const std::string progetto = ReadFile(dir / "progetto.json");
    const fs::path tubo = dir / "tubo";
    ASSERT_EQ(::mkfifo(tubo.c_str(), 0600), 0);
    Esito r = prova::Esegui("pregeo-host", "--project " + dir.string() + " --script " + tubo.string() +
                                               " FPregeoEditRiga9 & printf 'click [Annulla]\\n' > " +
                                               tubo.string() + "; wait");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("FPregeoEditRiga9: annullato"), std::string::npos) << r.out;

    r = Host("--project " + dir.string() + " --script /dev/zero FPregeoEditRiga9");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("non si legge lo script /dev/zero: supera il limite di 4 MiB"), std::string::npos)
        << r.out;
    r = Host("--project " + dir.string() + " FPregeoEditRiga9 < /dev/zero");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(
        r.out.find("terminale: una riga di più di 64 KiB non è scritta da una persona; non si salva nulla"),
        std::string::npos)
        << r.out.substr(r.out.size() - std::min<std::size_t>(r.out.size(), 500));

    fs::create_directories(dir / "taf");
    fs::remove(dir / "taf" / "PR_G337.taf");
    fs::create_symlink("/dev/urandom", dir / "taf" / "PR_G337.taf");
    std::ofstream(dir / "script") << "click [Da Elenco]\nclick [OK]\nok\nclick [Annulla]\n";
    r = Host("--project " + dir.string() + " --script " + (dir / "script").string() + " FPregeoImportRighe8");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("taf/PR_G337.taf: il file supera il limite di 128 MiB"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"Il caricamento dei dati non ha avuto successo\""), std::string::npos) << r.out;
    EXPECT_EQ(ReadFile(dir / "progetto.json"), progetto);

    fs::remove(dir / "progetto.json");
    fs::create_symlink("/dev/zero", dir / "progetto.json");
    r = Host("--project " + dir.string() + " riscrivi");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("progetto non valido: " + (dir / "progetto.json").string() +
                         ": il file supera il limite di 128 MiB"),
              std::string::npos)
        << r.out;
    EXPECT_TRUE(fs::is_symlink(dir / "progetto.json"));
}

// A save past the file size limit says why and keeps the old file; a save over someone else's edit
// refuses and puts its text beside it.
TEST_F(CommandLine, SavesThatCannotBeMadeKeepEveryEdit) {
    std::string compatto = ReadFile(dir / "progetto.json");
    compatto.erase(std::remove(compatto.begin(), compatto.end(), '\n'), compatto.end());
    std::ofstream(dir / "progetto.json", std::ios::binary) << compatto;
    const char* bin = std::getenv("PREGEO_BIN");
    FILE* p = ::popen(("ulimit -f 8 && " + std::string(bin ? bin : "build/test/bin") +
                       "/pregeo-host --project " + dir.string() + " riscrivi 2>&1")
                          .c_str(),
                      "r");
    std::string out;
    char buf[512];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;)
        out.append(buf, n);
    EXPECT_EQ(WEXITSTATUS(::pclose(p)), 1) << out;
    EXPECT_NE(out.find("il progetto non si può salvare in " + dir.string() +
                       ": progetto.json: il file supera la dimensione consentita"),
              std::string::npos)
        << out;
    EXPECT_EQ(ReadFile(dir / "progetto.json"), compatto);
    for (const auto& e : fs::recursive_directory_iterator(dir))
        EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << "a temporary file was left";

    // Someone else edits the file while the editor is open.
    std::string altrui = ReadFile("samples/demo/progetto.json");
    altrui.replace(altrui.find("\"nota\": \"\""), 10, "\"nota\": \"altrui\"");
    int master = -1;
    const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::setenv("HOME", dir.c_str(), 1);
        const std::string program = std::string(bin ? bin : "build/test/bin") + "/pregeo-host";
        ::execl(program.c_str(), "pregeo-host", "--project", dir.c_str(), "FPregeoEditRiga9", nullptr);
        ::_exit(127);
    }
    std::string tutto;
    LeggiFino(master, "> ", tutto);
    std::ofstream(dir / "progetto.json", std::ios::binary) << altrui;
    for (const std::string riga : {"type 2374 \"mia\"\r", "click 2200\r"}) {
        ASSERT_EQ(::write(master, riga.data(), riga.size()), static_cast<ssize_t>(riga.size()));
        LeggiFino(master, "> ", tutto);
    }
    LeggiFino(master, "nessuna fine", tutto);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::close(master);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << tutto;
    EXPECT_NE(
        tutto.find("progetto.json: il progetto è stato modificato sul disco nel frattempo; quello che si "
                   "sarebbe salvato è in progetto.non-salvato-"),
        std::string::npos)
        << tutto;
    EXPECT_EQ(ReadFile(dir / "progetto.json"), altrui);
    std::vector<fs::path> accanto;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().filename().string().starts_with("progetto.non-salvato-"))
            accanto.push_back(e.path());
    ASSERT_EQ(accanto.size(), 1u);
    EXPECT_NE(ReadFile(accanto[0]).find("\"nota\": \"mia\""), std::string::npos);
}
