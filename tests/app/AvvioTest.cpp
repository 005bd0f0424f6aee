// What a command loads: the parts with a large library of their own (PROJ, libcurl, cairo and fontconfig,
// libedit, the HTTP server) only when the command needs them, so that starting one costs only what it uses.
#include "host/core/Parti.h"
#include "tests/support/Comando.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Leggi(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The shared objects the program loaded (the dynamic linker's own account), by file name.
std::set<std::string> Caricati(const std::string& args, const fs::path& cartella) {
    fs::remove_all(cartella);
    fs::create_directories(cartella);
    const std::string traccia = (cartella / "ld").string();
    ::setenv("LD_DEBUG", "files", 1);
    ::setenv("LD_DEBUG_OUTPUT", traccia.c_str(), 1);
    const prova::Esito r = prova::Esegui("pregeo-host", args);
    ::unsetenv("LD_DEBUG");
    ::unsetenv("LD_DEBUG_OUTPUT");
    EXPECT_LE(r.status, 1) << args << "\n" << r.out;
    std::set<std::string> nomi;
    // One trace per process: the shell's and the program's.
    for (const auto& e : fs::directory_iterator(cartella)) {
        if (e.path().filename().string().rfind("ld.", 0) != 0)
            continue;
        const std::string testo = Leggi(e.path());
        for (std::size_t at = testo.find("file="); at != std::string::npos;
             at = testo.find("file=", at + 1)) {
            const std::size_t fine = testo.find_first_of(" \t\n", at);
            nomi.insert(fs::path(testo.substr(at + 5, fine - at - 5)).filename().string());
        }
    }
    return nomi;
}

bool Carica(const std::set<std::string>& nomi, const std::string& inizio) {
    for (const std::string& n : nomi)
        if (n.rfind(inizio, 0) == 0)
            return true;
    return false;
}

const std::vector<std::string> kGrandi = {"libcurl",
                                          "libproj",
                                          "libcairo",
                                          "libfontconfig",
                                          "libedit",
                                          "libssl",
                                          "libcpp-httplib",
                                          "libgdal",
                                          "libpregeo-rete",
                                          "libpregeo-figure",
                                          "libpregeo-terminale",
                                          "libpregeo-serve",
                                          "libpregeo-esporta",
                                          "libpregeo-coordinate"};

// The demo without a coordinate system: reading the project then recognises none with PROJ.
fs::path DemoSenzaSistema(const fs::path& dove) {
    fs::remove_all(dove);
    fs::create_directories(dove.parent_path());
    fs::copy("samples/demo", dove, fs::copy_options::recursive);
    std::string progetto = Leggi(dove / "progetto.json");
    const std::string chiave = "\"sistema\": \"";
    const std::size_t at = progetto.find(chiave);
    if (at != std::string::npos)
        progetto.erase(at + chiave.size(), progetto.find('"', at + chiave.size()) - at - chiave.size());
    std::ofstream(dove / "progetto.json", std::ios::binary | std::ios::trunc) << progetto;
    return dove;
}

} // namespace

// A command loads a part only when it does what needs it; the others start with none of the large
// libraries. A project's coordinate system is recognised by PROJ when the project is read.
TEST(Avvio, OgniComandoCaricaSoloLeSueParti) {
    const fs::path tmp = fs::temp_directory_path() / ("pregeo-avvio-" + std::to_string(::getpid()));
    const fs::path senza = DemoSenzaSistema(tmp / "demo");
    struct Caso {
        std::string args;
        std::set<std::string> usate; // of kGrandi, every one of these and no other
    };
    const std::vector<Caso> casi = {
        {"--project " + senza.string() + " check", {}},
        {"--project " + senza.string() + " disegno " + (tmp / "d.svg").string(), {}},
        {"--project samples/demo check", {"libproj", "libcurl", "libpregeo-coordinate"}},
        {"--project " + senza.string() + " disegno " + (tmp / "d.png").string(),
         {"libcairo", "libfontconfig", "libpregeo-figure"}},
    };
    for (const Caso& c : casi) {
        const std::set<std::string> nomi = Caricati(c.args, tmp / "traccia");
        for (const std::string& g : kGrandi)
            EXPECT_EQ(Carica(nomi, g), c.usate.count(g) > 0) << c.args << ": " << g;
    }
    fs::remove_all(tmp);
}

// A part that is not there, or lacks the function asked for, is told in Italian, not a crash.
TEST(Avvio, ParteMancante) {
    std::string motivo;
    EXPECT_EQ(host::FunzioneDiParte("inesistente", "PregeoNulla", motivo), nullptr);
    EXPECT_NE(motivo.find("libpregeo-inesistente.so non si carica"), std::string::npos) << motivo;
    motivo.clear();
    EXPECT_EQ(host::FunzioneDiParte("coordinate", "PregeoNulla", motivo), nullptr);
    EXPECT_EQ(motivo, "la parte del programma libpregeo-coordinate.so non ha la funzione PregeoNulla");
    EXPECT_NE(host::FunzioneDiParte("coordinate", "PregeoCoordinateTrasformazione", motivo), nullptr);
}
