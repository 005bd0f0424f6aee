// What the tools that judge a person's picks showed, read back from their result dialogs for the drawing.
#include "app/Esiti.h"

#include <gtest/gtest.h>

using host::EsitiMostrati;
using host::EsitoMostrato;
using Json = nlohmann::json;

namespace {

Json Cella(const char* t, int img = -1) {
    Json c{{"t", t}};
    if (img >= 0)
        c["img"] = {{"n", img}};
    return c;
}

// The distance tool's results, on a page of the dialog as the state gives it.
Json Distanze(std::vector<Json> righe) {
    return {
        {"id", 12104},
        {"controlli",
         {{{"id", 12108}, {"tipo", "pagina"}, {"controlli", Json::array()}},
          {{"id", 2733}, {"tipo", "griglia"}, {"griglia", {{"fisse", 1}, {"righe", std::move(righe)}}}}}}};
}
const Json kTitoli = {Cella("N."),      Cella("Esito"), Cella("1°Punto"),
                      Cella("2°Punto"), Cella("Toll."), Cella("Diff.")};

Json Oggetto(const char* esito, const char* interno) {
    Json righe = {{Cella("Punto"), Cella("Nome")},
                  {Cella("Pt.Esterno"), Cella("400")},
                  {Cella("Pt.Fiduc.1"), Cella("PF01/0120/G337")},
                  {Cella("Pt.Fiduc.2"), Cella("PF02/0120/G337")},
                  {Cella("Pt.Interno"), Cella(interno)}};
    return {{"id", 12224},
            {"controlli",
             {{{"id", 2299}, {"tipo", "testo"}, {"testo", "15.368"}},
              {{"id", 2300}, {"tipo", "testo"}, {"testo", "38.485"}},
              {{"id", 2301}, {"tipo", "testo"}, {"testo", "4.610"}},
              {{"id", 2302}, {"tipo", "testo"}, {"testo", esito}},
              {{"id", 2352}, {"tipo", "griglia"}, {"griglia", {{"fisse", 1}, {"righe", righe}}}}}}};
}

using Attesi = std::vector<std::pair<std::vector<std::string>, bool>>;
Attesi Di(const std::vector<EsitoMostrato>& esiti) {
    Attesi out;
    for (const auto& e : esiti)
        out.emplace_back(e.nomi, e.inTolleranza);
    return out;
}

} // namespace

TEST(Esiti, OutcomesReadFromTheResultDialogs) {
    const Json unaCoppia =
        Distanze({kTitoli,
                  {Cella("1"), Cella("", 0), Cella("PF01"), Cella("11 "), Cella("0.450"), Cella("0.012")},
                  {Cella("2"), Cella("", 1), Cella("PF01"), Cella("PF03"), Cella("2.000"), Cella("2.5")},
                  // Nothing to compare with: no outcome, nothing judged.
                  {Cella("3"), Cella(""), Cella("PF01"), Cella("12"), Cella(""), Cella("")}});
    const Json senzaEsito = Distanze(
        {{Cella("N."), Cella("1°Punto"), Cella("2°Punto")}, {Cella("1"), Cella("PF01"), Cella("11")}});
    const struct {
        const char* strumento;
        std::vector<Json> finestre;
        Attesi attesi;
    } casi[] = {
        {"FPregeoTollDistanze",
         {senzaEsito, unaCoppia, unaCoppia},
         {{{"PF01", "11"}, true}, {{"PF01", "PF03"}, false}}},
        {"FPregeoTollDistanze", {senzaEsito}, {}},
        {"FPregeoTollOggRilievoDist",
         {Oggetto("Fuori tolleranza", "33"), Oggetto("Fuori tolleranza", "33"),
          Oggetto("In tolleranza", "11")},
         {{{"400", "PF01/0120/G337", "PF02/0120/G337", "33"}, false},
          {{"400", "PF01/0120/G337", "PF02/0120/G337", "11"}, true}}},
        // No outcome in words yet, another tool's dialogs, or no dialog that reads.
        {"FPregeoTollOggRilievoDist", {Oggetto("", "33"), unaCoppia, Json("rotto")}, {}},
        {"FPregeoTollSuperfici", {unaCoppia, Oggetto("In tolleranza", "11")}, {}},
    };
    for (const auto& c : casi)
        EXPECT_EQ(Di(EsitiMostrati(c.strumento, c.finestre)), c.attesi) << c.strumento;
    EXPECT_EQ(EsitiMostrati("FPregeoTollDistanze", {unaCoppia})[1].testo, "Diff. 2.5, Toll. 2.000");
}

// Drawn where the survey has the points; a name it does not know draws nothing.
TEST(Esiti, DrawnOverTheSurvey) {
    auto project = host::Project::Load("samples/tolleranze");
    host::cad::Sovrapposizione sopra;
    host::DisegnaEsitiMostrati("FPregeoTollDistanze",
                               {{{"PF01/0120/G337", "PF02/0120/G337"}, true, "Diff. 0.012, Toll. 0.450"},
                                {{"PF01/0120/G337", "nessuno"}, false, ""}},
                               *project, sopra);
    ASSERT_EQ(sopra.forme.size(), 1u);
    EXPECT_EQ(sopra.forme[0].classe, "distanza in-tolleranza");
    EXPECT_EQ(sopra.legenda.size(), 1u);

    host::cad::Sovrapposizione oggetto;
    host::DisegnaEsitiMostrati("FPregeoTollOggRilievoDist",
                               {{{"400", "PF01/0120/G337", "PF02/0120/G337", "33"}, false, ""},
                                {{"400", "PF01/0120/G337", "PF02/0120/G337", "11"}, true, ""}},
                               *project, oggetto);
    ASSERT_EQ(oggetto.forme.size(), 1u); // the side once
    ASSERT_EQ(oggetto.anelli.size(), 4u);
    EXPECT_EQ(oggetto.anelli[1].classe, "interno fuori-tolleranza");
    EXPECT_EQ(oggetto.anelli[3].classe, "interno in-tolleranza");
}
