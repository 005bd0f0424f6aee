// Importing distances: the duplicate rule, the file import's outcomes, and the web import through the
// stand-in TAF service on a free loopback port.
#include "distances/ImportDistanze.h"

#include "TafService.h"
#include "host/core/HostContext.h"
#include "host/net/NetLimits.h"
#include "hostapi/Settings.h"
#include "tests/pfimport/TafTestUtil.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <thread>

namespace {

struct Risposta {
    int risposta;
    bool tutti;
};

class ImportDistanze : public testing::Test {
protected:
    void SetUp() override {
        setenv("PREGEO_HOST_SLEEP", "0", 1);
        libretto.SetFogl(u"0120");
        libretto.SetCdCm(u"G337");
        sta = stazioni.AddJob(u"J1")->AddSta(u"S1");
        for (const char16_t* nome : {u"PF01", u"PF02/0120/G337", u"101"})
            sta->AddPun(nome);
        host::SetFolders({dir.Path(), dir.Path(), dir.Path() / "impostazioni.ini"});
    }
    void TearDown() override {
        host::SetFolders({});
        host::SetNetLimits({});
    }
    WString UsaServer(int porta) {
        const WString server = WString::Formatted(u"127.0.0.1:%d", porta);
        CIniFile().WriteString(u"CATASTO", u"TAF_SERVER", server);
        return u"http://" + server;
    }

    CImportDistanze Import() {
        return CImportDistanze(&libretto, &gps, &stazioni, [this](const WString& descr, int& r, bool& tutti) {
            EXPECT_EQ(r, DUPLICATO_AGGIORNA);
            domande.push_back(descr);
            ASSERT_FALSE(risposte.empty());
            r = risposte.front().risposta;
            tutti = risposte.front().tutti;
            risposte.pop_front();
        });
    }
    CCtsDistanza* Distanza(const char16_t* a, const char16_t* b, const char16_t* rif, double d) {
        CCtsDistanza* dist = libretto.m_EstrMap.AddDistanza();
        dist->SetNome1(a);
        dist->SetNome2(b);
        dist->SetRifLibretto(rif);
        dist->SetDistanza(d);
        return dist;
    }
    int Numero() const { return libretto.m_EstrMap.GetDistanzaArSize(); }

    taftest::Cartella dir;
    CCts libretto;
    CLibCmp stazioni;
    CLibGps gps;
    CSta* sta = nullptr;
    std::deque<Risposta> risposte;
    std::vector<WString> domande;
};

// Same reference and the same two points in either order is a duplicate; the answer and its flag hold
// for the rest of the object's life.
TEST_F(ImportDistanze, DuplicateRule) {
    CCtsDistanza* esistente = Distanza(u"PF01/0120/G337", u"PF02/0120/G337", u"L1", 10);
    CImportDistanze imp = Import();
    const CDisDistanza stessa{u"PF01/0120/G337", u"PF02/0120/G337", u"11", u"0.1", u"L1"};
    const CDisDistanza scambiata{u"PF02/0120/G337", u"PF01/0120/G337", u"11", u"0.1", u"L1"};
    const CDisDistanza altroLibretto{u"PF02/0120/G337", u"PF01/0120/G337", u"11", u"0.1", u"L2"};

    risposte = {{DUPLICATO_AGGIORNA, false}, {DUPLICATO_ANNULLA, false}, {DUPLICATO_AGGIUNGI, true}};
    EXPECT_EQ(imp.TrovaOAggiungi(stessa), esistente);
    EXPECT_EQ(imp.TrovaOAggiungi(scambiata), nullptr);
    CCtsDistanza* seconda = imp.TrovaOAggiungi(altroLibretto);
    EXPECT_EQ(Numero(), 2);
    // Two duplicates now; "Aggiungi punto" for all asks once, then adds without asking.
    seconda->SetNome1(u"PF02/0120/G337");
    seconda->SetNome2(u"PF01/0120/G337");
    seconda->SetRifLibretto(u"L1");
    EXPECT_NE(imp.TrovaOAggiungi(scambiata), nullptr);
    EXPECT_NE(imp.TrovaOAggiungi(stessa), nullptr);
    EXPECT_EQ(Numero(), 4);
    EXPECT_EQ(domande, (std::vector<WString>(3, u"PF01/0120/G337-PF02/0120/G337 Lib.:L1")));
    EXPECT_TRUE(risposte.empty());
}

TEST_F(ImportDistanze, FileImportOutcomes) {
    const std::string riga = "G337    12       1G337    12       2L1           368.763 0.150\n";
    dir.Scrivi("buono.dis", riga + riga + "G337    12       1G337    12       3L1           9.9 0.1\n");
    dir.Scrivi("altro.dis", "A123    12       1A123    12       2L1           368.763 0.150\n");
    dir.Scrivi("binario.dis", std::string("\0\0", 2));
    const WString cartella = WString::FromUtf8(dir.Path().string()) + u"/";
    EXPECT_EQ(ElencoFileDis(cartella), (std::vector<WString>{u"altro", u"binario", u"buono"}));

    struct Caso {
        int numeroFile;
        const char16_t* nome;
        bool importato;
        const char16_t* testo;
        UINT icona;
        int distanze;
    } casi[] = {
        {0, u"", false, u"Nessun file .dis trovato nella cartella selezionata", MB_ICONERROR, 0},
        {3, u"", false, u"Selezionare un file .dis da importare", MB_ICONERROR, 0},
        {3, u"binario", false, u"Errore di importazione dati dal file selezionato", MB_ICONERROR, 0},
        {3, u"sparito", false, u"Errore di importazione dati dal file selezionato", MB_ICONERROR, 0},
        {3, u"altro", false, u"Non sono state trovate distanze relative al progetto corrente",
         MB_ICONEXCLAMATION, 0},
        // The same line twice: the second is a duplicate of the first, updated, and counted once.
        {3, u"buono", true, u"Sono state importate 1 distanze", MB_ICONEXCLAMATION, 1},
    };
    risposte = {{DUPLICATO_AGGIORNA, false}};
    CImportDistanze imp = Import();
    for (const Caso& c : casi) {
        const CEsitoImport esito = imp.ImportaFile(cartella, c.numeroFile, c.nome);
        EXPECT_EQ(esito.importato, c.importato) << WString(c.nome);
        EXPECT_EQ(esito.testo, c.testo);
        EXPECT_EQ(esito.icona, c.icona);
        EXPECT_EQ(Numero(), c.distanze);
    }
    const CCtsDistanza& d = *libretto.m_EstrMap.GetDistanzaAt(0);
    EXPECT_EQ(d.GetNome1(), u"PF01/0120/G337");
    EXPECT_EQ(d.GetNome2(), u"PF02/0120/G337");
    EXPECT_DOUBLE_EQ(d.GetDistanza(), 368.763);
    EXPECT_DOUBLE_EQ(d.GetSqm(), 0.15);
    EXPECT_EQ(d.GetRifLibretto(), u"L1");
}

// A cancelled duplicate is reported only by an import that wrote nothing; the connection wait is made
// through the host's Sleep every time; a service that is down is not taken for one that found nothing.
TEST_F(ImportDistanze, WebImportOverEveryPairOfSurveyPoints) {
    std::filesystem::create_directories(dir.Path() / "dati");
    dir.Scrivi("dati/PR.dis", "G337    12       1G337    12       2L1           368.763 0.150\n"
                              "G337    12       3G337    12       1L2           100.5 0.1\n"
                              "G337    12       2G337    12       3L3           abc 0.1\n");
    tafservice::Archive archivio;
    archivio.Load(dir.Path() / "dati");
    tafservice::Service servizio(std::move(archivio));
    const int porta = servizio.Start(0);
    ASSERT_GT(porta, 0);
    const WString server = UsaServer(porta);

    CImportDistanze imp = Import();
    const unsigned long long attese = host::SleepRequested();
    CEsitoImport esito = imp.ImportaWeb(nullptr);
    EXPECT_EQ(host::SleepRequested() - attese, 2000u);
    EXPECT_TRUE(esito.importato);
    EXPECT_EQ(esito.testo, u"Sono state importate 1 distanze");

    risposte = {{DUPLICATO_ANNULLA, true}};
    esito = imp.ImportaWeb(nullptr);
    EXPECT_FALSE(esito.importato);
    EXPECT_EQ(esito.testo, u"L'importazione è stata annullata");

    // PF02-PF03's only line has no distance: an answer that is none.
    sta->AddPun(u"PF03");
    esito = imp.ImportaWeb(nullptr);
    EXPECT_TRUE(esito.importato);
    EXPECT_EQ(esito.testo, u"Sono state importate 1 distanze\nIl server " + server +
                               u" ha dato risposte non valide (richieste: 1).");
    ASSERT_EQ(Numero(), 2);
    EXPECT_EQ(libretto.m_EstrMap.GetDistanzaAt(1)->GetNome1(), u"PF03/0120/G337");
    EXPECT_EQ(domande.size(), 1u);

    servizio.Stop();
    esito = Import().ImportaWeb(nullptr);
    EXPECT_FALSE(esito.importato);
    EXPECT_EQ(esito.testo, u"Il server " + server +
                               u" non è raggiungibile (connessione non riuscita): "
                               u"importazione interrotta.");
    EXPECT_EQ(esito.icona, MB_ICONERROR);
    EXPECT_EQ(Numero(), 2);
}

// A service that goes wrong in one way, on a free loopback port, counting the requests it gets. A stalled
// request waits until the service goes (10 s at most), long past the test's host timeout.
class ServizioGuasto {
public:
    enum class Modo { Vuota, Stato500, Stato404, Html, Spazzatura, Troncata, Bloccata, UnaPoiBloccata };

    explicit ServizioGuasto(Modo modo) {
        m_Server.Get("/tafservice/tafservice.php", [this, modo](const httplib::Request&,
                                                                httplib::Response& res) {
            const int n = ++richieste;
            switch (modo) {
            case Modo::Vuota:
                return res.set_content("", "text/plain");
            case Modo::Stato500:
            case Modo::Stato404:
                res.status = modo == Modo::Stato500 ? 500 : 404;
                return res.set_content("<html><body>Errore</body></html>\n", "text/html");
            case Modo::Html:
                return res.set_content("<html><body>\n<h1>Servizio in manutenzione</h1>\n</body></html>\n",
                                       "text/html");
            case Modo::Spazzatura:
                return res.set_content(std::string("\x1f\x8b\x08\0\xff\xfe,,\n\x01\x02", 12), "text/plain");
            case Modo::Troncata:
                // Headers promise 100 bytes, then the connection closes.
                return res.set_content_provider(
                    100, "text/plain", [](std::size_t, std::size_t, httplib::DataSink&) { return false; });
            case Modo::UnaPoiBloccata:
                if (n == 1)
                    return res.set_content("PF01/0120/G337,PF02/0120/G337,L1,368.763,0.150\n", "text/plain");
                [[fallthrough]];
            case Modo::Bloccata: {
                std::unique_lock lock(m_Mutex);
                m_Rilascia.wait_for(lock, std::chrono::seconds(10), [this] { return m_Fine; });
                return res.set_content("tardi\n", "text/plain");
            }
            }
        });
        porta = m_Server.bind_to_any_port("127.0.0.1");
        m_Thread = std::thread([this] { m_Server.listen_after_bind(); });
        for (int i = 0; i < 5000 && !m_Server.is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~ServizioGuasto() { Ferma(); }
    void Ferma() {
        {
            std::lock_guard lock(m_Mutex);
            m_Fine = true;
        }
        m_Rilascia.notify_all();
        if (m_Thread.joinable()) {
            m_Server.stop();
            m_Thread.join();
        }
    }

    int porta = -1;
    std::atomic<int> richieste{0};

private:
    httplib::Server m_Server;
    std::thread m_Thread;
    std::mutex m_Mutex;
    std::condition_variable m_Rilascia;
    bool m_Fine = false;
};

// Every way a request can fail says so, naming the server, and is never taken for an empty answer; a
// service that does not answer in time is asked once and the import stops there, keeping what it had
// written (nothing listening: the end of the test above).
TEST_F(ImportDistanze, WebFailuresAreToldAndAnUnreachableServiceIsAskedOnce) {
    sta->AddPun(u"PF03"); // three pairs
    host::NetLimits limiti;
    limiti.totalTimeoutMs = 1000;
    host::SetNetLimits(limiti);
    using Modo = ServizioGuasto::Modo;
    const char16_t* nessuna = u"Non sono state trovate distanze relative al progetto corrente";
    const char16_t* irraggiungibile = u"Il server %s non è raggiungibile (%s): importazione interrotta.";
    struct Caso {
        Modo modo;
        int richieste;
        const char16_t* testo; // %s: the server
        const char16_t* causa = u"";
        UINT icona = MB_ICONERROR;
    } casi[] = {
        {Modo::Vuota, 3, nessuna, u"", MB_ICONEXCLAMATION},
        {Modo::Stato500, 3, u"Il server %s ha risposto con errore HTTP 500 (richieste: 3)."},
        {Modo::Stato404, 3, u"Il server %s ha risposto con errore HTTP 404 (richieste: 3)."},
        {Modo::Html, 3, u"Il server %s ha dato risposte non valide (richieste: 3)."},
        {Modo::Spazzatura, 3, u"Il server %s ha dato risposte non valide (richieste: 3)."},
        {Modo::Troncata, 3, u"Nessuna risposta dal server %s (connessione interrotta; richieste: 3)."},
        {Modo::Bloccata, 1, irraggiungibile, u"tempo scaduto"},
        {Modo::UnaPoiBloccata, 2, irraggiungibile, u"tempo scaduto", MB_ICONEXCLAMATION},
    };
    for (const Caso& c : casi) {
        ServizioGuasto servizio(c.modo);
        ASSERT_GT(servizio.porta, 0);
        const WString server = UsaServer(servizio.porta);
        const CEsitoImport esito = Import().ImportaWeb(nullptr);
        SCOPED_TRACE(esito.testo.ToUtf8());
        EXPECT_EQ(servizio.richieste, c.richieste);
        const bool scritta = c.modo == Modo::UnaPoiBloccata;
        EXPECT_EQ(esito.importato, scritta);
        EXPECT_EQ(esito.testo, (scritta ? WString(u"Sono state importate 1 distanze\n") : WString()) +
                                   WString::Formatted(c.testo, server, c.causa));
        EXPECT_EQ(esito.icona, c.icona);
        EXPECT_EQ(Numero(), scritta ? 1 : 0);
    }
}

// The host has said there is no connection: no request, no wait, one message naming the server.
TEST_F(ImportDistanze, WebImportOfflineAsksNothing) {
    ServizioGuasto servizio(ServizioGuasto::Modo::Vuota);
    const WString server = UsaServer(servizio.porta);
    CIniFile().WriteString(u"Host", u"Connessione", u"offline");
    const unsigned long long attese = host::SleepRequested();
    const CEsitoImport esito = Import().ImportaWeb(nullptr);
    EXPECT_EQ(servizio.richieste, 0);
    EXPECT_EQ(host::SleepRequested(), attese);
    EXPECT_FALSE(esito.importato);
    EXPECT_EQ(esito.testo, u"Il server " + server +
                               u" non è raggiungibile (nessuna connessione): importazione interrotta.");
}

} // namespace
