#include "pfimport/TafRichiesta.h"
#include "pfimport/TafElenco.h"

#include "TafService.h"
#include "TafTestUtil.h"
#include "host/core/HostContext.h"

#include "hostapi/Settings.h"

#include <gtest/gtest.h>

namespace {

WString W(const char* s) {
    return WString::FromUtf8(s);
}

TEST(TafProt, KnownValueAndAnyLength) {
    EXPECT_EQ(CTafRichiesta::CalcolaProt(u"abc"), 5057);
    EXPECT_EQ(CTafRichiesta::CalcolaProt(u"a"), (97 + 97 - 97) * 10 + 27);
    // Far beyond the 127 characters a fixed buffer would hold, and past the 32-bit wrap; the service
    // must agree with the client on every length.
    for (int n : {126, 127, 128, 1000, 200000}) {
        std::string texto;
        for (int i = 0; i < n; ++i)
            texto += static_cast<char>('a' + i % 26);
        EXPECT_EQ(CTafRichiesta::CalcolaProt(W(texto.c_str())), tafservice::Prot(texto)) << n;
    }
    EXPECT_EQ(CTafRichiesta::CalcolaProt(W("foglio=0010 è")), tafservice::Prot("foglio=0010 è"));
}

TEST(TafQuery, KeysInOrderWithEmptyValues) {
    CTafRichiesta r;
    r.Codice = u"A123";
    EXPECT_EQ(r.TestoQuery(CTafRichiesta::kComune), u"codice=A123&foglio=&pf=&raggio=&x=&y=");
    r.Codice2 = u"AL";
    r.Raggio = 250;
    r.X = 1500000.25;
    r.Y = -0.5;
    EXPECT_EQ(r.TestoQuery(CTafRichiesta::kPosizione), u"prov=AL&raggio=250.000&x=1500000.250&y=-0.500");
    CTafRichiesta d;
    d.Codice = u"A123";
    d.Foglio = u"0120";
    d.Pf = u"07";
    d.Codice2 = u"A123";
    d.Pf2 = u"08";
    d.Foglio2 = u"0130";
    EXPECT_EQ(d.TestoQuery(CTafRichiesta::kDistanze),
              u"codice=A123&foglio=0120&pf=07&codice2=A123&pf2=08&foglio2=0130&distanze=1");
    EXPECT_EQ(CTafRichiesta::Numero(0), u"");
    EXPECT_EQ(CTafRichiesta::Numero(-0.0), u"");
    EXPECT_EQ(CTafRichiesta::Numero(0.0004), u"0.000");
}

TEST(TafQuery, AddressEncodesValuesAndChecksTheTypedText) {
    taftest::Cartella dir;
    const auto settings = dir.Path() / "settings.ini";
    host::SetFolders({dir.Path(), dir.Path(), settings});
    CTafRichiesta r;
    r.Codice = u"A123";
    r.Foglio = u"0010, 0020&x";
    r.Ver = u"2.0";
    const WString prot = WString::Formatted(
        u"%d",
        static_cast<int>(CTafRichiesta::CalcolaProt(u"codice=A123&foglio=0010, 0020&x&pf=&raggio=&x=&y=")));
    EXPECT_EQ(r.Indirizzo(CTafRichiesta::kComune),
              u"http://127.0.0.1:8088/tafservice/tafservice.php?tipo=3&codice=A123&foglio=0010,%200020%26x"
              u"&pf=&raggio=&x=&y=&prot=" +
                  prot + u"&ver=2.0");
    ASSERT_TRUE(CIniFile().WriteString(u"CATASTO", u"TAF_SERVER", u"  taf.example:81/ "));
    EXPECT_EQ(r.Indirizzo(CTafRichiesta::kDistanze).Left(44),
              u"http://taf.example:81/tafservice/tafservice.");
    ASSERT_TRUE(CIniFile().WriteString(u"CATASTO", u"TAF_SERVER", u"https://altro"));
    EXPECT_EQ(IndirizzoServerTaf(), u"https://altro");
    host::SetFolders({});
}

TEST(TafQuery, DistancesNeedTheFirstPoint) {
    CTafRichiesta r;
    r.Codice = u"A123";
    r.Foglio = u"0120";
    WString risposta = u"vecchia";
    EXPECT_FALSE(r.RichiestaDistanze(risposta)); // no pf: no query at all
    EXPECT_TRUE(risposta.IsEmpty());
}

TEST(TafRisposta, MunicipalityAndPositionLines) {
    CTafElenco elenco;
    EXPECT_TRUE(elenco.LeggiRispostaTaf(
        W("0120$7$SPIGOLO$5012345.670$1501234.500$-3$123.450$MARCIAPIEDE$2$45$12$ $7$150399$"
          "NUOVO$oltre$\n"
          "0130$8$$5012000$1501000$\n"
          "\n"
          "0140$9$senza fine riga$5013000,5$1502000$tagliata"),
        u"A123", false));
    ASSERT_EQ(elenco.GetCount(), 3);
    const CTafPunto& p = *elenco.GetAt(0);
    EXPECT_EQ(p.Comune, u"A123");
    EXPECT_EQ(p.Foglio, u"0120");
    EXPECT_EQ(p.NumPF, 7);
    EXPECT_EQ(p.DescrPlan, u"SPIGOLO");
    EXPECT_DOUBLE_EQ(p.Nord, 5012345.67);
    EXPECT_DOUBLE_EQ(p.Est, 1501234.5);
    EXPECT_EQ(p.AttP, 3);
    EXPECT_DOUBLE_EQ(p.Quota, 123.45);
    EXPECT_EQ(p.DescrQuota, u"MARCIAPIEDE");
    EXPECT_EQ(p.AttQ, 2);
    EXPECT_EQ(p.Particella, u"45");
    EXPECT_EQ(p.FoglioOr, u"12");
    EXPECT_EQ(p.AllegOr, u" ");
    EXPECT_EQ(p.FiducOr, u"7");
    EXPECT_EQ(p.DataAgg, u"150399");
    EXPECT_EQ(p.CausaAgg, u"NUOVO");
    EXPECT_EQ(elenco.GetAt(1)->NumPF, 8);
    EXPECT_TRUE(elenco.GetAt(1)->DescrPlan.IsEmpty());
    EXPECT_TRUE(IsRealeIndefinito(elenco.GetAt(1)->Quota));
    // The last line counts without its line end; the text after its last '$' does not.
    EXPECT_DOUBLE_EQ(elenco.GetAt(2)->Nord, 5013000.5);
    EXPECT_TRUE(IsRealeIndefinito(elenco.GetAt(2)->Quota));

    CTafElenco vicini;
    EXPECT_TRUE(vicini.LeggiRispostaTaf(W("B456$0120$7$descr$5000000$1500000$\r\n"), WString(), true));
    ASSERT_EQ(vicini.GetCount(), 1);
    EXPECT_EQ(vicini.GetAt(0)->Comune, u"B456");
    EXPECT_EQ(vicini.GetAt(0)->Foglio, u"0120");
    EXPECT_EQ(vicini.GetAt(0)->NumPF, 7);
    EXPECT_EQ(vicini.GetAt(0)->DescrPlan, u"descr");
}

// Only lines with the fields of a point count: an error page or stray bytes served as an answer are a
// failure, not an empty success; "Warning" and an empty answer still mean "nothing found".
TEST(TafRisposta, LinesWithoutAPointAreRefused) {
    const struct {
        const char* risposta;
        bool esito;
        int punti;
    } casi[] = {
        {"0120$7$S$1$2$\nWarning: richiesta non valida\n", true, 0},
        {"", true, 0},
        {"\n\r\n", true, 0},
        {"<html>\n<body>Errore</body>\n</html>\n", false, 0},
        {"\x01\xff\xfe 0120 7 \x1b[2J", false, 0},
        {"0120$7$\n", false, 0},                   // no coordinates
        {"0120$7$SPIG$5000000$1500000", false, 0}, // the East has no '$' after it
        {"$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$$\n", false, 0},
        {"0120$x7$S$5000000$1500000$\n", false, 0},    // the PF number is no number
        {"0120$12345$S$5000000$1500000$\n", false, 0}, // wider than a TAF column
        {"0120$7$S$5000000$1.5e6$\n", false, 0},       // not a surveyor's number
        {"<html>\n0120$ 7 $S$5000000$1500000$\n</html>\n", true, 1},
    };
    for (const auto& c : casi) {
        CTafElenco elenco;
        EXPECT_EQ(elenco.LeggiRispostaTaf(WString::FromCp1252(c.risposta), u"A123", false), c.esito)
            << c.risposta;
        EXPECT_EQ(elenco.GetCount(), c.punti) << c.risposta;
    }
    CTafElenco vicini; // a position answer has the municipality in front: one field more is needed
    EXPECT_FALSE(vicini.LeggiRispostaTaf(W("0120$7$S$5000000$1500000$\n"), WString(), true));
}

} // namespace
