// Distance lines: the .dis fixed columns, the web answer's comma form, and what a line must hold to
// become a distance.
#include "distances/DisElenco.h"

#include "tests/pfimport/TafTestUtil.h"

#include <gtest/gtest.h>

namespace {

std::u16string U(const std::string& s) {
    return WString::FromCp1252(s).str();
}

// A .dis line: first point, second point, booklet reference, then the numbers from column 49.
std::string RigaDis(const char* c1, const char* f1, char a1, const char* n1, const char* c2, const char* f2,
                    const char* n2, const char* rif, const std::string& numeri) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%-6s%4s %c%6s%-6s%4s  %6s%-13s", c1, f1, a1, n1, c2, f2, n2, rif);
    return buffer + numeri;
}

struct CasoFile {
    std::string riga;
    const char16_t *nome1, *nome2, *distanza, *sqm, *libretto;
    bool completa;
};

TEST(DisElenco, FixedColumnsAsFarAsTheLineReaches) {
    const std::string base =
        RigaDis("A123", "12", ' ', "3", "A123", "12", "12", "12345/2008", " 152.347 0.050");
    const std::string lunga = RigaDis("A123", "12", ' ', "3", "A123", "12", "12", "R", " 152.347");
    const CasoFile casi[] = {
        {base + "\n", u"PF03/0120/A123", u"PF12/0120/A123", u"152.347", u"0.050", u"12345/2008", true},
        // The last line of a file, without its line end.
        {base, u"PF03/0120/A123", u"PF12/0120/A123", u"152.347", u"0.050", u"12345/2008", true},
        // Blanks inside fields go; annex letter; four-digit and "9999" sheets.
        {RigaDis("A1 23", "1005", 'A', " 1 2", "B456", "9999", "7", "12 345/2008", " 1.5  0.2\n"),
         u"PF12/A05A/A123", u"PF07/zzz0/B456", u"1.5", u"0.2", u"12345/2008", true},
        {RigaDis("A123", "1", ' ', "1", "A123", "2", "2", "R", "  1.5 \n\n 0.2"), u"PF01/0010/A123",
         u"PF02/0020/A123", u"1.5", u"0.2", u"R", true},
        // Short lines, numbers that are not numbers.
        {"A123    12", u"PF00/0120/A123", u"PF00/0000/", u"", u"", u"", false},
        {base.substr(0, 55) + "\n", u"PF03/0120/A123", u"PF12/0120/A123", u"152.3", u"", u"12345/2008",
         false},
        {RigaDis("A123", "12", ' ', "3", "A123", "12", "12", "R", " 1,5,2 abc"), u"PF03/0120/A123",
         u"PF12/0120/A123", u"1,5,2", u"abc", u"R", false},
        // Only 81 characters count: a token cut there is no number; one ended before it is.
        {lunga + std::string(80 - lunga.size(), ' ') + "0.0501\n", u"PF03/0120/A123", u"PF12/0120/A123",
         u"152.347", u"", u"R", false},
        {lunga + std::string(76 - lunga.size(), ' ') + "0.05 trailing text\n", u"PF03/0120/A123",
         u"PF12/0120/A123", u"152.347", u"0.05", u"R", true},
    };
    for (const CasoFile& c : casi) {
        SCOPED_TRACE(c.riga);
        const auto riga = CDisElenco::RigaDaFile(U(c.riga));
        const CDisDistanza d = DistanzaDaFile(*riga);
        EXPECT_EQ(d.nome1, c.nome1);
        EXPECT_EQ(d.nome2, c.nome2);
        EXPECT_EQ(d.distanza, c.distanza);
        EXPECT_EQ(d.sqm, c.sqm);
        EXPECT_EQ(d.libretto, c.libretto);
        EXPECT_EQ(d.IsCompleta(), c.completa);
    }
}

TEST(DisElenco, FileReadingFailsOnlyWhereNothingCanBeRead) {
    taftest::Cartella dir;
    const std::string riga = RigaDis("A123", "12", ' ', "3", "A123", "12", "12", "R", " 1.5 0.1");
    // An overlong line keeps its first piece; its other pieces are no lines.
    const auto buona = dir.Scrivi("a.dis", riga + "\r\n" + std::string(3000, '9') + "\n\n" + riga);
    CDisElenco elenco;
    ASSERT_TRUE(elenco.CaricaFile(WString::FromUtf8(buona.string())));
    EXPECT_EQ(elenco.GetCount(), 4);
    int complete = 0;
    while (const CDisRiga* r = elenco.GetNext())
        complete += DistanzaDaFile(*r).IsCompleta() ? 1 : 0;
    EXPECT_EQ(complete, 2);

    const auto binario = dir.Scrivi("b.dis", riga + "\n" + std::string("\0\x01\xff", 3) + "\n" + riga + "\n");
    EXPECT_FALSE(CDisElenco().CaricaFile(WString::FromUtf8(binario.string())));
    EXPECT_FALSE(CDisElenco().CaricaFile(WString::FromUtf8((dir.Path() / "manca.dis").string())));
    EXPECT_FALSE(CDisElenco().CaricaFile(WString()));
}

TEST(DisElenco, WebAnswerLinesAndCommaFields) {
    struct Caso {
        const char16_t* risposta;
        int righe;
        const char16_t *nome1 = u"", *nome2 = u"", *libretto = u"", *distanza = u"", *sqm = u"";
    } casi[] = {
        {u"PF01/0120/G337,PF02/0120/G337,L/1,368.763,0.150\r\n", 1, u"PF01/0120/G337", u"PF02/0120/G337",
         u"L/1", u"368.763", u"0.150"},
        {u"A,B,R,368.763,0.1\nA,B,R,1,2", 1, u"A", u"B", u"R", u"368.763", u"0.1"},
        {u"A,B,R,1,extra,0.1234567\n", 1, u"A", u"B", u"R", u"1", u"0.123"},
        {u",B,,1,0.1\n\n", 1, u"", u"B", u"", u"1", u"0.1"},
        {u"A,B,R,1\n", 1, u"A", u"B", u"R", u"", u"1"},
        {u"A,B,R,1,0.1", 0},
        {u"Warning: nessuna distanza\nA,B,R,1,0.1\n", 0},
        {u"PF01/0120/G337,PF02/0120/G337,123456789012345678901234567890,368.763,0.150\n", 0},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(WString(c.risposta).ToUtf8());
        CDisElenco elenco;
        elenco.CaricaRispostaWeb(c.risposta, u"G337", u"0120");
        ASSERT_EQ(elenco.GetCount(), c.righe);
        if (c.righe == 0)
            continue;
        const CDisRiga* riga = elenco.GetNext();
        EXPECT_EQ(riga->GetComune(), u"G337");
        EXPECT_EQ(riga->GetFoglio(), u"0120");
        const CDisDistanza d = DistanzaDaWeb(*riga);
        EXPECT_EQ(d.nome1, c.nome1);
        EXPECT_EQ(d.nome2, c.nome2);
        EXPECT_EQ(d.libretto, c.libretto);
        EXPECT_EQ(d.distanza, c.distanza);
        EXPECT_EQ(d.sqm, c.sqm);
    }
}

// What the service sends for nothing found is an answer; an error page or stray bytes served as a
// success are not.
TEST(DisElenco, WhatIsADistanceAnswer) {
    struct Caso {
        std::string risposta;
        bool distanze;
    } casi[] = {
        {"", true},
        {"Warning: nessuna distanza trovata\n", true},
        {"PF01/0120/G337,PF02/0120/G337,L/1,368.763,0.150\r\n", true},
        {"<html>\n<p>x,y,z,1,2</p>\nA,B,R,1,0.1", true}, // the unended last line reads as a distance
        {"<html><body><h1>500 Internal Server Error</h1></body></html>\n", false},
        {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff,\x01,\x02\n", 22), false},
        {"A,B,R,abc,0.1\nA,B,R,1,\n", false},
        {"A,B,R,1,0.1" + std::string(80, ' ') + "\n", false}, // longer than a line can be
    };
    for (const Caso& c : casi)
        EXPECT_EQ(IsRispostaDistanze(WString::FromCp1252(c.risposta)), c.distanze) << c.risposta;
}

TEST(DisElenco, NamePiecesOnlyAsFarAsTheNameReaches) {
    struct Caso {
        const char16_t *nome, *numero, *foglio, *comune;
    } casi[] = {{u"PF12/0010/A123", u"12", u"0010", u"A123"},
                {u"PF12/0010/A1234", u"12", u"0010", u"A1234"},
                {u"PF12/0010", u"12", u"0010", u""},
                {u"PF12", u"12", u"", u""},
                {u"PF1", u"1", u"", u""}};
    for (const Caso& c : casi) {
        const CPezziNomePF p = PezziNomePF(c.nome);
        EXPECT_EQ(p.numero, c.numero) << WString(c.nome);
        EXPECT_EQ(p.foglio, c.foglio) << WString(c.nome);
        EXPECT_EQ(p.comune, c.comune) << WString(c.nome);
    }
}

} // namespace
