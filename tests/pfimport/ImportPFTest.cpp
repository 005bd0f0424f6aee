// The import through its export, on a scratch project with a TAF file of its own: what a scenario cannot
// see (files read, a failed load, the GPS conversion after the import, the wait indicator, a full library).
#include "entry/Exports.h"
#include "host/core/HostContext.h"
#include "host/ui/Driver.h"
#include "hostapi/Settings.h"
#include "pfimport/DatiImportPF.h"
#include "pfimport/PregeoImportPF.h"
#include "resources/StringLoader.h"
#include "tests/editors/TestEditori.h"
#include "tests/pfimport/TafTestUtil.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numbers>

using testing::HasSubstr;

namespace {

constexpr const char* kUtm32 = "EPSG:32632";
// The same plane 10 m further east: what the municipality's own system gives while it is forced.
constexpr const char* kUtm32Spostato =
    "+proj=tmerc +lat_0=0 +lon_0=9 +k=0.9996 +x_0=500010 +y_0=0 +datum=WGS84 +units=m +type=crs";

// The module's string loader pointed at its string table, as the attach does.
class ModuloCaricato {
public:
    ModuloCaricato() {
        m_Modulo.resources = TabellaModulo();
        ModuleStringLoader().Init(&m_Modulo);
    }
    ~ModuloCaricato() { ModuleStringLoader().Init(nullptr); }
    ModuloCaricato(const ModuloCaricato&) = delete;
    ModuloCaricato& operator=(const ModuloCaricato&) = delete;

private:
    HostModule m_Modulo;
};

class ImportPF : public testing::Test {
protected:
    void SetUp() override {
        // Points of municipality Z999 around 45 N 9 E, in UTM 32N.
        std::string taf;
        for (int i = 1; i <= 3; ++i) {
            taftest::RigaTaf r;
            r.comune = "Z999";
            r.foglio = "12";
            r.numero = std::to_string(i);
            r.nord = std::to_string(4982950 + 10 * i) + ".00";
            r.est = std::to_string(500000 + 10 * i) + ".00";
            taf += r.Testo() + "\r\n";
        }
        std::ofstream(progetto->dir / "prova.taf", std::ios::binary) << taf;
        progetto.Scrivi("Comuni.txt", "PR;Z998;Altro\r\nPR;Z999;Prova\r\n");
        std::ofstream(progetto->dir / "impostazioni.ini", std::ios::binary)
            << "[CATASTO]\nTAF_TYPE_SEL=1\nPATH_TAF=prova.taf\nTAF_PROVINCIA=PR\nTAF_COMUNE=Z999\n"
               "TAF_FOGLIO=0120\nDIST_MAX=500\n";
        CLibGps& gps = progetto->gps;
        ASSERT_TRUE(gps.GetConvCoordProgetto().Imposta(kUtm32));
        gps.GetConvCoordProgetto().ImpostaComune(u"Z999", kUtm32Spostato);
        gps.SetOrientata(true);
        if (gps.GetGrpArSize() == 0)
            gps.AddGrp(u"BASE");
        gps.SetCurrGrp(0);
        const double grado = std::numbers::pi / 180;
        progetto->ricevitore.SetUltimaPosizione(45 * grado, 9 * grado);
    }

    bool Esegui(bool (*esportata)(CWnd*, ICarviloDati*), const char* script) {
        host::ui::ScriptedUi ui;
        std::string errore;
        EXPECT_TRUE(ui.AddLines(script, errore)) << errore;
        host::HostData dati(*progetto);
        const bool esito = esportata(nullptr, &dati);
        EXPECT_EQ(ui.Remaining(), 0u);
        EXPECT_FALSE(CWaitThread::GetInstance()->IsWaiting());
        chiamate = dati.Chiamate();
        trascrizione = ui.TranscriptText();
        return esito;
    }

    LinkedResources risorse{TabellaModulo()};
    ModuloCaricato modulo;
    ProgettoProva progetto{testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::string trascrizione;
    std::vector<std::string> chiamate;
};

} // namespace

TEST_F(ImportPF, ListImportChosenAgainWithTheSameFilterReadsTheFileOnce) {
    const std::size_t prima = host::FileAperti();
    EXPECT_FALSE(Esegui(FPregeoImportRighe8,
                        "click [Da Elenco]\nclick [OK]\nclick [Annulla]\n"
                        "click [Da Elenco]\nclick [OK]\nclick [Annulla]\n"
                        "click [Da Elenco]\ntype 2460 0120,0130\nclick [OK]\nclick [Annulla]\n"
                        "click [Annulla]\n"));
    EXPECT_EQ(host::FileAperti() - prima, 2u); // the third choice changed the sheets
    ASSERT_GE(chiamate.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(chiamate.begin(), chiamate.begin() + 4),
              (std::vector<std::string>{"GetLibCmp", "GetLibGps", "GetLibConOri", "GetCts"}));
}

// A load that fails forgets what the list held: asking again for the earlier filter reads the file again
// instead of showing the list the failure emptied.
TEST_F(ImportPF, AFailedLoadIsNotTakenForTheEarlierOne) {
    host::HostData dati(*progetto);
    CPregeoImportPF importa(nullptr, &dati);
    const auto elenco = [&](const char* script) {
        host::ui::ScriptedUi ui;
        std::string errore;
        EXPECT_TRUE(ui.AddLines(script, errore)) << errore;
        EXPECT_FALSE(importa.ImportaElenco());
        return ui.TranscriptText();
    };
    const auto taf = progetto->dir / "prova.taf";
    elenco("click [OK]\nclick [Annulla]\n");
    std::filesystem::rename(taf, progetto->dir / "via.taf");
    EXPECT_THAT(elenco("type 2460 0130\nclick [OK]\nok\n"), HasSubstr("non ha avuto successo"));
    std::filesystem::rename(progetto->dir / "via.taf", taf);
    EXPECT_THAT(elenco("type 2460 0120\nclick [OK]\nshow 2451\nclick [Annulla]\n"),
                HasSubstr("4 rows (1 fixed)"));
}

TEST_F(ImportPF, NearImportUndoesTheForcedMunicipalityWhenItEnds) {
    const int prima = progetto->cmp.GetOriArSize();
    EXPECT_TRUE(Esegui(FPregeoImportRighe8, "click [PF vicini]\nclick [OK]\nclick [Importa]\n"));
    EXPECT_EQ(progetto->cmp.GetOriArSize(), prima + 3);
    // The centre was converted in the municipality's system, and the conversion is the project's again.
    const double grado = std::numbers::pi / 180;
    double est = 0, nord = 0;
    progetto->gps.GetCurrConvCoord()->GrafGpsToPlanAtt(45 * grado, 9 * grado, 0, 0, est, nord);
    EXPECT_NEAR(est, 500000.0, 0.01);
    EXPECT_NEAR(CIniFile().GetDouble(SEZIONE_CATASTO, CHIAVE_EST, 0), 500010.0, 0.01);
}

// However the near import gives up, the municipality's system it forced for the position dialog is
// undone before it returns, and it says why when there is something to say. A settings file that cannot
// be written cannot keep the centre: the host says so and the position dialog stays open, so the import
// never searches around an old centre.
TEST_F(ImportPF, NearImportThatGivesUpLeavesTheProjectConversion) {
    const auto ini = progetto->dir / "impostazioni.ini";
    const std::string impostazioni = "[CATASTO]\nTAF_TYPE_SEL=1\nPATH_TAF=prova.taf\nTAF_PROVINCIA=PR\n"
                                     "TAF_COMUNE=Z999\nTAF_FOGLIO=0120\nDIST_MAX=500\n";
    const struct {
        const char* caso;
        const char* provincia;
        bool solaLettura;
        const char* script;
        const char* messaggio;
    } casi[] = {
        {"no province", "", false, "ok\n", "\"Specificare il comune da filtrare.\""},
        {"position cancelled", "PR", false, "click [Annulla]\n", ""},
        {"grid cancelled", "PR", false, "click [OK]\nclick [Annulla]\n", ""},
        {"centre not kept", "PR", true, "click [OK]\nok\nclick [Annulla]\n",
         "\"Impossibile salvare le impostazioni nel file "},
    };
    host::SetSettingsWriteNotice([](const WString& testo) {
        CreateMessageBox(nullptr, testo, u"Impostazioni", MB_OK | MB_ICONERROR);
    });
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        std::filesystem::permissions(ini, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
        std::string testo = impostazioni;
        testo.replace(testo.find("=PR"), 3, std::string("=") + c.provincia);
        std::ofstream(ini, std::ios::binary) << testo;
        if (c.solaLettura)
            std::filesystem::permissions(
                ini, std::filesystem::perms::all & ~std::filesystem::perms::owner_write &
                         ~std::filesystem::perms::group_write & ~std::filesystem::perms::others_write);
        host::HostData dati(*progetto);
        CPregeoImportPF importa(nullptr, &dati);
        host::ui::ScriptedUi ui;
        std::string errore;
        ASSERT_TRUE(ui.AddLines(c.script, errore)) << errore;
        EXPECT_FALSE(importa.ImportaVicini());
        EXPECT_EQ(ui.Remaining(), 0u);
        if (*c.messaggio)
            EXPECT_THAT(ui.TranscriptText(), HasSubstr(c.messaggio));
        else
            EXPECT_THAT(ui.TranscriptText(), testing::Not(HasSubstr("message box")));
        const double grado = std::numbers::pi / 180;
        double est = 0, nord = 0;
        progetto->gps.GetCurrConvCoord()->GrafGpsToPlanAtt(45 * grado, 9 * grado, 0, 0, est, nord);
        EXPECT_NEAR(est, 500000.0, 0.01);
    }
    host::SetSettingsWriteNotice(nullptr);
    std::filesystem::permissions(ini, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
}

TEST_F(ImportPF, FullLibraryWritesNoPoint) {
    const int prima = progetto->cmp.GetOriArSize();
    progetto->cmp.SetMaxOri(prima);
    const int notifiche = progetto->cmp.GetModificheNotificate();
    EXPECT_FALSE(
        Esegui(FPregeoImportRighe8, "click [Da Elenco]\nclick [OK]\nclick [Importa]\nok\nclick [Annulla]\n"));
    EXPECT_THAT(trascrizione, HasSubstr("message box \"Errore Importazione TAF\" [exclamation; ok]: "
                                        "\"Il caricamento dei dati non ha avuto successo\""));
    EXPECT_EQ(progetto->cmp.GetOriArSize(), prima);
    EXPECT_EQ(progetto->cmp.GetModificheNotificate(), notifiche + 1);
}
