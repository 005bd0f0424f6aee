// pregeo-host check: the booklet checker's list as the surveyor and other programs read it.
#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using json = nlohmann::json;

namespace {

struct Esito {
    int status;
    std::string out;
};

Esito Host(const std::string& args) {
    const char* bin = std::getenv("PREGEO_BIN");
    const std::string cmd =
        std::string(bin ? bin : "build/test/bin") + "/pregeo-host " + args + " 2>/dev/null";
    Esito r{0, {}};
    FILE* p = ::popen(cmd.c_str(), "r");
    std::array<char, 4096> buf{};
    std::size_t n = 0;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0)
        r.out.append(buf.data(), n);
    const int status = ::pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

json Leggi(const fs::path& p) {
    std::ifstream in(p);
    return json::parse(in);
}

} // namespace

// The sample written to set off every check family gives the reviewed list, entry by entry.
TEST(CheckCommand, CampioneDiOgniFamiglia) {
    const Esito r = Host("--project samples/checker check --json");
    ASSERT_EQ(r.status, 1) << r.out;
    const json doc = json::parse(r.out);
    EXPECT_EQ(doc["titolo"], "Libretto Pregeo - Errori e Avvertimenti sul libretto delle misure");
    EXPECT_EQ(doc["opzioneVista1"], true);
    EXPECT_EQ(doc["opzioneVista2"], true);
    const json attese = Leggi("tests/host/app/checker_atteso.json");
    const json& voci = doc["voci"];
    ASSERT_EQ(voci.size(), attese.size());
    int avvisi = 0;
    for (std::size_t i = 0; i < voci.size(); ++i) {
        EXPECT_EQ(voci[i]["testo"], attese[i]["testo"]) << i;
        EXPECT_EQ(voci[i]["errore"], attese[i]["errore"]) << i;
        avvisi += voci[i]["errore"].get<bool>() ? 0 : 1;
    }
    EXPECT_EQ(doc["avvertimenti"], avvisi);
    EXPECT_EQ(doc["errori"], static_cast<int>(voci.size()) - avvisi);

    // Every family has its say: header, row 9, GPS, stations, each row view, orientation points.
    for (const char* parte : {"Tipo Riga: 0 ", "Tipo Riga: 9 ", "Nome Stazione GPS: ", "Nome Stazione: ",
                              "- Vista Riga 3: ", "Tipo Riga: 4L ", "Tipo Riga: 5 ", "Tipo Riga: 6 ",
                              "- Vista Riga 7: ", "- Vista Punti di Orientamento Pregeo: "}) {
        bool trovata = false;
        for (const auto& v : voci)
            trovata = trovata || v["testo"].get<std::string>().find(parte) != std::string::npos;
        EXPECT_TRUE(trovata) << parte;
    }
}

TEST(CheckCommand, TestoLeggibile) {
    const Esito r = Host("--project samples/checker check");
    ASSERT_EQ(r.status, 1);
    EXPECT_EQ(r.out.find('\r'), std::string::npos) << "line breaks are shown as such";
    EXPECT_EQ(r.out.rfind("Libretto Pregeo - Errori e Avvertimenti sul libretto delle misure\n", 0), 0u);
    EXPECT_NE(
        r.out.find("[E] Errore! - Libretto Pregeo: Tipo Riga: 0 - Codice comune: g337  -> Motivo: \n    Il "
                   "codice del comune è composto da 4 o 5 caratteri alfanumerici.\n"),
        std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("[A] Attenzione! - Libretto Pregeo: Tipo Riga: 9 - Nota: "), std::string::npos);
    const json doc = json::parse(Host("--project samples/checker check --json").out);
    const std::string conti = "Errori: " + std::to_string(doc["errori"].get<int>()) +
                              ", avvertimenti: " + std::to_string(doc["avvertimenti"].get<int>()) + "\n";
    EXPECT_EQ(r.out.substr(r.out.size() - conti.size()), conti);
}

TEST(CheckCommand, DemoEStatiDiUscita) {
    const Esito demo = Host("--project samples/demo check --json");
    EXPECT_EQ(demo.status, 1);
    EXPECT_FALSE(json::parse(demo.out)["voci"].empty());

    // A booklet of the old format is not checked: an empty list, and no error.
    const fs::path dir = fs::temp_directory_path() / ("pregeo-check-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::copy("samples/demo", dir, fs::copy_options::recursive);
    json progetto = Leggi(dir / "progetto.json");
    progetto["libretto"]["versionePregeo"] = 1007;
    std::ofstream(dir / "progetto.json") << progetto.dump(2);
    const Esito vuoto = Host("--project " + dir.string() + " check");
    EXPECT_EQ(vuoto.status, 0) << vuoto.out;
    EXPECT_NE(vuoto.out.find("Errori: 0, avvertimenti: 0"), std::string::npos) << vuoto.out;
    fs::remove_all(dir);

    EXPECT_EQ(Host("--project /nessuna/cartella check").status, 2);
    EXPECT_EQ(Host("--project /nessuna/cartella check --json").status, 2);
}
