// What a check finding points at in the drawing, and which editor opens its row.
#include "app/Indica.h"

#include "app/Check.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using host::EditorDellaRiga;
using host::NomiNelDettaglio;
using Nomi = std::vector<std::string>;

TEST(Indica, NamesInTheDetailOfAFinding) {
    const struct {
        const char* dettaglio;
        Nomi nomi;
    } casi[] = {
        {"Nome Stazione: S1", {"S1"}},
        {"Nome Punto: PF02/0120/G337", {"PF02/0120/G337"}},
        {"Punto: 101", {"101"}},
        {"Nome vertice baseline iniziale GPS: PF03/0120/G337", {"PF03/0120/G337"}},
        {"Nota altimetrica del punto: PF04/0120/G337", {"PF04/0120/G337"}},
        {"Coord. X di: 105", {"105"}},
        {"Identificativo Punto Stazione: 999", {"999"}},
        {"Allineamento: 14-13, Nome Punto: 22, Squadro:3.000 m >= a 3 m", {"14", "13", "22"}},
        {"Stazioni: 100 - 200;", {"100", "200"}},
        // Values that are not names, and names left empty.
        {"Nota: 77", {}},
        {"Quota - attendibilità: ", {}},
        {"Identificativo punto: ", {}},
        {"Mappale: 245", {}},
        {"Nome Particella: A", {}},
        {"Superficie cartografica: 1020.0000 Superficie censuaria: 1050.0000 Natura: reale", {}},
        {"Progressiva ", {}},
        {"--", {}},
        {"", {}},
    };
    for (const auto& c : casi)
        EXPECT_EQ(NomiNelDettaglio(c.dettaglio), c.nomi) << c.dettaglio;
}

TEST(Indica, TheEditorOfARow) {
    const struct {
        const char* tipo;
        std::optional<int> riga;
        const char* strumento;
        const char* azione;
    } casi[] = {
        {"0", std::nullopt, "FPregeoEditRiga0", ""},
        {"9", std::nullopt, "FPregeoEditRiga9", ""},
        {"3", 1, "FPregeoEditRiga3", "tap 2373 1 2"},
        {"4", 7, "FPregeoEditRiga4And5", "tap 2373 7 2"},
        {"4L", 5, "FPregeoEditRiga4And5", "tap 2373 5 2"},
        {"5L", 6, "FPregeoEditRiga4And5", "tap 2373 6 2"},
        {"7", 3, "FPregeoEditRiga7", "tap 2373 3 2"},
        {"8", 8, "FPregeoEditRiga8", "tap 2373 8 2"},
        // A list editor needs the row; stations, observations and notes have no editor of their own.
        {"8", std::nullopt, "", ""},
        {"3", 0, "", ""},
        {"1", std::nullopt, "", ""},
        {"2", std::nullopt, "", ""},
        {"6", 3, "", ""},
        {"", std::nullopt, "", ""},
    };
    for (const auto& c : casi) {
        const host::EditorDiRiga e = EditorDellaRiga(c.tipo, c.riga);
        EXPECT_EQ(e.strumento, c.strumento) << c.tipo;
        EXPECT_EQ(e.azione, c.azione) << c.tipo;
    }
}

// On the faulty sample: a finding that names no point points at its row's own points or its row 7.
TEST(Indica, FindingsOfTheCheckerSample) {
    auto project = host::Project::Load("samples/checker");
    project->Activate();
    const auto doc = host::ControlloIndicato(*project);
    const struct {
        const char* tipo;
        int riga; // 0: none
        int codice;
        Nomi nomi;
        int riga7;
        const char* strumento;
    } casi[] = {
        {"1", 0, 56, {"500"}, 0, nullptr},
        {"3", 1, 37, {"101", "102"}, 0, "FPregeoEditRiga3"},
        {"3", 1, 36, {"101"}, 0, "FPregeoEditRiga3"},
        {"4", 1, 40, {"101"}, 0, "FPregeoEditRiga4And5"},
        {"5", 3, 14, {}, 0, "FPregeoEditRiga4And5"},
        {"4L", 5, 36, {"999"}, 0, "FPregeoEditRiga4And5"},
        {"7", 2, 95, {}, 2, "FPregeoEditRiga7"},
        {"8", 4, 43, {"PF04/0120/G337"}, 0, "FPregeoEditRiga8"},
        {"6", 3, 15, {}, 0, nullptr},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(std::string(c.tipo) + " " + std::to_string(c.riga) + " " + std::to_string(c.codice));
        const nlohmann::ordered_json* trovata = nullptr;
        for (const auto& v : doc.at("voci"))
            if (v.at("tipoRiga") == c.tipo && v.at("codice") == c.codice &&
                (c.riga ? v.at("riga") == c.riga : v.at("riga").is_null()) && !trovata)
                trovata = &v;
        ASSERT_NE(trovata, nullptr);
        const auto& ind = trovata->at("indica");
        EXPECT_EQ(ind.at("nomi").get<Nomi>(), c.nomi);
        EXPECT_EQ(ind.at("riga7"), c.riga7 ? nlohmann::ordered_json(c.riga7) : nlohmann::ordered_json());
        EXPECT_EQ(ind.at("strumento"),
                  c.strumento ? nlohmann::ordered_json(c.strumento) : nlohmann::ordered_json());
    }
    // The report itself is check --json's: only "indica" is added.
    auto senza = doc;
    for (auto& v : senza.at("voci"))
        v.erase("indica");
    EXPECT_EQ(senza, host::ControlloInJson(*project));
}
