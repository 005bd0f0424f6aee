// pregeo-host check: the booklet checker's list as the surveyor and other programs read it.
#include "tests/support/Comando.h"
#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using json = nlohmann::json;

namespace {

using prova::Esito;

Esito Host(const std::string& args) {
    return prova::Esegui("pregeo-host", args, false);
}

std::string Leggi(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// An entry's text as the checker composes it from the parts the JSON report gives.
std::string Componi(const json& v) {
    std::string t = v["errore"].get<bool>() ? "Errore! " : "Attenzione! ";
    if (!v["vista"].is_null())
        t += "- " + v["vista"].get<std::string>() + ": ";
    if (!v["riga"].is_null())
        t += "Numero Riga: " + std::to_string(v["riga"].get<int>()) + " - ";
    const std::string tipo = v["tipoRiga"], dettaglio = v["dettaglio"];
    if (tipo.empty())
        t += dettaglio + " \r";
    else
        t += "Tipo Riga: " + tipo + (dettaglio.empty() ? "" : " -") + " " + dettaglio + "  -> Motivo: \r";
    return t + v["motivo"].get<std::string>();
}

} // namespace

// The sample written to set off every check family gives the reviewed report, and every entry's text is the
// one its parts compose.
TEST(CheckCommand, CampioneDiOgniFamiglia) {
    const Esito r = Host("--project samples/checker check --json");
    ASSERT_EQ(r.status, 1) << r.out;
    const json doc = json::parse(r.out);
    EXPECT_EQ(doc, json::parse(Leggi("tests/app/checker_atteso.json")));
    int errori = 0;
    for (const auto& v : doc["voci"]) {
        EXPECT_EQ(v["testo"], Componi(v));
        errori += v["errore"].get<bool>() ? 1 : 0;
    }
    EXPECT_EQ(doc["errori"], errori);
    EXPECT_EQ(doc["avvertimenti"], doc["voci"].size() - errori);

    // Every family has its say: header, row 9, GPS, stations, each row view, orientation points.
    for (const char* parte : {"Tipo Riga: 0 ", "Tipo Riga: 9 ", "Nome Stazione GPS: ", "Nome Stazione: ",
                              "- Vista Riga 3: ", "Tipo Riga: 4L ", "Tipo Riga: 5 ", "Tipo Riga: 6 ",
                              "- Vista Riga 7: ", "- Vista Punti di Orientamento Pregeo: "}) {
        bool trovata = false;
        for (const auto& v : doc["voci"])
            trovata = trovata || v["testo"].get<std::string>().find(parte) != std::string::npos;
        EXPECT_TRUE(trovata) << parte;
    }

    // The readable form: the entries in the order of the run, "\r" as line breaks, counts per view.
    const Esito testo = Host("--project samples/checker check");
    EXPECT_EQ(testo.status, 1);
    EXPECT_EQ(testo.out, Leggi("tests/app/checker_atteso.txt"));
}

// The demo is a correct booklet, and what calcola-demo computes from its coordinates.
TEST(CheckCommand, DemoCorretto) {
    const Esito r = Host("--project samples/demo check");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "Libretto Pregeo - Errori e Avvertimenti sul libretto delle misure\n"
                     "Nessun errore e nessun avvertimento.\nErrori: 0, avvertimenti: 0\n");
    const Esito demo = Host("--project samples/demo demo");
    EXPECT_EQ(demo.out.substr(demo.out.size() - 27), "Errori: 0, avvertimenti: 0\n");
    EXPECT_NE(
        demo.out.find("FPregeoEditRiga0            Riga 0: intestazione del libretto (archivio e tecnico)\n"
                      "                              apre la finestra \"Riga 0\""),
        std::string::npos)
        << demo.out;

    const fs::path dir = fs::temp_directory_path() / ("pregeo-check-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::copy("samples/demo", dir, fs::copy_options::recursive);
    EXPECT_EQ(prova::Esegui("calcola-demo", dir.string()).status, 0);
    EXPECT_EQ(Leggi(dir / "progetto.json"), Leggi("samples/demo/progetto.json"));
    fs::remove_all(dir);
}

// Several folders: one report each, a summary, and the worst status.
TEST(CheckCommand, PiuCartelle) {
    const Esito r = Host("check samples/demo samples/checker /nessuna/cartella");
    EXPECT_EQ(r.status, 2);
    const json checker = json::parse(Leggi("tests/app/checker_atteso.json"));
    EXPECT_EQ(r.out,
              "== samples/demo\n" + Host("--project samples/demo check").out + "\n== samples/checker\n" +
                  Leggi("tests/app/checker_atteso.txt") +
                  "\n== /nessuna/cartella\nProgetto non valido: /nessuna/cartella/progetto.json: il file "
                  "non si può leggere\n\nLibretti controllati: 3 (con errori: 1, non validi: 1); errori: 45, "
                  "avvertimenti: 5\n");

    const Esito j = Host("--project samples/checker check --json samples/demo");
    EXPECT_EQ(j.status, 1);
    const json doc = json::parse(j.out);
    EXPECT_EQ(doc["libretti"][0], checker);
    EXPECT_EQ(doc["libretti"][1]["voci"], json::array());
    EXPECT_EQ(
        doc["riepilogo"],
        json::parse(R"({"libretti": 2, "conErrori": 1, "nonValidi": 0, "errori": 45, "avvertimenti": 5})"));

    EXPECT_EQ(Host("--project /nessuna/cartella check --json").status, 2);
    EXPECT_EQ(Host("check").status, 2);
}
