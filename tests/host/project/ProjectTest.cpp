#include "host/project/Project.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {

std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

const std::string kSample = "samples/demo/progetto.json";

// The sample with one change, as text.
std::string Mutated(const std::function<void(nlohmann::ordered_json&)>& change) {
    auto doc = nlohmann::ordered_json::parse(ReadFile(kSample));
    change(doc);
    return doc.dump(2);
}

} // namespace

TEST(Project, SampleLoadsAndSavesByteForByte) {
    const std::string original = ReadFile(kSample);
    auto project = host::Project::Load("samples/demo");
    EXPECT_EQ(project->Serialize(), original);
    EXPECT_EQ(project->cts.GetCdCm(), u"G337");
    EXPECT_EQ(project->cmp.GetOriArSize(), 5);
    EXPECT_EQ(project->cmp.GetJobArSize(), 2);
    EXPECT_EQ(project->gps.GetGrpArSize(), 1);
    EXPECT_TRUE(project->gps.GetCurrValidConvCoord() != nullptr);
    EXPECT_TRUE(project->ricevitore.HaPosizione());
    EXPECT_EQ(project->cts.m_Righe45.GetRigAt(1)->GetTipoRiga(), '5');
}

TEST(Project, EditsSurviveARoundTrip) {
    auto project = host::Project::Load("samples/demo");
    project->cts.SetMapp(u"245-città");
    project->cts.GetRiga9()->SetDatoRea1(REALE_INDEFINITO);
    project->cmp.GetOriAt(0)->SetCodeNP(true);
    const std::string text = project->Serialize();
    auto again = host::Project::Parse(text, "x");
    EXPECT_EQ(again->cts.GetMapp(), u"245-città");
    EXPECT_EQ(again->cts.GetRiga9()->GetDatoRea1(), REALE_INDEFINITO);
    EXPECT_TRUE(again->cmp.GetOriAt(0)->IsCodedNP());
    EXPECT_EQ(again->Serialize(), text);
}

TEST(Project, MalformedFilesNameThePlaceAndWhatWasExpected) {
    using J = nlohmann::ordered_json;
    const struct {
        std::function<void(J&)> change;
        const char* where;
        const char* what;
    } cases[] = {
        {[](J& d) { d["libretto"].erase("intestazione"); }, "/libretto/intestazione", "manca il campo"},
        {[](J& d) { d["libretto"]["intestazione"]["Anno"] = 26; }, "/libretto/intestazione/Anno",
         "atteso un testo"},
        {[](J& d) { d["libretto"]["righe45"][1]["rea1"] = "12"; }, "/libretto/righe45/1/rea1",
         "atteso un numero"},
        {[](J& d) { d["libretto"]["righe45"][0]["tipo"] = "7"; }, "/libretto/righe45/0/tipo", "non ammesso"},
        {[](J& d) { d["libretto"]["tipo"] = 2; }, "/libretto/tipo", "atteso un intero da 0 a 1"},
        {[](J& d) { d["lavori"][0]["stazioni"][0]["punti"][2]["codici"] = J::array({"XX"}); },
         "/lavori/0/stazioni/0/punti/2/codici/0", "codice sconosciuto"},
        {[](J& d) { d["gps"]["conversione"]["sistema"] = "nessuno"; }, "/gps/conversione/sistema", "sistema"},
        {[](J& d) { d["gps"]["gruppoCorrente"] = 5; }, "/gps/gruppoCorrente", "atteso un intero"},
        {[](J& d) { d["formato"] = "altro"; }, "/formato", "pregeo-host/progetto"},
        {[](J& d) { d = J::array(); }, "/", "atteso un oggetto"},
    };
    for (const auto& c : cases) {
        try {
            host::Project::Parse(Mutated(c.change), "progetto.json");
            ADD_FAILURE() << "accepted: " << c.where;
        } catch (const host::ProjectError& e) {
            const std::string msg = e.what();
            EXPECT_NE(msg.find(std::string("progetto.json: ") + c.where), std::string::npos) << msg;
            EXPECT_NE(msg.find(c.what), std::string::npos) << msg;
        }
    }
    EXPECT_THROW(host::Project::Parse("{\"formato\": ", "p.json"), host::ProjectError);
    EXPECT_THROW(host::Project::Load("samples/nessun-progetto"), host::ProjectError);
}
