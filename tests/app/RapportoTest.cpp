// The report's gathering: what each tolerance tool finds on the samples, and the page that holds it.
#include "app/Rapporto.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <utility>

using testing::HasSubstr;

namespace {

std::map<std::string, std::pair<int, int>> Conti(const host::rapporto::Rapporto& r) {
    std::map<std::string, std::pair<int, int>> conti;
    for (const auto& e : r.esami) {
        auto& [in, fuori] = conti[e.funzione];
        for (const auto& v : e.voci)
            ++(v.inTolleranza ? in : fuori);
    }
    return conti;
}

} // namespace

TEST(Rapporto, EachToolJudgesTheSamplesAsItsExportDoes) {
    using Conto = std::map<std::string, std::pair<int, int>>;
    const struct {
        const char* cartella;
        Conto atteso;
        int conDisegno;
    } casi[] = {
        {"samples/tolleranze",
         {{"FPregeoTollStazOutTriang", {1, 1}},
          {"FPregeoTollOggRilievoSup", {3, 1}},
          {"FPregeoTollAllineamenti", {3, 1}},
          {"FPregeoTollDistStazioni", {0, 1}},
          {"FPregeoTollSuperfici", {3, 1}}},
         4},
        // A correct booklet: nothing out, stations all inside the mesh.
        {"samples/demo",
         {{"FPregeoTollStazOutTriang", {0, 0}},
          {"FPregeoTollOggRilievoSup", {2, 0}},
          {"FPregeoTollAllineamenti", {3, 0}},
          {"FPregeoTollDistStazioni", {0, 0}},
          {"FPregeoTollSuperfici", {2, 0}}},
         4},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.cartella);
        auto project = host::Project::Load(c.cartella);
        project->Activate();
        const host::rapporto::Rapporto r = host::rapporto::Raccogli(*project);
        EXPECT_EQ(Conti(r), c.atteso);
        int disegni = 0;
        for (const auto& e : r.esami)
            disegni += e.svg.empty() ? 0 : 1;
        EXPECT_EQ(disegni, c.conDisegno);
        EXPECT_THAT(r.disegno, testing::StartsWith("<svg"));
        ASSERT_EQ(r.nonEseguiti.size(), 2u);
        EXPECT_EQ(r.nonEseguiti[0].first, "FPregeoTollDistanze");
        EXPECT_EQ(r.nonEseguiti[1].first, "FPregeoTollOggRilievoDist");
    }
}

// No mesh: the mesh tools say so; what the booklet says is written as text, never as markup; the
// pictures' ids are each their own.
TEST(Rapporto, WithoutAMeshAndWithMarkupInTheBooklet) {
    host::Project project;
    project.nome = "Lotto <b>\"A\" & B</b>";
    const host::rapporto::Rapporto r = host::rapporto::Raccogli(project);
    EXPECT_EQ(r.esami[0].nota, "Non è stata trovata una maglia fiduciale valida per il calcolo.");
    EXPECT_TRUE(r.esami[0].svg.empty());
    const std::string html = host::rapporto::Html(r);
    EXPECT_THAT(html, HasSubstr("<h1>Lotto &lt;b&gt;&quot;A&quot; &amp; B&lt;/b&gt;</h1>"));
    EXPECT_THAT(html, testing::Not(HasSubstr("<b>")));
    EXPECT_THAT(html, HasSubstr("id=\"rilievo-area\""));
    EXPECT_THAT(html, HasSubstr("url(#rilievo-area)"));
    EXPECT_THAT(html, testing::Not(HasSubstr("id=\"area\"")));
}
