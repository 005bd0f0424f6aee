// The header row (riga 0) as its editor sees it: the province table, the year rule, the checks made on
// OK with their messages, and the writing back into the booklet. Plain code: the dialog calls it.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/Platform.h"
#include "hostapi/WString.h"
#include "resources/FileTesto.h"

#include <functional>
#include <optional>
#include <vector>

// A line of "Support\Collegi.txt": two-character code, one separator, the name shown in the lists.
struct CProvinciaCollegio {
    WString codice;
    WString nome;
};

// How a support file's lines went: whether the file could be read, and how many lines gave no entry.
struct CLetturaSupporto {
    bool letto = false;
    int scartate = 0;
};
// Each line of an 8-bit support file, line end included, read 254 characters at a time, goes to `voce`,
// which answers whether it made an entry of it. Blank lines go nowhere; a line holding an illegible
// character or a NUL byte (where C text would quietly end) is counted without being offered.
CLetturaSupporto LeggiRigheSupporto(const WString& percorso, const std::function<bool(const WString&)>& voce);

// The province table of a file, in file order; empty, and `letto` false, when the file cannot be read.
// `scartate` counts the lines no province could be made of.
std::vector<CProvinciaCollegio> LeggiCollegi(const WString& percorso, bool* letto = nullptr,
                                             int* scartate = nullptr);
// The province table of the host's support folder.
std::vector<CProvinciaCollegio> CaricaCollegi(bool* letto = nullptr, int* scartate = nullptr);
// One line as read, line end included.
CProvinciaCollegio ProvinciaDaRiga(WString riga);
// The province of a legible line, or nothing when the line cannot be one: its code is not two letters or
// digits, or it has no name after the separator.
std::optional<CProvinciaCollegio> VoceCollegio(const WString& riga);

// The four-digit year shown for the stored two-digit year.
int AnnoDaMostrare(const WString& annoMemorizzato);
bool IsAnnoBisestile(int anno);
int GiorniDelMese(int mese, int anno);

// The qualifications offered, in the order shown.
const std::vector<WString>& QualificheTecnico();

// A refusal on OK: its message and message-box icon. The editor's title is TITOLO_RIGA0.
struct CRifiuto {
    WString testo;
    UINT icona = 0;
};
inline constexpr const char16_t* TITOLO_RIGA0 = u"Riga 0";

// The page "Archivio" as typed.
struct CDatiArchivio {
    int tipo = 0; // index of "Tipo": 0 Standard, 1 Modesta entità
    WString giorno;
    WString mese;
    WString anno;
    WString protocollo;
    WString codiceProvincia; // empty when no province is chosen
    WString codiceComune;    // empty when no comune is chosen
    WString foglio;
    WString mappale;
};

// The page "Tecnico" as typed; qualification and province are the texts of the chosen entries.
struct CDatiTecnico {
    WString nome;
    WString cognome;
    WString qualifica;
    WString iscrizione;
    WString codiceFiscale;
    WString provincia;
};

// The first failing check, or nothing when the page may be saved.
std::optional<CRifiuto> ValidaArchivio(const CDatiArchivio& dati);
std::optional<CRifiuto> ValidaTecnico(const CDatiTecnico& dati);

void SalvaArchivio(const CDatiArchivio& dati, CCts& libretto);
void SalvaTecnico(const CDatiTecnico& dati, CCts& libretto);
