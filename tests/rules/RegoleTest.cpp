#include "rules/Regole.h"
#include "tests/rules/TestUtil.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct CasoTesto {
    WString valore;
    int atteso;
};

void Verifica(const std::function<int(WString)>& regola, const std::vector<CasoTesto>& casi) {
    for (const auto& c : casi) {
        SCOPED_TRACE(c.valore.ToUtf8());
        EXPECT_EQ(regola(c.valore), c.atteso);
    }
}

const double MANCANTE = REALE_INDEFINITO;

} // namespace

TEST(Regole, NomeNumerico) {
    Verifica(ControlloNomeNumerico, {{u"", 1},
                                     {u"1", -1},
                                     {u"12345", -1},
                                     {u"123456", 1},
                                     {u"12a", 0},
                                     {u"PF1X", 0},
                                     {u"12 4", 0},
                                     {u"1234x6", 1}});
}

TEST(Regole, CaratteriStandard) {
    Verifica(ControlloCaratteriStandard,
             {{u"", -1}, {u" ~\x7F", -1}, {u"Rossi\x1F", 111}, {u"Niccolò", 111}, {u"A\x80", 111}});
}

TEST(Regole, CodiceComune) {
    Verifica(ControlloCodiceComune, {{u"", 34},
                                     {u"A12", 23},
                                     {u"A123", -1},
                                     {u"A1234", -1},
                                     {u"A12345", 23},
                                     {u"a123", 23},
                                     {u"A 23", 23},
                                     {u"À123", 23}});
}

TEST(Regole, NomePF) {
    Verifica(ControlloNomePF, {{u"PF12", -1},
                               {u"pf12", -1},
                               {u"PF1", 22},
                               {u"PF1X", 22},
                               {u"PX12", 22},
                               {u"PF12/0010", -1},
                               {u"PF12/001", 22},
                               {u"PF1/0010", 22},
                               {u"PF12-0010", 22},
                               {u"PF12/a010", 22},
                               {u"PF12/0010/", 22},
                               {u"PF12/0010/A123", -1},
                               {u"PF12/0010/A12345", 22},
                               {u"PF12/0010-A123", 22}});
    Verifica(ControlloNomePFCompleto, {{u"PF12/0010/A123", -1},
                                       {u"pf12/0010/A1234", -1},
                                       {u"PF12/0010", 22},
                                       {u"PF12", 22},
                                       {u"PF12/0010/A12", 22},
                                       {u"PF12/0010/a123", 22}});
}

TEST(Regole, NomePunto) {
    Verifica(ControlloNomePunto, {{u"123456", 1},
                                  {u"12a", 0},
                                  {u"PF1X", 0},
                                  {u"PF1X/0010", 50},
                                  {u"pf1x/0010", 50},
                                  {u"PF", 0},
                                  {u"12345", -1},
                                  {u"PF12", -1},
                                  {u"", 1}});
}

TEST(Regole, LunghezzeTesti) {
    const WString x40(u'x', 40), x41(u'x', 41), x60(u'x', 60), x61(u'x', 61), x72(u'x', 72), x73(u'x', 73);
    Verifica(ControlloMax40, {{u"", -1}, {x40, -1}, {x41, 2}});
    Verifica(ControlloMax72, {{u"", -1}, {x72, -1}, {x73, 15}});
    Verifica(ControlloNota, {{u"", 43}, {u"a", -1}, {x60, -1}, {x61, 42}});
    Verifica(ControlloNotaAltimetrica,
             {{u"", 43}, {u"a", -1}, {x60, -1}, {x61, 42}, {u"1a", 101}, {u"9" + x60, 101}, {u" 1", -1}});
    Verifica(ControlloMax30, {{u"", 34}, {WString(u'x', 30), -1}, {WString(u'x', 31), 6}});
    Verifica(ControlloMax20, {{u"", 34}, {WString(u'x', 20), -1}, {WString(u'x', 21), 8}});
    Verifica(ControlloObbligatorio, {{u"", 34}, {u" ", -1}});
}

TEST(Regole, Protocollo) {
    Verifica(ControlloProtocollo, {{u"", 34},
                                   {u"0123", 4},
                                   {u"0", 4},
                                   {u"1", -1},
                                   {u"12345678", -1},
                                   {u"12345678U", -1},
                                   {u"1U", -1},
                                   {u"123456789", 3},
                                   {u"123456789U", 3},
                                   {u"U", 3},
                                   {u"12U3", 3},
                                   {u"123u", 3},
                                   {u"12 ", 3}});
}

TEST(Regole, Foglio) {
    Verifica(ControlloFoglio, {{u"", 34},
                               {u"A12B", -1},
                               {u"0120", -1},
                               {u"a120", 5},
                               {u"A12", 5},
                               {u"A12B0", 5},
                               {u"AB20", 5},
                               {u"A121", 5},
                               {u"A12b", 5}});
}

TEST(Regole, Mappale) {
    Verifica(ControlloTermineMappale, {{u"", 54},
                                       {u"1234567890", -1},
                                       {u"12345678901", 54},
                                       {u"12/3", -1},
                                       {u"AB/C", -1},
                                       {u"12A", 54},
                                       {u"Ab", 54},
                                       {u".", -1},
                                       {u".5", -1},
                                       {u".5A", 54},
                                       {u".AB", -1},
                                       {u".-x", -1},
                                       {u"-x", -1}});
    Verifica(ControlloMappale, {{u"12/3,AB/C,.5", -1},
                                {u"12A", 54},
                                {u"12,12345678901", 54},
                                {u"12,", 54},
                                {u"", 54},
                                {u",12", 54}});
    Verifica(ControlloMappaleTermini, {{u"12,AB,STRAD,ACQUE", -1},
                                       {u"12345", -1},
                                       {u"123456", 7},
                                       {u"12,", 7},
                                       {u"ABC", 7},
                                       {u"", 7},
                                       {u"12,,AB", 7},
                                       {u"ab", 7},
                                       {u"12, AB", 7},
                                       {u"STRADA", 7}});
}

TEST(Regole, ParticellaENomiDuplicati) {
    Verifica(ControlloParticella, {{u"", 51}, {u"123", -1}, {u"AB", -1}, {u"12A", 51}, {u"ab", 51}});
    EXPECT_EQ(ControlloNomiDuplicati(u"100", u"100"), 40);
    EXPECT_EQ(ControlloNomiDuplicati(u"100", u"101"), -1);
    EXPECT_EQ(ControlloNomiDuplicati(u"pf12", u"PF12"), -1);
}

TEST(Regole, ValoriInteri) {
    EXPECT_EQ(ControlloPrecisioni(10, 20), -1);
    EXPECT_EQ(ControlloPrecisioni(100, 100), -1);
    EXPECT_EQ(ControlloPrecisioni(10, 10), 35);
    EXPECT_EQ(ControlloPrecisioni(20, 20), 35);
    for (int v : {398, -398, 0})
        EXPECT_EQ(ControlloCorrezioneAngolare(v), -1) << v;
    for (int v : {399, -399})
        EXPECT_EQ(ControlloCorrezioneAngolare(v), 13) << v;
    const std::vector<std::pair<short, int>> alt = {{0, 43}, {1, -1}, {4, -1}, {5, 21}, {-1, 21}};
    for (auto [a, atteso] : alt)
        EXPECT_EQ(ControlloAttendibilitaAlt(a), atteso) << a;
}

TEST(Regole, TipoAggiornamento) {
    struct Caso {
        const char16_t* tipo;
        bool modesta;
        int atteso;
    };
    const Caso casi[] = {{u"9", true, -1},   {u"9", false, 115},  {u"3", true, 112},  {u"3", false, -1},
                         {u"", true, -1},    {u"", false, -1},    {u"1", true, 112},  {u"7", true, 112},
                         {u"8", false, 115}, {u"10", false, 115}, {u"11", true, 112}, {u"18", true, 112},
                         {u"19", true, -1},  {u"TM", false, -1}};
    for (const auto& c : casi)
        EXPECT_EQ(ControlloTipoAggiornamento(c.tipo, c.modesta), c.atteso)
            << WString(c.tipo).ToUtf8() << " " << c.modesta;
}

TEST(Regole, AttendibilitaPlan) {
    struct Caso {
        short tipo;
        const char16_t* nome;
        short att;
        int atteso;
    };
    const Caso casi[] = {{0, u"100", 0, 43},    {0, u"100", 19, 41},  {0, u"100", 20, -1},
                         {0, u"100", 88, -1},   {0, u"100", 89, 41},  {-1, u"PF12", -1, 43},
                         {-1, u"PF12", 0, 20},  {-1, u"PF12", 1, -1}, {-1, u"PF12", 88, -1},
                         {-1, u"PF12", 89, 20}, {-1, u"100", 0, -1},  {0, u"PF12", 0, -1},
                         {1, u"100", 0, -1}};
    for (const auto& c : casi)
        EXPECT_EQ(ControlloAttendibilitaPlan(c.tipo, c.nome, c.att), c.atteso)
            << c.tipo << " " << WString(c.nome).ToUtf8() << " " << c.att;
}

TEST(Regole, Reali) {
    struct Caso {
        int (*regola)(double);
        double valore;
        int atteso;
    };
    const Caso casi[] = {
        {ControlloQuota, 9999, -1},
        {ControlloQuota, 9999.5, 10},
        {ControlloQuota, -0.1, 9},
        {ControlloQuota, 0, -1},
        {ControlloQuota, MANCANTE, 34},
        {ControlloRange0_400, 0, -1},
        {ControlloRange0_400, 400, -1},
        {ControlloRange0_400, 400.0001, 16},
        {ControlloRange0_400, -0.0001, 16},
        {ControlloRange0_400, MANCANTE, 43},
        {ControlloRange0_99999, 99999.999, -1},
        {ControlloRange0_99999, 100000, 17},
        {ControlloRangeInteri9, -99999999, -1},
        {ControlloRangeInteri9, -100000000, 18},
        {ControlloRangeInteri9, 999999999, -1},
        {ControlloRangeInteri9, 1000000000, 18},
        {ControlloRange7_3, 9999999.999, -1},
        {ControlloRange7_3, -999999.999, -1},
        {ControlloRange7_3, -1000000, 26},
        {ControlloRange7_3, 10000000, 26},
        {ControlloRange2_3, 99.999, -1},
        {ControlloRange2_3, -100, 27},
        {ControlloRange4_3, -9999.999, -1},
        {ControlloRange4_3, 10000, 14},
        {ControlloRange8_3, 99999999.999, -1},
        {ControlloRange8_3, -10000000, 19},
        {ControlloRange8_3, MANCANTE, 43},
        {ControlloRange2_3, 8.6e199, 43},
    };
    for (const auto& c : casi)
        EXPECT_EQ(c.regola(c.valore), c.atteso) << c.valore;
}

TEST(Regole, Covarianza) {
    struct Caso {
        double L, xx, xy, xz, yy, yz, zz;
        int atteso;
    };
    const Caso casi[] = {
        {100, 1, 1, 1, 1, 1, 1, -1},     {100, 1, 1, 1, 1, 5, 1, 29},     {100, 1, -9.5, 1, 1, 1, 1, -1},
        {100, 10, 1, 1, 1, 1, 1, 30},    {100, 1, -10, 1, 1, 1, 1, 30},   {100, 1, -9, 1, 1, 1, 1, -1},
        {100, 1, 1, -8.99, 1, 1, 1, 29}, {100, 2, -2, 2, 2, 2, 2, -1},    {100, 1, 1, 1, -1, 1, 1, 33},
        {5000, 1, 1, 0, 1, 1, 1, 28},    {4999.99, 0, 0, 0, 0, 0, 0, -1}, {5000, -1, 0, 1, 1, 1, 1, 28},
        {100, -1, 5, 1, 1, 1, 1, 33},    {100, 5, 20, 1, 1, 1, 1, 29},
    };
    for (const auto& c : casi)
        EXPECT_EQ(ControlloCovarianza(c.L, c.xx, c.xy, c.xz, c.yy, c.yz, c.zz), c.atteso)
            << c.L << " " << c.xx << " " << c.xy << " " << c.yy << " " << c.yz;
}

TEST(Regole, PdopGdop) {
    struct Caso {
        double p, g;
        int atteso;
    };
    const Caso casi[] = {
        {MANCANTE, MANCANTE, 31}, {8, MANCANTE, 32}, {-1, MANCANTE, 32}, {7, MANCANTE, -1},
        {MANCANTE, 8, 32},        {MANCANTE, 3, -1}, {20, 30, -1},       {MANCANTE, -0.1, 32}};
    for (const auto& c : casi)
        EXPECT_EQ(ControlloPdopGdop(c.p, c.g), c.atteso) << c.p << " " << c.g;
}

TEST(Regole, InTolleranzaESoloCifre) {
    // Reale: (10000 / 1000 + 100) / 3 = 36.667 m2 around 10000.
    EXPECT_TRUE(InTolleranza(10036.666, 10000, true));
    EXPECT_TRUE(InTolleranza(9963.334, 10000, true));
    EXPECT_FALSE(InTolleranza(10036.667, 10000, true));
    EXPECT_FALSE(InTolleranza(9963.333, 10000, true));
    EXPECT_TRUE(InTolleranza(10500, 10000, false));
    EXPECT_TRUE(InTolleranza(9500, 10000, false));
    EXPECT_FALSE(InTolleranza(10500.001, 10000, false));

    EXPECT_FALSE(SoloCifre(u""));
    EXPECT_TRUE(SoloCifre(u"123"));
    EXPECT_FALSE(SoloCifre(u"1a3"));
    EXPECT_FALSE(SoloCifre(u" 12"));
}

TEST(Regole, EstMediaCalcolata) {
    CLibConOri punti;
    EXPECT_EQ(CalcolaEstMedia(u"0010", &punti), 0);
    EXPECT_EQ(CalcolaEstMedia(u"0010", nullptr), 0);

    const auto aggiungi = [&punti](const char16_t* nome, double x, bool np = false) {
        COri* p = punti.AddOri(false);
        p->SetNome(nome);
        p->SetCoord(x, 0, 0);
        p->SetCodeNP(np);
    };
    aggiungi(u"NOX", MANCANTE);
    EXPECT_EQ(CalcolaEstMedia(u"0010", &punti), 0);

    // Only points of other sheets or with non-numeric names: the mean of all of them.
    aggiungi(u"PF01/0020/A123", 1000);
    aggiungi(u"AUX", 3000);
    EXPECT_DOUBLE_EQ(CalcolaEstMedia(u"0010", &punti), 2000);

    // Numeric names and fiducial points of the sheet are preferred; excluded points never count.
    aggiungi(u"PF02/0010/A123", 10000);
    aggiungi(u"101", 20000);
    aggiungi(u"102", 90000, true);
    EXPECT_DOUBLE_EQ(CalcolaEstMedia(u"0010", &punti), 15000);
}

TEST(Regole, TestiMotivo) {
    EXPECT_EQ(GetTestoMotivo(-1), WString());
    EXPECT_EQ(GetTestoMotivo(12), WString());
    EXPECT_EQ(GetTestoMotivo(131), WString());
    EXPECT_EQ(GetTestoMotivo(0), WString(u"Si accettano solo cifre.\r"));
    EXPECT_EQ(
        GetTestoMotivo(3),
        WString(u"Massimo 8 cifre; l'elemento finale può essere la U;\r   - U = operazione d'ufficio.\r"));
    EXPECT_EQ(GetTestoMotivo(7),
              WString(u"Il campo mappale comprende più termini separati da virgole;\r   - i "
                      u"termini sono formati da: massimo 5  cifre, massimo 2 lettere, STRAD, "
                      u"ACQUE.\r"));
    EXPECT_EQ(GetTestoMotivo(31),
              WString(u"Mancano il GDOP e il PDOP.\r     Carvilo metterà per default PDOP=1.\r"));
    EXPECT_EQ(GetTestoMotivo(83), WString(u"Le superifici non sono in tolleranza.\r"));
    EXPECT_EQ(GetTestoMotivo(130),
              WString(u"Per la tipologia selezionata non è stato indicato il caso da gestire.\r"));
    // Every text of the table ends its last line.
    for (int code = 0; code <= 130; ++code) {
        const WString t = GetTestoMotivo(code);
        if (!t.IsEmpty()) {
            EXPECT_EQ(t.Right(1), WString(u"\r")) << code;
        }
    }
}
