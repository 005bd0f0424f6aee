// The header row's rules: province table, year rule, the checks on OK in their order with their
// messages and icons, and what is written back. The field rules themselves are tested in tests/rules;
// cases that a riga0 scenario plays through the dialog are not repeated here.
#include "editors/DatiRiga0.h"
#include "hostapi/Dialog.h"
#include "tests/editors/TestEditori.h"

#include <gtest/gtest.h>

TEST(Collegi, EveryLineGivesCodeAndNameAndOnlyTheLineEndIsDropped) {
    ProgettoProva progetto("collegi");
    // The last line has no line feed: its name keeps its last letter.
    progetto.Scrivi("Collegi.txt", "PR Parma\r\nFO Forl\xec\nRM Roma");
    const auto elenco = CaricaCollegi();
    ASSERT_EQ(elenco.size(), 3u);
    EXPECT_EQ(elenco[0].codice, u"PR");
    EXPECT_EQ(elenco[0].nome, u"Parma");
    EXPECT_EQ(elenco[1].nome, u"Forlì");
    EXPECT_EQ(elenco[2].codice, u"RM");
    EXPECT_EQ(elenco[2].nome, u"Roma");
}

// A line is a province only with a code of two letters or digits and a name after the separator, and
// nothing illegible; blank lines are no provinces and no damage. A NUL counts wherever it sits.
TEST(Collegi, LinesNoProvinceCanBeMadeOfAreCountedNotListed) {
    const struct {
        const char16_t* riga;
        const char16_t* codice; // null: no entry
    } casi[] = {{u"PR Parma\n", u"PR"},      {u"fo-Forl\u00ec\r\n", u"fo"},
                {u"01 Uno", u"01"},          {u"P Parma\n", nullptr},
                {u"PR \n", nullptr},         {u"PR    \n", nullptr},
                {u"P\u00e9 Parma", nullptr}, {u"PR", nullptr},
                {u"#R Parma", nullptr}};
    for (const auto& c : casi) {
        const std::optional<CProvinciaCollegio> p = VoceCollegio(c.riga);
        EXPECT_EQ(p.has_value(), c.codice != nullptr) << WString(c.riga);
        if (p && c.codice) {
            EXPECT_EQ(p->codice, c.codice);
        }
    }
    ProgettoProva progetto("collegi-rovinati");
    progetto.Scrivi("Collegi.txt", std::string("PR Parma\r\n\r\n  \nX\x01 Rotto\nRM Ro\0ma\nBO Bolo\x81gna\n"
                                               "MI Milano\nTO Tor\0ino",
                                               65));
    bool letto = false;
    int scartate = -1;
    const auto elenco = CaricaCollegi(&letto, &scartate);
    EXPECT_TRUE(letto);
    EXPECT_EQ(scartate, 4);
    ASSERT_EQ(elenco.size(), 2u);
    EXPECT_EQ(elenco[0].codice, u"PR");
    EXPECT_EQ(elenco[1].nome, u"Milano");
}

// What the editors say on opening about their support files.
TEST(FileSupporto, MissingAndDamagedFilesAreSaidOnce) {
    const WString collegi = FILE_COLLEGI, comuni = FILE_COMUNI, tipi = FILE_TIPI_AGG;
    EXPECT_FALSE(AvvisoFileSupporto({}));
    EXPECT_FALSE(AvvisoFileSupporto({{collegi}, {comuni, true, 0}}));
    EXPECT_EQ(AvvisoFileSupporto({{tipi, false}}),
              u"Impossibile leggere il file di supporto Support\\TipoAggTessaro.dat.\n"
              u"Gli elenchi che ne dipendono restano vuoti.");
    EXPECT_EQ(AvvisoFileSupporto({{tipi, true, 1}}),
              u"Impossibile leggere 1 riga del file di supporto Support\\TipoAggTessaro.dat.\n"
              u"La riga illeggibile resta fuori dagli elenchi.");
    EXPECT_EQ(AvvisoFileSupporto({{collegi, true, 14}, {comuni, false}}),
              u"Impossibile leggere il file di supporto Support\\Comuni.txt.\n"
              u"Gli elenchi che ne dipendono restano vuoti.\n"
              u"Impossibile leggere 14 righe del file di supporto Support\\Collegi.txt.\n"
              u"Le righe illeggibili restano fuori dagli elenchi.");
}

TEST(Riga0Anno, StoredYearsOpenAsFourDigits) {
    const struct {
        const char16_t* memorizzato;
        int mostrato;
    } casi[] = {{u"95", 1995}, {u"16", 2016}, {u"30", 1930}, {u"29", 2029},   {u"0", 2000},    {u"", 2000},
                {u"XX", 2000}, {u"99", 1999}, {u"100", 100}, {u"2099", 2099}, {u"2100", 2000}, {u"-5", 2000}};
    for (const auto& c : casi)
        EXPECT_EQ(AnnoDaMostrare(c.memorizzato), c.mostrato) << WString(c.memorizzato);
}

TEST(Riga0Archivio, ChecksInOrderWithTheirMessages) {
    // The scenarios riga0-date, riga0-bisestile-2016, riga0-giorno-05-anno-1900, riga0-cambio-provincia
    // and riga0-protocollo-zero show the leap years, the year floor, a missing comune and a bad protocol.
    const struct {
        void (*modifica)(CDatiArchivio&);
        const char16_t* messaggio; // null: accepted
    } casi[] = {
        {[](CDatiArchivio& d) { d.anno = u"anno", d.mese = u"13"; }, u"Inserire un anno maggiore del 1900"},
        {[](CDatiArchivio& d) { d.mese = u"13"; }, u"Inserire un mese compreso tra 1 e 12"},
        {[](CDatiArchivio& d) { d.giorno = u"0"; }, u"Inserire un giorno compreso tra 1 e 30"},
        {[](CDatiArchivio& d) { d.giorno = u"31", d.mese = u"12"; }, nullptr},
        // The first failure wins: a bad day before a missing comune.
        {[](CDatiArchivio& d) { d.giorno = u"31", d.codiceComune = u""; },
         u"Inserire un giorno compreso tra 1 e 30"},
        {[](CDatiArchivio& d) { d.codiceComune = u"G33"; },
         u"Il codice del comune deve essere composto da 4 o 5 caratteri alfanumerici"},
        {[](CDatiArchivio& d) { d.protocollo = u""; }, u"Il protocollo è un campo obbligatorio della riga 0"},
        {[](CDatiArchivio& d) { d.foglio = u""; },
         u"Il foglio immatricolare è un campo obbligatorio della riga 0"},
        {[](CDatiArchivio& d) { d.foglio = u"A12"; },
         u"Il foglio può essere composto da un massimo di 4 elementi\n - 1°Elemento: lettera o cifra\n - "
         u"2°Elemento: cifra\n - 3°Elemento: cifra\n - 4°Elemento: zero o lettera"},
        {[](CDatiArchivio& d) { d.mappale = u""; }, u"Il campo mappale è un campo obbligatorio della riga 0"},
        {[](CDatiArchivio& d) { d.mappale = WString(u'1', 31); },
         u"Il campo mappale può essere composto da un massimo di 30 caratteri"},
        {[](CDatiArchivio& d) { d.mappale = WString(u'1', 30), d.codiceProvincia = u""; }, nullptr},
    };
    for (std::size_t i = 0; i < std::size(casi); ++i) {
        CDatiArchivio d{0, u"14", u"11", u"2016", u"123456", u"PR", u"G337", u"0120", u"245"};
        casi[i].modifica(d);
        const auto rifiuto = ValidaArchivio(d);
        if (!casi[i].messaggio) {
            EXPECT_FALSE(rifiuto) << "case " << i << ": " << rifiuto->testo;
            continue;
        }
        ASSERT_TRUE(rifiuto) << "case " << i;
        EXPECT_EQ(rifiuto->testo, casi[i].messaggio) << "case " << i;
        EXPECT_EQ(rifiuto->icona, MB_ICONERROR) << "case " << i;
    }
}

TEST(Riga0Tecnico, ChecksInOrderLengthsOnlyWarn) {
    const struct {
        void (*modifica)(CDatiTecnico&);
        const char16_t* messaggio;
        UINT icona;
    } casi[] = {
        // The scenarios riga0-nome-tecnico and riga0-senza-collegi show the name's length and letters and a
        // missing province.
        {[](CDatiTecnico& d) { d.nome = WString(u'A', 20); }, nullptr, 0},
        {[](CDatiTecnico& d) { d.nome = u""; }, u"Il nome del tecnico è un campo obbligatorio della riga 0",
         MB_ICONERROR},
        {[](CDatiTecnico& d) { d.cognome = u""; },
         u"Il cognome del tecnico è un campo obbligatorio della riga 0", MB_ICONERROR},
        {[](CDatiTecnico& d) { d.cognome = WString(u'B', 21); },
         u"Il cognome del tecnico non deve superare i 20 caratteri", MB_ICONEXCLAMATION},
        {[](CDatiTecnico& d) { d.cognome = u"Forlì"; },
         u"Nel cognome del tecnico sono stati inseriti caratteri fuori standard (es. lettere accentate)",
         MB_ICONERROR},
        {[](CDatiTecnico& d) { d.qualifica = u""; },
         u"La qualifica del tecnico è un campo obbligatorio della riga 0", MB_ICONERROR},
        // Registration number and tax code are free.
        {[](CDatiTecnico& d) { d.iscrizione = u"", d.codiceFiscale = u"àè"; }, nullptr, 0},
    };
    for (std::size_t i = 0; i < std::size(casi); ++i) {
        CDatiTecnico d{u"Marco", u"Ferrari", u"Geometra", {}, {}, u"Parma"};
        casi[i].modifica(d);
        const auto rifiuto = ValidaTecnico(d);
        if (!casi[i].messaggio) {
            EXPECT_FALSE(rifiuto) << "case " << i;
            continue;
        }
        ASSERT_TRUE(rifiuto) << "case " << i;
        EXPECT_EQ(rifiuto->testo, casi[i].messaggio) << "case " << i;
        EXPECT_EQ(rifiuto->icona, casi[i].icona) << "case " << i;
    }
}

TEST(Riga0Salva, DateGoesBackInItsStoredForm) {
    CCts cts;
    CDatiArchivio a{1, u"05", u"02", u"2016", u"123456", u"", u"G337", u"0120", u"245"};
    SalvaArchivio(a, cts);
    EXPECT_EQ(cts.m_TipoLibretto, 1);
    EXPECT_EQ(cts.GetGior(), u"5");
    EXPECT_EQ(cts.GetMese(), u"2");
    EXPECT_EQ(cts.GetAnno(), u"16");
    a.tipo = 0;
    a.anno = u"1905";
    SalvaArchivio(a, cts);
    EXPECT_EQ(cts.m_TipoLibretto, 0);
    EXPECT_EQ(cts.GetAnno(), u"05");
    EXPECT_EQ(AnnoDaMostrare(cts.GetAnno()), 2005); // the century is the year rule's, not the user's
}
