// The web client against the stand-in service over loopback.
#include "pfimport/TafElenco.h"
#include "pfimport/TafRichiesta.h"

#include "TafService.h"
#include "TafTestUtil.h"
#include "host/core/HostContext.h"

#include "hostapi/Internet.h"
#include "hostapi/Settings.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using taftest::RigaTaf;

std::string Riga(const char* comune, const char* foglio, const char* numero, const char* nord,
                 const char* est) {
    RigaTaf r;
    r.comune = comune;
    r.foglio = foglio;
    r.numero = numero;
    r.nord = nord;
    r.est = est;
    return r.Testo() + "\r\n";
}

// A distance line: first point, second point, booklet reference, distance and SQM.
std::string RigaDis(const char* c1, const char* f1, const char* n1, const char* c2, const char* f2,
                    const char* n2, const char* rif, const char* dist, const char* sqm) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%-6s%4s  %6s%-6s%4s  %6s%-13s %s %s\n", c1, f1, n1, c2, f2, n2, rif,
                  dist, sqm);
    return buffer;
}

class TafServiceTest : public ::testing::Test {
protected:
    taftest::Cartella dir;
    std::unique_ptr<tafservice::Service> service;
    int port = -1;

    void SetUp() override {
        const auto dati = dir.Path() / "dati";
        std::filesystem::create_directories(dati);
        std::ofstream(dati / "AL_A123.taf", std::ios::binary)
            << Riga("A123", "12", "1", "5000100.00", "1500100.00")
            << Riga("A123", "12", "2", "5000200.00", "1500200.00")
            << Riga("A123", "13", "3", "5000300.00", "1500300.00");
        std::ofstream(dati / "AL_B456.taf", std::ios::binary)
            << Riga("B456", "4", "1", "5000150.00", "1500150.00");
        std::ofstream(dati / "TO.taf", std::ios::binary)
            << Riga("C789", "1", "1", "5000100.00", "1500100.00");
        std::ofstream(dati / "AL.dis", std::ios::binary)
            << RigaDis("A123", "12", "1", "A123", "12", "2", "LIB/1", "141.421", "0.050")
            << RigaDis("A123", "12", "1", "B456", "4", "1", "LIB/2", "70.711", "0.030");
        tafservice::Archive archive;
        archive.Load(dati);
        service = std::make_unique<tafservice::Service>(std::move(archive));
        port = service->Start(0);
        ASSERT_GT(port, 0);
        UsaServer("127.0.0.1:" + std::to_string(port));
    }
    void TearDown() override {
        service.reset();
        host::SetFolders({});
    }
    void UsaServer(const std::string& server) {
        const auto settings = dir.Path() / "settings.ini";
        host::SetFolders({dir.Path(), dir.Path(), settings});
        ASSERT_TRUE(CIniFile().WriteString(u"CATASTO", u"TAF_SERVER", WString::FromUtf8(server)));
    }
};

TEST_F(TafServiceTest, MunicipalityQueryRoundTrips) {
    CTafElenco elenco;
    ASSERT_TRUE(elenco.CaricaWebComune(u"A123", u"0120"));
    ASSERT_EQ(elenco.GetCount(), 2);
    const CTafPunto& p = *elenco.GetAt(1);
    EXPECT_EQ(p.Comune, u"A123");
    EXPECT_EQ(p.Foglio, u"0120");
    EXPECT_EQ(p.NumPF, 2);
    EXPECT_EQ(p.DescrPlan, u"SPIGOLO FABBRICATO");
    EXPECT_DOUBLE_EQ(p.Nord, 5000200);
    EXPECT_DOUBLE_EQ(p.Est, 1500200);
    EXPECT_EQ(p.AttP, 3);
    EXPECT_DOUBLE_EQ(p.Quota, 123.45);
    EXPECT_EQ(p.DescrQuota, u"MARCIAPIEDE");
    EXPECT_EQ(p.AttQ, 2);
    EXPECT_EQ(p.CausaAgg, u"NUOVO");
    // All sheets, and a sheet list with a blank that must travel encoded.
    ASSERT_TRUE(elenco.CaricaWebComune(u"A123", WString()));
    EXPECT_EQ(elenco.GetCount(), 3);
    ASSERT_TRUE(elenco.CaricaWebComune(u"A123", u"0130, 0120"));
    EXPECT_EQ(elenco.GetCount(), 3);
    // Nothing there: the service answers with a warning, the list is empty and the load succeeded.
    ASSERT_TRUE(elenco.CaricaWebComune(u"Z999", WString()));
    EXPECT_EQ(elenco.GetCount(), 0);
    EXPECT_FALSE(elenco.CaricaWebComune(WString(), WString()));
}

// A NUL byte in an answer is one character of it: what follows in the same read is not lost.
TEST_F(TafServiceTest, AnswerIsReadByItsLength) {
    RigaTaf nul;
    nul.comune = "D111";
    nul.numero = "1";
    nul.descrPlan = std::string("CIPPO\0ROTTO", 11);
    RigaTaf dopo = nul;
    dopo.numero = "2";
    dopo.descrPlan = "DOPO";
    std::ofstream(dir.Path() / "dati" / "AL_D111.taf", std::ios::binary) << nul.Testo() << "\r\n"
                                                                         << dopo.Testo();
    tafservice::Archive archive;
    archive.Load(dir.Path() / "dati");
    service = std::make_unique<tafservice::Service>(std::move(archive));
    port = service->Start(0);
    UsaServer("127.0.0.1:" + std::to_string(port));
    CTafElenco elenco;
    ASSERT_TRUE(elenco.CaricaWebComune(u"D111", WString()));
    ASSERT_EQ(elenco.GetCount(), 2);
    EXPECT_EQ(elenco.GetAt(0)->DescrPlan, WString(std::u16string(u"CIPPO\0ROTTO", 11)));
    EXPECT_EQ(elenco.GetAt(1)->DescrPlan, u"DOPO");
}

// The service says on its log what it was asked and how it answered.
TEST_F(TafServiceTest, EachRequestIsLoggedWithStatusAndSize) {
    std::ostringstream log;
    service->SetLog(&log);
    CTafElenco elenco;
    ASSERT_TRUE(elenco.CaricaWebComune(u"A123", u"0120"));
    service->Stop();
    const std::string text = log.str();
    EXPECT_NE(text.find("tafservice: GET /tafservice/tafservice.php?"), std::string::npos) << text;
    EXPECT_NE(text.find("tipo=3&codice=A123&foglio=0120"), std::string::npos) << text;
    EXPECT_NE(text.find(" -> 200, "), std::string::npos) << text;
    EXPECT_EQ(text.find(" -> 200, 0 byte"), std::string::npos) << text;
}

TEST_F(TafServiceTest, PositionQueryRoundTrips) {
    CTafElenco elenco;
    ASSERT_TRUE(elenco.CaricaWebPosizione(u"AL", 5000125, 1500125, 40));
    ASSERT_EQ(elenco.GetCount(), 2); // C789 is as near but in another province
    EXPECT_EQ(elenco.GetAt(0)->Comune, u"A123");
    EXPECT_EQ(elenco.GetAt(0)->NumPF, 1);
    EXPECT_EQ(elenco.GetAt(1)->Comune, u"B456");
    EXPECT_EQ(elenco.GetAt(1)->Foglio, u"0040");
}

TEST_F(TafServiceTest, DistanceQueryRoundTrips) {
    CTafRichiesta r;
    r.Codice = u"A123";
    r.Foglio = u"0120";
    r.Pf = u"01";
    r.Codice2 = u"B456";
    r.Foglio2 = u"0040";
    r.Pf2 = u"01";
    WString risposta;
    ASSERT_TRUE(r.RichiestaDistanze(risposta));
    EXPECT_EQ(risposta, u"PF01/0120/A123,PF01/0040/B456,LIB/2,70.711,0.030\n");
    r.Pf2 = u"09";
    EXPECT_TRUE(r.RichiestaDistanze(risposta));
    EXPECT_GE(risposta.Find(WString(u"Warning")), 0);
}

TEST_F(TafServiceTest, WrongCheckValueIsRefused) {
    CTafRichiesta r;
    r.Codice = u"A123";
    r.Ver = u"2.0";
    WString indirizzo = r.Indirizzo(CTafRichiesta::kComune);
    const int prot = indirizzo.Find(WString(u"&prot="));
    ASSERT_GT(prot, 0);
    indirizzo = indirizzo.Left(prot) + u"&prot=12345&ver=2.0";
    HINTERNET sessione = InternetOpenW(u"test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    HINTERNET file =
        InternetOpenUrlW(sessione, indirizzo.c_str(), nullptr, 0, INTERNET_FLAG_NO_CACHE_WRITE, 0);
    ASSERT_NE(file, nullptr);
    char buffer[256] = {};
    DWORD letti = 0;
    ASSERT_TRUE(InternetReadFile(file, buffer, sizeof buffer - 1, &letti));
    InternetCloseHandle(file);
    InternetCloseHandle(sessione);
    CTafElenco elenco;
    elenco.LeggiRispostaTaf(WString::FromCp1252(buffer), u"A123", false);
    EXPECT_EQ(std::string(buffer).rfind("Warning", 0), 0u);
    EXPECT_EQ(elenco.GetCount(), 0);
}

TEST_F(TafServiceTest, UnreachableOrFailingServiceIsAFailure) {
    CTafElenco elenco;
    ASSERT_TRUE(elenco.CaricaWebComune(u"A123", WString()));
    ASSERT_EQ(elenco.GetCount(), 3);
    // An HTTP error status: the path does not exist there.
    UsaServer("127.0.0.1:" + std::to_string(port) + "/altrove");
    EXPECT_FALSE(elenco.CaricaWebComune(u"A123", WString()));
    EXPECT_EQ(elenco.GetCount(), 0);
    CTafRichiesta r;
    r.Codice = u"A123";
    r.Foglio = u"0120";
    r.Pf = u"01";
    WString risposta;
    EXPECT_FALSE(r.RichiestaDistanze(risposta));
    EXPECT_EQ(r.GetErrore(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(r.GetStatoHttp(), 404u);
    EXPECT_TRUE(risposta.IsEmpty());
    // Nobody listens any more.
    UsaServer("127.0.0.1:" + std::to_string(port));
    service->Stop();
    EXPECT_FALSE(elenco.CaricaWebPosizione(u"AL", 5000125, 1500125, 40));
    EXPECT_FALSE(r.RichiestaDistanze(risposta));
    EXPECT_EQ(r.GetErrore(), ERROR_INTERNET_CANNOT_CONNECT);
    EXPECT_EQ(r.GetStatoHttp(), 0u);
}

// The program itself: started on a port it picks, answering, stopped by SIGTERM.
TEST_F(TafServiceTest, ProgramStartsOnAFreePortAndStops) {
    const char* bin = std::getenv("PREGEO_BIN");
    const std::filesystem::path program = bin ? std::filesystem::path(bin) / "tafservice" : "";
    if (!bin || !std::filesystem::exists(program))
        GTEST_SKIP() << "tafservice not built";
    int pipeOut[2];
    ASSERT_EQ(::pipe(pipeOut), 0);
    const std::string folder = (dir.Path() / "dati").string();
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::dup2(pipeOut[1], STDOUT_FILENO);
        ::close(pipeOut[0]);
        ::close(pipeOut[1]);
        ::execl(program.c_str(), program.c_str(), "--folder", folder.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeOut[1]);
    std::string line;
    char c = 0;
    while (::read(pipeOut[0], &c, 1) == 1 && c != '\n')
        line += c;
    ::close(pipeOut[0]);
    const auto colon = line.rfind(':');
    const int programPort = colon == std::string::npos ? 0 : std::atoi(line.c_str() + colon + 1);
    if (programPort > 0) {
        UsaServer("127.0.0.1:" + std::to_string(programPort));
        CTafElenco elenco;
        EXPECT_TRUE(elenco.CaricaWebComune(u"B456", WString()));
        EXPECT_EQ(elenco.GetCount(), 1);
    }
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_GT(programPort, 0) << line;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace
