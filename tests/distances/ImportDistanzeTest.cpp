// Importing distances: the duplicate rule, the file import's outcomes, and the web import through the
// stand-in TAF service on a free loopback port.
#include "distances/ImportDistanze.h"

#include "TafService.h"
#include "host/core/HostContext.h"
#include "hostapi/Settings.h"
#include "tests/pfimport/TafTestUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>

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
    void TearDown() override { host::SetFolders({}); }

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
        // The same line twice: the second is a duplicate of the first.
        {3, u"buono", true, u"Sono state importate 2 distanze", MB_ICONEXCLAMATION, 1},
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
// through the host's Sleep every time; a service that is down finds nothing.
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
    CIniFile().WriteString(u"CATASTO", u"TAF_SERVER", WString::Formatted(u"127.0.0.1:%d", porta));

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

    sta->AddPun(u"PF03");
    esito = imp.ImportaWeb(nullptr);
    EXPECT_TRUE(esito.importato);
    EXPECT_EQ(esito.testo, u"Sono state importate 1 distanze");
    ASSERT_EQ(Numero(), 2);
    EXPECT_EQ(libretto.m_EstrMap.GetDistanzaAt(1)->GetNome1(), u"PF03/0120/G337");
    EXPECT_EQ(domande.size(), 1u);

    servizio.Stop();
    esito = Import().ImportaWeb(nullptr);
    EXPECT_FALSE(esito.importato);
    EXPECT_EQ(esito.testo, u"Non sono state trovate distanze relative al progetto corrente");
    EXPECT_EQ(Numero(), 2);
}

} // namespace
