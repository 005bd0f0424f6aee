#include "pfimport/TafElenco.h"

#include "TafTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <random>
#include <vector>

using taftest::Cartella;
using taftest::RigaTaf;

namespace {

WString W(const std::filesystem::path& p) {
    return WString::FromUtf8(p.string());
}
WString W(const char* s) {
    return WString::FromUtf8(s);
}

std::vector<CTafPunto*> Tutti(CTafElenco& elenco) {
    std::vector<CTafPunto*> out;
    elenco.ResetIter();
    while (CTafPunto* p = elenco.GetNext())
        out.push_back(p);
    return out;
}

std::vector<WString> Lista(std::initializer_list<const char*> testi) {
    std::vector<WString> out;
    for (const char* t : testi)
        out.push_back(W(t));
    return out;
}

TEST(TafRiga, ReadsEveryColumn) {
    CTafElenco elenco;
    RigaTaf r;
    r.allegato = "A";
    r.numero = "-7";
    elenco.LeggiRigaTaf(W((r.Testo() + "\n").c_str()));
    ASSERT_EQ(elenco.GetCount(), 1);
    const CTafPunto& p = *elenco.GetAt(0);
    EXPECT_EQ(p.Comune, u"A123");
    EXPECT_EQ(p.Foglio, u"012A");
    EXPECT_EQ(p.NumPF, 7);
    EXPECT_EQ(p.Particella, u"45");
    EXPECT_EQ(p.DescrPlan, u"SPIGOLO FABBRICATO");
    EXPECT_DOUBLE_EQ(p.Nord, 5012345.67);
    EXPECT_DOUBLE_EQ(p.Est, 1501234.50);
    EXPECT_EQ(p.AttP, 3);
    EXPECT_EQ(p.FoglioOr, u"12");
    EXPECT_EQ(p.AllegOr, u" ");
    EXPECT_EQ(p.FiducOr, u"7");
    EXPECT_EQ(p.DataAgg, u"150399");
    EXPECT_EQ(p.CausaAgg, u"NUOVO");
    EXPECT_EQ(p.DescrQuota, u"MARCIAPIEDE");
    EXPECT_EQ(p.AttQ, 2);
    EXPECT_DOUBLE_EQ(p.Quota, 123.45);
}

TEST(TafRiga, HeightNeedsTwoHundredFiftyCharactersLineEndIncluded) {
    RigaTaf r;
    r.quota = "";
    std::string base = r.Testo().substr(0, 241) + "  123.45"; // 249 characters
    CTafElenco corta, lunga;
    corta.LeggiRigaTaf(W((base.substr(0, 248) + "\n").c_str()));
    lunga.LeggiRigaTaf(W((base + "\n").c_str()));
    EXPECT_TRUE(corta.GetAt(0)->DescrQuota.IsEmpty());
    EXPECT_EQ(corta.GetAt(0)->AttQ, 0);
    EXPECT_TRUE(IsRealeIndefinito(corta.GetAt(0)->Quota));
    EXPECT_EQ(lunga.GetAt(0)->DescrQuota, u"MARCIAPIEDE");
    EXPECT_EQ(lunga.GetAt(0)->AttQ, 2);
    EXPECT_DOUBLE_EQ(lunga.GetAt(0)->Quota, 123.45);
}

// A line names a point with its municipality, sheet, annex and number; a line holding an illegible
// character is damage wherever it holds it. The other fields take what they find.
TEST(TafRiga, OnlyLinesThatNameAPointAreRecords) {
    const struct {
        void (*modifica)(RigaTaf&);
        const char16_t* coda; // after the line's 251 characters
        int numero;           // -1: no record
    } casi[] = {
        {[](RigaTaf&) {}, u"\r\n", 7},
        {[](RigaTaf& r) { r.numero = "-7"; }, u"\n", 7},
        {[](RigaTaf& r) { r.numero = "+3"; }, u"\n", 3},
        {[](RigaTaf& r) { r.numero = ""; }, u"\n", -1},
        {[](RigaTaf& r) { r.numero = "x"; }, u"\n", -1},
        {[](RigaTaf& r) { r.numero = "1 2"; }, u"\n", -1},
        {[](RigaTaf& r) { r.comune = "A1"; }, u"\n", -1},
        {[](RigaTaf& r) { r.comune = "A12#"; }, u"\n", -1},
        {[](RigaTaf& r) { r.comune = "A123B"; }, u"\n", 7},
        {[](RigaTaf& r) { r.foglio = ""; }, u"\n", -1},
        {[](RigaTaf& r) { r.foglio = "-12"; }, u"\n", -1},
        {[](RigaTaf& r) { r.foglio = "ABCD"; }, u"\n", 7},
        {[](RigaTaf& r) { r.allegato = "%"; }, u"\n", -1},
        {[](RigaTaf& r) { r.allegato = "b"; }, u"\n", 7},
        {[](RigaTaf& r) { r.descrPlan = "CROCE \xC3\xA8 \xE2\x82\xAC\t\xC3\xBF"; }, u"\n", 7},
        {[](RigaTaf& r) { r.descrPlan = "CROCE \x01"; }, u"\n", -1},
        {[](RigaTaf& r) { r.descrPlan = "CROCE \x7F"; }, u"\n", -1},
        {[](RigaTaf& r) { r.descrPlan = "CROCE \xC2\x81"; }, u"\n", -1},
        {[](RigaTaf& r) { r.descrPlan = "CROCE \xEF\xBF\xBD"; }, u"\n", -1},
        {[](RigaTaf& r) { r.descrPlan = "CROCE \r SU"; }, u"\n", -1},
        {[](RigaTaf& r) { r.causaAgg = "\v"; }, u"", -1},
    };
    for (const auto& c : casi) {
        RigaTaf r;
        c.modifica(r);
        CTafElenco elenco;
        const WString riga = W(r.Testo().c_str()) + c.coda;
        EXPECT_EQ(elenco.LeggiRigaTaf(riga), c.numero >= 0) << riga.ToUtf8();
        EXPECT_EQ(elenco.GetCount(), c.numero >= 0 ? 1 : 0);
        if (c.numero >= 0) {
            EXPECT_EQ(elenco.GetAt(0)->NumPF, c.numero) << riga.ToUtf8();
        }
    }
    // NUL inside the text, as a WString may hold it.
    CTafElenco elenco;
    EXPECT_FALSE(elenco.LeggiRigaTaf(WString(std::u16string(u"A123    12      7 45\0 X\n", 24))));
    for (const char* riga : {"", "\n", "A1", "A123 xx  Q abc"})
        EXPECT_FALSE(elenco.LeggiRigaTaf(W(riga))) << riga;
    EXPECT_EQ(elenco.GetCount(), 0);
}

// A coordinate is read only when the line holds its whole column: a line cut inside it would give the
// digits before the cut as the value.
TEST(TafRiga, CoordinatesCutWithTheLineStayUndefined) {
    const std::string riga = RigaTaf().Testo();
    const struct {
        std::size_t lunghezza;
        const char* fine;
        bool nord, est;
    } casi[] = {{18, "", false, false},   {60, "\r\n", false, false}, {110, "\n", false, false},
                {113, "\n", true, false}, {120, "", true, false},     {125, "\n", true, false},
                {126, "\n", true, true},  {126, "", true, true},      {251, "\n", true, true}};
    for (const auto& c : casi) {
        CTafElenco elenco;
        ASSERT_TRUE(elenco.LeggiRigaTaf(W((riga.substr(0, c.lunghezza) + c.fine).c_str()))) << c.lunghezza;
        const CTafPunto& p = *elenco.GetAt(0);
        EXPECT_EQ(p.NumPF, 7);
        EXPECT_EQ(!IsRealeIndefinito(p.Nord), c.nord) << c.lunghezza;
        EXPECT_EQ(!IsRealeIndefinito(p.Est), c.est) << c.lunghezza;
        if (c.est) {
            EXPECT_DOUBLE_EQ(p.Est, 1501234.50);
        }
    }
}

TEST(TafFoglio, SheetRule) {
    const struct {
        const char16_t* foglio;
        char16_t allegato;
        const char16_t* codice;
    } casi[] = {
        {u"12", u' ', u"0120"},   {u"1", u'B', u"001B"},       {u"1005", u'A', u"A05A"},
        {u"1199", u' ', u"B990"}, {u"999", u' ', u"zzz0"},     {u"9999", u' ', u"zzz0"},
        {u"", u' ', u"0000"},     {u"12345", u' ', u"123450"}, {u"123", u'\0', u"1230"},
    };
    for (const auto& c : casi)
        EXPECT_EQ(CodiceFoglioTaf(c.foglio, c.allegato), c.codice) << WString(c.foglio).ToUtf8();
}

TEST(TafFoglio, PlanarDistance) {
    EXPECT_DOUBLE_EQ(DistanzaTaf(3, -4), 5);
    EXPECT_DOUBLE_EQ(DistanzaTaf(-4, 3), 5);
    EXPECT_DOUBLE_EQ(DistanzaTaf(0, 0), 0);
    EXPECT_DOUBLE_EQ(DistanzaTaf(1e200, 1e200), 1e200 * std::sqrt(2.0));
}

class TafFile : public ::testing::Test {
protected:
    Cartella dir;
    CTafElenco elenco;

    // Municipalities and sheets of the filter tests, one point each.
    std::filesystem::path Provincia() {
        std::string testo;
        auto add = [&](const char* comune, const char* foglio, const char* allegato, const char* numero) {
            RigaTaf r;
            r.comune = comune;
            r.foglio = foglio;
            r.allegato = allegato;
            r.numero = numero;
            testo += r.Testo() + "\n";
        };
        add("A123", "12", " ", "1");
        add("A123", "1005", "A", "2");
        add("A123", "999", " ", "3");
        add("A123B", "12", " ", "4");
        add("B456", "12", " ", "5");
        add("A123", "9999", " ", "6");
        add("A123", "13", " ", "7");
        return dir.Scrivi("prov.taf", testo);
    }

    std::vector<int> Numeri() {
        std::vector<int> out;
        for (CTafPunto* p : Tutti(elenco))
            out.push_back(p->NumPF);
        return out;
    }
};

TEST_F(TafFile, FilteredReadByMunicipalityAndSheet) {
    const WString path = W(Provincia());
    const struct {
        std::vector<WString> comuni, fogli;
        std::vector<int> numeri;
    } casi[] = {
        {Lista({"A123"}), {}, {1, 2, 3, 6, 7}},
        {Lista({"A123B"}), {}, {4}},
        {Lista({"A123", "B456"}), Lista({"0120"}), {1, 5}},
        {Lista({"A123"}), Lista({"A05A", "zzz0"}), {2, 3, 6}},
        {Lista({"A12"}), {}, {}},
        {{}, {}, {}},
    };
    for (const auto& c : casi) {
        EXPECT_TRUE(elenco.CaricaTafFiltro(path, c.comuni, c.fogli));
        EXPECT_EQ(Numeri(), c.numeri);
    }
    const std::vector<WString> a123 = Lista({"A123"}), tutti;
    EXPECT_TRUE(elenco.Carica(path, &a123, &tutti, REALE_INDEFINITO, REALE_INDEFINITO, REALE_INDEFINITO));
    EXPECT_EQ(elenco.GetCount(), 5);
}

TEST_F(TafFile, NearReadTakesThePointAtTheRadius) {
    std::string testo;
    const char* posizioni[][2] = {
        {"1000.00", "2000.00"}, {"1003.00", "2004.00"}, {"1003.00", "2004.01"}, {"", ""}};
    int n = 1;
    for (auto& pos : posizioni) {
        RigaTaf r;
        r.nord = pos[0];
        r.est = pos[1];
        r.numero = std::to_string(n++);
        testo += r.Testo() + "\n";
    }
    const WString path = W(dir.Scrivi("vicino.TAF", testo));
    EXPECT_TRUE(elenco.CaricaTafVicino(path, 1000, 2000, 5));
    EXPECT_EQ(Numeri(), (std::vector<int>{1, 2}));
    // Arguments refused: the previous list stays.
    EXPECT_FALSE(elenco.CaricaTafVicino(path, 1000, 2000, 0));
    EXPECT_FALSE(elenco.CaricaTafVicino(path, 1000, 2000, -1));
    EXPECT_FALSE(elenco.CaricaTafVicino(path, REALE_INDEFINITO, 2000, 5));
    EXPECT_FALSE(elenco.Carica(path, nullptr, nullptr, 1000, REALE_INDEFINITO, 5));
    EXPECT_FALSE(elenco.CaricaTafVicino(WString(), 1000, 2000, 5));
    EXPECT_EQ(elenco.GetCount(), 2);
    // A blank position reads as 0, 0.
    EXPECT_TRUE(elenco.Carica(path, nullptr, nullptr, 0, 0, 1));
    EXPECT_EQ(Numeri(), (std::vector<int>{4}));
}

TEST_F(TafFile, OutFile) {
    const WString path = W(dir.Scrivi("B789.out", "0120,7,5,1000.5,2000.25,12.3\n"
                                                  "0130,-8,-4,1001,2001,55.5,\n"
                                                  "0140,9\n"
                                                  "\n"
                                                  "x,y,z,w,v,u,t,s,\n"
                                                  "Foglio,PF,Att,Nord,Est,Quota,\n"
                                                  "0150,3,2,1002,\n"
                                                  "0160,4,2,1003,2003,\x01,\n"
                                                  " 12 , 5 ,1,abc,2004,\r\n"));
    EXPECT_TRUE(elenco.Carica(path, nullptr, nullptr, 0, 0, 0));
    const auto punti = Tutti(elenco);
    ASSERT_EQ(punti.size(), 4u);
    for (CTafPunto* p : punti)
        EXPECT_EQ(p->Comune, u"B789");
    EXPECT_EQ(punti[0]->Foglio, u"0120");
    EXPECT_EQ(punti[0]->NumPF, 7);
    EXPECT_EQ(punti[0]->AttP, 5);
    EXPECT_DOUBLE_EQ(punti[0]->Nord, 1000.5);
    EXPECT_DOUBLE_EQ(punti[0]->Est, 2000.25);
    EXPECT_TRUE(IsRealeIndefinito(punti[0]->Quota));
    EXPECT_EQ(punti[1]->NumPF, -8);
    EXPECT_EQ(punti[1]->AttP, 4);
    EXPECT_DOUBLE_EQ(punti[1]->Quota, 55.5);
    // Cut after its North: a point without East.
    EXPECT_EQ(punti[2]->Foglio, u"0150");
    EXPECT_DOUBLE_EQ(punti[2]->Nord, 1002);
    EXPECT_TRUE(IsRealeIndefinito(punti[2]->Est));
    EXPECT_EQ(punti[3]->Foglio, u" 12 ");
    EXPECT_EQ(punti[3]->NumPF, 5);
    EXPECT_TRUE(IsRealeIndefinito(punti[3]->Nord));

    EXPECT_FALSE(elenco.CaricaOut(WString(), u"B789"));
    EXPECT_EQ(elenco.GetCount(), 0);
}

// Lines holding a NUL byte are damage wherever the NUL sits, the last line included; a file whose lines
// are all damage did not load, one of blank lines only loaded nothing.
TEST_F(TafFile, DamagedFilesGiveNoPoints) {
    RigaTaf r;
    const std::string buona = r.Testo();
    std::string conNul = buona;
    conNul[150] = '\0';
    std::string nulPrimaDellaChiave = buona;
    nulPrimaDellaChiave[8] = '\0';
    const std::vector<WString> comuni = Lista({"A123"}), fogli = Lista({"0120"});
    const struct {
        std::string testo;
        int taf, out; // records; -1: the load gives false
    } casi[] = {
        {buona + "\n" + conNul + "\n" + buona + "\n", 2, -1},
        {buona + "\n" + conNul, 1, -1},
        {conNul + "\n", -1, -1},
        {nulPrimaDellaChiave + "\r\n" + buona, 1, -1},
        {std::string("\0\n", 2) + buona, 1, -1},
        {"\n\r\n  \n", 0, 0},
        {"", 0, 0},
        {std::string("0120,1,5,120.52,150.27,\n\0\n", 26), 0, 1},
        {std::string("0120,1,5,120.52,150.27\0,\n", 25), 0, -1},
    };
    for (const auto& c : casi) {
        const WString taf = W(dir.Scrivi("nul.taf", c.testo)), out = W(dir.Scrivi("A123.out", c.testo));
        EXPECT_EQ(elenco.CaricaTafFiltro(taf, comuni, fogli), c.taf >= 0) << c.testo;
        EXPECT_EQ(elenco.GetCount(), std::max(c.taf, 0)) << c.testo;
        EXPECT_EQ(elenco.CaricaTafVicino(taf, 5012345.67, 1501234.50, 1), c.taf >= 0) << c.testo;
        EXPECT_EQ(elenco.GetCount(), std::max(c.taf, 0)) << c.testo;
        EXPECT_EQ(elenco.CaricaOut(out, u"A123"), c.out >= 0) << c.testo;
        EXPECT_EQ(elenco.GetCount(), std::max(c.out, 0)) << c.testo;
    }
    // Random bytes as an OUT file: no line of them is a point.
    std::mt19937 rnd(4);
    std::string casuale(4096, '\0');
    for (char& b : casuale)
        b = static_cast<char>(rnd());
    EXPECT_FALSE(elenco.CaricaOut(W(dir.Scrivi("A123.out", casuale)), u"A123"));
    EXPECT_EQ(elenco.GetCount(), 0);
}

TEST_F(TafFile, ExtensionChoosesTheReader) {
    RigaTaf r;
    const std::string riga = r.Testo() + "\n";
    const std::vector<WString> comuni = Lista({"A123"}), fogli;
    EXPECT_TRUE(elenco.Carica(W(dir.Scrivi("uno.Taf", riga)), &comuni, &fogli, 0, 0, 0));
    EXPECT_EQ(elenco.GetCount(), 1);
    EXPECT_FALSE(elenco.Carica(W(dir.Scrivi("uno.txt", riga)), &comuni, &fogli, 0, 0, 0));
    EXPECT_FALSE(elenco.Carica(W(dir.Path() / "senza_estensione"), &comuni, &fogli, 0, 0, 0));
    EXPECT_EQ(elenco.GetCount(), 1);
    // A file that cannot be opened empties the list and gives false.
    EXPECT_FALSE(elenco.Carica(W(dir.Path() / "manca.taf"), &comuni, &fogli, 0, 0, 0));
    EXPECT_EQ(elenco.GetCount(), 0);
    EXPECT_FALSE(elenco.CaricaTafFiltro(WString(), comuni, fogli));
}

TEST_F(TafFile, ALoadNeverMerges) {
    RigaTaf r;
    const std::string riga = r.Testo() + "\n";
    const WString tre = W(dir.Scrivi("tre.taf", riga + riga + riga));
    const WString una = W(dir.Scrivi("una.taf", riga));
    const std::vector<WString> comuni = Lista({"A123"}), fogli;
    EXPECT_TRUE(elenco.CaricaTafFiltro(tre, comuni, fogli));
    EXPECT_TRUE(elenco.CaricaTafFiltro(una, comuni, fogli));
    EXPECT_EQ(elenco.GetCount(), 1);
    EXPECT_TRUE(elenco.CaricaTafVicino(tre, 5012345.67, 1501234.50, 1));
    EXPECT_EQ(elenco.GetCount(), 3);
}

// How a generated file is shaped: its seed, its line end (null: LF, CRLF or lone CR at random), its
// number of lines, and which damage its lines may carry.
struct FormaFile {
    const char* nome;
    unsigned seme;
    const char* fineRiga;
    int righe;
    bool danni;
    bool virgole = false; // OUT lines instead of TAF lines
};

// A file of every awkward shape: fields from lists of sound and malformed values, a byte-order mark, lines
// cut short, longer than 1022 characters or holding NUL, CR and 8-bit bytes, no final line end.
std::string FileStrano(const FormaFile& forma) {
    std::mt19937 rnd(forma.seme);
    auto scegli = [&](std::initializer_list<const char*> v) {
        return std::string(v.begin()[rnd() % v.size()]);
    };
    std::string out = "\xEF\xBB\xBF";
    for (int i = 0; i < forma.righe; ++i) {
        RigaTaf r;
        r.comune = scegli({"A123", "A123B", "B456", " A12", "a123", "A1234"});
        r.foglio = scegli({"12", "1005", "999", "9999", "1", "12345", "ABCD", "-12", ""});
        r.allegato = scegli({" ", "A", "z"});
        r.numero = scegli({"7", "-7", "+3", "x", "", "99999"});
        r.attP = r.attQ = scegli({"3", "-2", "", "x"});
        for (std::string* v : {&r.nord, &r.est, &r.quota})
            *v = scegli({"5012345.67", "1501234,50", "-12.5", "1e3", ".5", "5.", "abc", "", "1.2.3", "1 2",
                         "\t77", "-0", "123456789012"});
        r.descrPlan = scegli({"SPIGOLO FABBRICATO", "CROCE \xE8 \x80\x9F\xFF", "", " \t X\v"});
        r.causaAgg = scegli({"IMPIANTO", "  A  ", ""});
        std::string s = r.Testo();
        if (forma.virgole) {
            const std::string coda[] = {"", r.quota, r.quota + ",", r.quota + "," + r.descrPlan + ","};
            s = r.foglio + "," + r.numero + "," + r.attP + "," + r.nord + "," + r.est + "," + coda[rnd() % 4];
        }
        switch (forma.danni ? rnd() % 8 : 7) {
        case 0:
            s.resize(rnd() % 260);
            break;
        case 1:
            s[rnd() % s.size()] = '\0';
            break;
        case 2:
            s += std::string(1000 + rnd() % 1200, 'X');
            s.replace(1022, 5, forma.virgole ? "12,3," : "A123 ");
            break;
        case 3:
            s[rnd() % s.size()] = '\r';
            break;
        default:
            break;
        }
        out += s + (forma.fineRiga ? std::string(forma.fineRiga) : scegli({"\n", "\r\n", "\r\n", "\r"}));
    }
    return out + RigaTaf().Testo();
}

const FormaFile kForme[] = {
    {"misto", 2024, nullptr, 160, true},    {"LF", 7, "\n", 120, true},
    {"CRLF", 8, "\r\n", 120, true},         {"CR", 9, "\r", 60, true},
    {"sano, CRLF", 10, "\r\n", 200, false}, {"vuoto", 11, "\n", 0, false},
    {"OUT", 12, nullptr, 120, true, true},  {"OUT sano", 13, "\r\n", 60, false, true},
};

std::string Descrivi(CTafElenco& elenco) {
    std::string out;
    for (const CTafPunto* p : Tutti(elenco)) {
        for (const WString* t : {&p->Comune, &p->Foglio, &p->Particella, &p->DescrPlan, &p->FoglioOr,
                                 &p->AllegOr, &p->FiducOr, &p->DataAgg, &p->CausaAgg, &p->DescrQuota}) {
            for (char16_t c : t->view()) {
                char esc[16];
                std::snprintf(esc, sizeof esc, c < 0x20 || c > 0x7E || c == '|' ? "\\x%X" : "%c", c);
                out += esc;
            }
            out += '|';
        }
        char numeri[128];
        std::snprintf(numeri, sizeof numeri, "%d|%d|%d|%.17g|%.17g|%.17g\n", p->NumPF, p->AttP, p->AttQ,
                      p->Nord, p->Est, p->Quota);
        out += numeri;
    }
    return out;
}

// Every loader on each generated file gives the result and the records that the reader gave when it built
// a record per line (kept in taf_equivalenza.txt; set PREGEO_RISCRIVI_ATTESI to record them again).
TEST_F(TafFile, AwkwardFilesReadAsRecorded) {
    std::string letto;
    for (const FormaFile& forma : kForme) {
        const std::string testo = FileStrano(forma);
        const WString taf = W(dir.Scrivi("strano.taf", testo)), out = W(dir.Scrivi("strano.out", testo));
        const std::vector<WString> comuni = Lista({"A123", "A123B", "B456", "a123"}),
                                   fogli = Lista({"0120", "A05A", "zzz0", "001A", "7CDz", "-120"}), nessuno;
        const struct {
            const char* nome;
            std::function<bool()> carica;
        } carichi[] = {
            {"comuni", [&] { return elenco.CaricaTafFiltro(taf, comuni, nessuno); }},
            {"comuni e fogli", [&] { return elenco.CaricaTafFiltro(taf, comuni, fogli); }},
            {"vicino, ogni riga", [&] { return elenco.CaricaTafVicino(taf, 1, 1, 1e300); }},
            {"vicino", [&] { return elenco.CaricaTafVicino(taf, 1, 1, 1501233); }},
            {"out", [&] { return elenco.CaricaOut(out, u"X"); }},
        };
        for (const auto& c : carichi) {
            const bool riuscito = c.carica();
            letto += std::string("# ") + forma.nome + ": " + c.nome + (riuscito ? "\n" : " (false)\n") +
                     Descrivi(elenco);
        }
    }
    const char* atteso = "tests/pfimport/taf_equivalenza.txt";
    if (std::getenv("PREGEO_RISCRIVI_ATTESI"))
        std::ofstream(atteso, std::ios::binary) << letto;
    std::ifstream in(atteso, std::ios::binary);
    EXPECT_EQ(letto, std::string(std::istreambuf_iterator<char>(in), {}));
}

TEST(TafCursore, WalksInOrderAndStopsAtTheEnd) {
    CTafElenco elenco;
    EXPECT_EQ(elenco.GetNext(), nullptr);
    for (int i = 1; i <= 3; ++i) {
        auto p = std::make_unique<CTafPunto>();
        p->NumPF = i;
        elenco.Aggiungi(std::move(p));
    }
    elenco.Aggiungi(nullptr);
    elenco.ResetIter();
    EXPECT_EQ(elenco.GetNext()->NumPF, 1);
    EXPECT_EQ(elenco.GetNext()->NumPF, 2);
    EXPECT_EQ(elenco.GetNext()->NumPF, 3);
    EXPECT_EQ(elenco.GetNext(), nullptr);
    EXPECT_EQ(elenco.GetNext(), nullptr);
    elenco.Svuota();
    elenco.ResetIter();
    EXPECT_EQ(elenco.GetNext(), nullptr);
}

} // namespace

namespace {

TEST(TafDemo, SampleFolderReadsAsTaf) {
    CTafElenco elenco;
    const std::vector<WString> comuni = Lista({"A123"}), fogli = Lista({"A05A"});
    ASSERT_TRUE(elenco.CaricaTafFiltro(u"samples\\demo\\taf\\AL_A123.taf", comuni, fogli));
    ASSERT_EQ(elenco.GetCount(), 4);
    for (CTafPunto* p : Tutti(elenco)) {
        EXPECT_EQ(p->Comune, u"A123");
        EXPECT_EQ(p->Foglio, u"A05A");
        EXPECT_FALSE(IsRealeIndefinito(p->Nord));
        EXPECT_FALSE(IsRealeIndefinito(p->Quota));
    }
}

} // namespace

namespace {

// A web answer's fields come back from the packed list as the plain conversions give them: texts in any
// script or longer than a block, reals of every shape, integers at the ends of their range.
TEST(TafPacchetto, WebFieldsComeBackAsTheConversionsGiveThem) {
    const std::u16string lungo(70000, u'\x4E2D');
    const std::vector<std::u16string> testi = {
        u"", u"A123", u"CROCE \xE8 \x20AC\x178\xFF", u"\x81\x9F\x80", u"\x4E2D\xD83D\xDE00", lungo};
    const std::vector<std::u16string> reali = {
        u"5012345.67",         u"-12.5", u"-0",  u"1e-300", u"1e300",   u"0.1234567891",
        u"123456789012345678", u"",      u"abc", u"9e199",  u"1.7e200", u"1,5"};
    const std::vector<std::u16string> interi = {u"7", u"-7", u"99999", u"-99999", u"", u"x"};
    std::u16string risposta;
    for (std::size_t i = 0; i < 24; ++i) {
        const std::u16string& t = testi[i % testi.size()];
        const std::u16string& r = reali[i % reali.size()];
        const std::u16string& n = interi[i % interi.size()];
        // number, sheet, PF, description, north, east, reliability, height, height text, height reliability,
        // parcel, sheet of origin, annex, PF of origin, date, cause
        risposta += u"A123$" + t + u"$12$" + t + u"$1$2$" + n + u"$" + r + u"$" + t + u"$" + n + u"$" + t +
                    u"$" + t + u"$" + t + u"$" + t + u"$" + t + u"$" + t + u"$\r\n";
    }
    CTafElenco elenco;
    ASSERT_TRUE(elenco.LeggiRispostaTaf(WString(risposta), u"A123", true));
    ASSERT_EQ(elenco.GetCount(), 24);
    for (int i = 0; i < 24; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const WString t(testi[k % testi.size()]), r(reali[k % reali.size()]), n(interi[k % interi.size()]);
        const CTafPunto& p = *elenco.GetAt(i);
        for (const WString* campo : {&p.Foglio, &p.DescrPlan, &p.DescrQuota, &p.Particella, &p.FoglioOr,
                                     &p.AllegOr, &p.FiducOr, &p.DataAgg, &p.CausaAgg})
            EXPECT_EQ(*campo, t) << i;
        const double quota = DoubleDaCString(r);
        EXPECT_TRUE(std::memcmp(&p.Quota, &quota, sizeof quota) == 0) << i << " " << p.Quota;
        EXPECT_EQ(p.AttP, std::abs(ShortDaStringNullZero(n))) << i;
        EXPECT_EQ(p.AttQ, std::abs(ShortDaStringNullZero(n))) << i;
        EXPECT_EQ(p.NumPF, 12);
        EXPECT_EQ(p.Nord, 1);
        std::int32_t numPF = 0;
        std::u16string foglio, comune;
        ASSERT_TRUE(elenco.GetNome(i, numPF, foglio, comune));
        EXPECT_EQ(numPF, 12);
        EXPECT_EQ(WString(foglio), t);
        EXPECT_EQ(comune, u"A123");
    }
    std::int32_t numPF = 0;
    std::u16string foglio, comune;
    EXPECT_FALSE(elenco.GetNome(24, numPF, foglio, comune));
    EXPECT_FALSE(elenco.GetNome(-1, numPF, foglio, comune));
}

// A record handed out is the same one the next time, changes included (the grid rewrites the date), until
// the next load; a record given to the list is the one handed back.
TEST(TafPacchetto, HandedOutRecordsStayUntilTheNextLoad) {
    CTafElenco elenco;
    elenco.LeggiRigaTaf(W((RigaTaf().Testo() + "\n").c_str()));
    auto proprio = std::make_unique<CTafPunto>();
    CTafPunto* dato = proprio.get();
    elenco.Aggiungi(std::move(proprio));
    CTafPunto* primo = elenco.GetAt(0);
    primo->DataAgg = u"15/03/99";
    EXPECT_EQ(elenco.GetAt(0), primo);
    EXPECT_EQ(elenco.GetAt(0)->DataAgg, u"15/03/99");
    EXPECT_EQ(elenco.GetAt(1), dato);
    elenco.ResetIter();
    EXPECT_EQ(elenco.GetNext(), primo);
    EXPECT_EQ(elenco.GetNext(), dato);
    EXPECT_EQ(elenco.GetAt(2), nullptr);
    elenco.Svuota();
    EXPECT_EQ(elenco.GetCount(), 0);
    EXPECT_EQ(elenco.GetAt(0), nullptr);
}

} // namespace
