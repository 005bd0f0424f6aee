#include "host/project/Project.h"
#include "host/project/Storia.h"

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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
        // What a person wrote is never dropped by the next save: an unknown field is refused.
        {[](J& d) { d["libretto"]["note"] = "mie"; }, "/libretto/note", "campo sconosciuto"},
        {[](J& d) { d["libretto"]["riga9"]["tipo"] = "9"; }, "/libretto/riga9/tipo", "campo sconosciuto"},
        {[](J& d) { d["lavori"][1]["stazioni"][0]["punti"][0]["extra"] = J::object(); },
         "/lavori/1/stazioni/0/punti/0/extra", "campo sconosciuto"},
        // No survey has a coordinate beyond a million kilometres; the polygon library overflowed on one.
        {[](J& d) { d["puntiOrientamento"][0]["y"] = 1e101; }, "/puntiOrientamento/0/y",
         "attesa una coordinata da -1e9 a 1e9 o null"},
        {[](J& d) { d["lavori"][0]["stazioni"][0]["punti"][1]["z"] = -1.5e9; },
         "/lavori/0/stazioni/0/punti/1/z", "attesa una coordinata"},
        {[](J& d) { d["gps"]["gruppi"][0]["geocentriche"][2] = 2e9; }, "/gps/gruppi/0/geocentriche/2",
         "attesa una coordinata"},
        // An unsigned value beyond the signed range must not wrap to -1.
        {[](J& d) { d["puntiOrientamento"][0]["tipoPunto"] = 18446744073709551615ull; },
         "/puntiOrientamento/0/tipoPunto", "atteso un intero da -1 a 3"},
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

// Texts no JSON library call should turn into anything but a ProjectError with its path.
TEST(Project, HostileTextsAreRefusedWithTheirPath) {
    std::string rea1 = ReadFile(kSample);
    const auto at = rea1.find("\"rea1\": ") + 8;
    rea1.replace(at, rea1.find(',', at) - at, "1e400");
    const std::string deep = "{\"formato\": " + std::string(100000, '[') + std::string(100000, ']') + "}";
    const struct {
        std::string text;
        const char* where;
        const char* what;
    } cases[] = {
        {"1e400", "/", "number overflow"},
        {rea1, "/libretto/righe3/0/rea1", "number overflow"},
        {"{\"formato\": [1, -1e400]}", "/formato/1", "number overflow"},
        {deep, "/formato/0/0/0/0", "annidamento troppo profondo"},
        {std::string(1000000, '['), "/0/0/0", "annidamento troppo profondo"},
        {"{\"formato\": \"a\", \"nome\": {\"x\": 1, \"x\": 2}}", "/nome/x", "campo ripetuto"},
    };
    for (const auto& c : cases) {
        try {
            host::Project::Parse(c.text, "progetto.json");
            ADD_FAILURE() << "accepted: " << c.where;
        } catch (const host::ProjectError& e) {
            const std::string msg = e.what();
            EXPECT_EQ(msg.find(std::string("progetto.json: ") + c.where), 0u) << msg.substr(0, 300);
            EXPECT_NE(msg.find(c.what), std::string::npos) << msg.substr(0, 300);
        }
    }
}

// A save that cannot be made says why and leaves the old file as it was (the read-only file is in the
// command line tests). The file size limit stands in for a full disk, which a test cannot make.
TEST(Project, FailedSavesSayWhyAndKeepTheOldFile) {
    const auto dir = std::filesystem::temp_directory_path() / ("pregeo-salva-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::copy("samples/demo", dir, std::filesystem::copy_options::recursive);
    const auto file = dir / "progetto.json";
    const std::string before = ReadFile(file);
    auto project = host::Project::Load(dir);
    project->nome = "cambiato";
    std::string why;
    struct rlimit limit {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const auto previous = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = limit;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = project->Save(&why);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::signal(SIGXFSZ, previous);
    EXPECT_FALSE(saved);
    EXPECT_EQ(why, "progetto.json: il file supera la dimensione consentita");
    EXPECT_EQ(ReadFile(file), before);
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
        EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << "a temporary file was left";

    EXPECT_TRUE(project->Save(&why));
    EXPECT_NE(ReadFile(file).find("\"nome\": \"cambiato\""), std::string::npos);
    std::filesystem::remove_all(dir);
}

// A save writes only what changed, only over the text it read, and sweeps away what saves killed earlier
// left behind; someone else's edit in between is kept, and what this save would have written goes beside.
TEST(Project, SavesKeepAnotherEditAndSweepLeftovers) {
    const auto dir = std::filesystem::temp_directory_path() / ("pregeo-altrui-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::copy("samples/demo", dir, std::filesystem::copy_options::recursive);
    const auto file = dir / "progetto.json";
    const auto inode = [&] {
        struct stat st {};
        ::stat(file.c_str(), &st);
        return st.st_ino;
    };
    auto project = host::Project::Load(dir);
    std::string why;
    const auto prima = inode();
    EXPECT_TRUE(project->Save(&why)) << why; // nothing changed: nothing written
    EXPECT_EQ(inode(), prima);

    // Leftovers of saves killed half way: only the save's own pattern, of processes no longer running.
    const pid_t morto = ::fork();
    if (morto == 0)
        ::_exit(0);
    ::waitpid(morto, nullptr, 0);
    const std::string avanzo = "progetto.json.tmp" + std::to_string(morto);
    for (const std::string& nome :
         {avanzo, std::string("progetto.json.tmpx1"), std::string("altro.json.tmp1"),
          "progetto.json.tmp" + std::to_string(::getppid())})
        std::ofstream(dir / nome) << "{";
    project->nome = "primo";
    EXPECT_TRUE(project->Save(&why)) << why;
    EXPECT_FALSE(std::filesystem::exists(dir / avanzo));
    EXPECT_TRUE(std::filesystem::exists(dir / "progetto.json.tmpx1"));
    EXPECT_TRUE(std::filesystem::exists(dir / "altro.json.tmp1"));
    EXPECT_TRUE(std::filesystem::exists(dir / ("progetto.json.tmp" + std::to_string(::getppid()))));

    // The same text written again by someone else is no change.
    const std::string salvato = ReadFile(file);
    std::ofstream(file, std::ios::binary) << salvato;
    project->nome = "secondo";
    EXPECT_TRUE(project->Save(&why)) << why;

    // Another edit meanwhile: the save refuses, both texts stay.
    std::string altrui = ReadFile(file);
    altrui.replace(altrui.find("\"secondo\""), 9, "\"altrui\"");
    std::ofstream(file, std::ios::binary) << altrui;
    project->nome = "terzo";
    EXPECT_FALSE(project->Save(&why));
    EXPECT_NE(why.find("progetto.json: il progetto è stato modificato sul disco nel frattempo; quello che si "
                       "sarebbe salvato è in progetto.non-salvato-"),
              std::string::npos)
        << why;
    EXPECT_EQ(ReadFile(file), altrui);
    ASSERT_FALSE(project->ConflictFile().empty());
    EXPECT_EQ(project->ConflictFile().parent_path(), dir);
    EXPECT_NE(ReadFile(project->ConflictFile()).find("\"nome\": \"terzo\""), std::string::npos);
    EXPECT_EQ(host::Project::Parse(ReadFile(project->ConflictFile()), "x")->Serialize(),
              ReadFile(project->ConflictFile()));
    std::filesystem::remove(file);
    EXPECT_FALSE(project->Save(&why)); // a file removed meanwhile is not made again
    EXPECT_FALSE(std::filesystem::exists(file));
    std::filesystem::remove_all(dir);
}

// Each save keeps the version it writes over, named by its writer; the history stays bounded, lists what
// each version changed, and brings one back after keeping the current one. A history that cannot be
// written is told, and the save goes ahead.
TEST(Project, HistoryKeepsEarlierVersionsAndBringsOneBack) {
    namespace fs = std::filesystem;
    const auto dir = fs::temp_directory_path() / ("pregeo-storia-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::copy("samples/demo", dir, fs::copy_options::recursive);
    const std::string originale = ReadFile(dir / "progetto.json");
    auto project = host::Project::Load(dir);
    std::string why;
    const auto scritto = fs::last_write_time(dir / "progetto.json");
    EXPECT_TRUE(project->Save(&why, "FPregeoEditRiga0"));
    EXPECT_FALSE(project->Scritto()); // unchanged: not even touched
    EXPECT_EQ(fs::last_write_time(dir / "progetto.json"), scritto);
    EXPECT_FALSE(fs::exists(dir / "storia"));

    const char* autori[] = {"FPregeoEditRiga9", "FPregeoEditRighe45", "FPregeoImportRighe8"};
    for (int i = 0; i < 3; ++i) {
        project->cts.GetRiga9()->SetDatoRea1(100 + i);
        ASSERT_TRUE(project->Save(&why, autori[i])) << why;
        EXPECT_TRUE(project->Scritto());
        EXPECT_EQ(project->AvvisoStoria(), "");
    }
    auto versioni = host::VersioniConservate(dir);
    ASSERT_EQ(versioni.size(), 3u);
    EXPECT_EQ(ReadFile(versioni[0].file), originale);
    EXPECT_EQ(versioni[0].autore, "esterno"); // written before the history, by no save of ours
    EXPECT_EQ(versioni[1].autore, "FPregeoEditRiga9");
    EXPECT_EQ(versioni[2].autore, "FPregeoEditRighe45");

    std::ostringstream out, err;
    EXPECT_EQ(host::StampaStoria(dir, out, err), 0);
    EXPECT_NE(out.str().find("FPregeoEditRighe45          riga 9 modificata\n"), std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("Il progetto attuale, rispetto alla versione 3: riga 9 modificata"),
              std::string::npos);

    const std::string attuale = ReadFile(dir / "progetto.json");
    EXPECT_EQ(host::Ripristina(dir, "1", out, err), 0) << err.str();
    EXPECT_EQ(ReadFile(dir / "progetto.json"), originale);
    versioni = host::VersioniConservate(dir);
    ASSERT_EQ(versioni.size(), 4u);
    EXPECT_EQ(ReadFile(versioni[3].file), attuale);
    EXPECT_EQ(versioni[3].autore, "FPregeoImportRighe8");
    EXPECT_EQ(host::Ripristina(dir, "7", out, err), 2);
    EXPECT_EQ(host::Ripristina(dir, "1x", out, err), 2);

    // Bounded: the oldest go, numbers are never reused.
    project = host::Project::Load(dir);
    for (int i = 0; i < 25; ++i) {
        project->cts.GetRiga9()->SetDatoRea1(200 + i);
        ASSERT_TRUE(project->Save(&why, "prova")) << why;
    }
    versioni = host::VersioniConservate(dir);
    ASSERT_EQ(versioni.size(), host::kHistoryVersions);
    EXPECT_EQ(versioni.front().numero, 10);
    EXPECT_EQ(versioni.back().numero, 29);

    // A history folder that cannot be written: told, and the project is saved all the same.
    fs::permissions(dir / "storia", fs::perms::owner_read | fs::perms::owner_exec);
    project->cts.GetRiga9()->SetDatoRea1(300);
    const bool salvato = project->Save(&why, "prova");
    fs::permissions(dir / "storia", fs::perms::owner_all);
    if (::geteuid() != 0) { // root writes anyway
        EXPECT_TRUE(salvato);
        EXPECT_NE(project->AvvisoStoria().find("la versione precedente non è stata conservata in storia/: "),
                  std::string::npos)
            << project->AvvisoStoria();
    }
    EXPECT_NE(ReadFile(dir / "progetto.json").find("300.0"), std::string::npos);
    fs::remove_all(dir);
}

// What a version changed, in one line, part by part.
TEST(Project, HistorySaysWhatChangedInOneLine) {
    const std::string base = ReadFile(kSample);
    const struct {
        std::function<void(nlohmann::ordered_json&)> change;
        const char* detto;
    } casi[] = {
        {[](auto&) {}, "nessuna differenza"},
        {[](auto& d) { d["libretto"]["intestazione"]["Prot"] = "1"; }, "riga 0 modificata"},
        {[](auto& d) { d["libretto"]["righe45"].erase(0); }, "righe 4 e 5: 1 tolta"},
        {[](auto& d) {
             auto& r = d["libretto"]["righe45"];
             r.push_back(r[0]);
             r.push_back(r[1]);
             r[2]["nota"] = "x";
         },
         "righe 4 e 5: 1 modificata, 2 aggiunte"},
        {[](auto& d) {
             auto& r = d["libretto"]["righe45"];
             std::swap(r[0], r[1]);
         },
         "righe 4 e 5: ordine cambiato"},
        {[](auto& d) {
             d["nome"] = "altro";
             d["lavori"][0]["nome"] = "L";
         },
         "lavori: 1 modificato; altri dati modificati"},
    };
    for (const auto& c : casi)
        EXPECT_EQ(host::Cambiamenti(base, Mutated(c.change)), c.detto);
    EXPECT_EQ(host::Cambiamenti(base, "{"),
              "non confrontabile: una delle due versioni non è un progetto leggibile");
}
