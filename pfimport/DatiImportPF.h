// The deciding parts of the fiducial point import: its settings, the municipalities of a province, the
// sheet filter, the date rule, the filters of the list import, the duplicate rule, the centre typed in
// the position dialog and the lookup of records by name. Plain code: the engine and the dialogs call it.
#pragma once

#include "hostapi/Conversions.h"
#include "hostapi/Gps.h"
#include "hostapi/WString.h"
#include "pfimport/TafElenco.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Settings of the import, section "CATASTO" of the host settings file.
inline constexpr const char16_t* SEZIONE_CATASTO = u"CATASTO";
inline constexpr const char16_t* CHIAVE_TIPO_SEL = u"TAF_TYPE_SEL";
inline constexpr const char16_t* CHIAVE_PATH = u"PATH_TAF";
inline constexpr const char16_t* CHIAVE_PROVINCIA = u"TAF_PROVINCIA";
inline constexpr const char16_t* CHIAVE_COMUNE = u"TAF_COMUNE";
inline constexpr const char16_t* CHIAVE_FOGLIO = u"TAF_FOGLIO";
inline constexpr const char16_t* CHIAVE_ATTENDIB = u"TAF_ATTENDIB";
inline constexpr const char16_t* CHIAVE_CHK_ATTENDIB = u"TAF_CHKATTENDIB";
inline constexpr const char16_t* CHIAVE_CHK_NON_UTIL = u"TAF_CHKNOTUSE";
inline constexpr const char16_t* CHIAVE_NORD = u"TAF_NORD";
inline constexpr const char16_t* CHIAVE_EST = u"TAF_EST";
inline constexpr const char16_t* CHIAVE_RAGGIO = u"TAF_RAGGIO";
inline constexpr const char16_t* CHIAVE_DIST_MAX = u"DIST_MAX";

// TAF_TYPE_SEL: where the fiducial points come from.
constexpr int SORGENTE_WEB = 0;
constexpr int SORGENTE_FILE = 1;

// End codes of the choice dialog's import buttons.
constexpr int FINE_IMP_AUTO = 1000;
constexpr int FINE_PF_VICINI = 1001;
constexpr int FINE_DA_ELENCO = 1002;

struct CImpostazioniCatasto {
    int tipoSel = SORGENTE_FILE;
    WString percorso;
    WString provincia;
    WString comune;
    WString fogli;
    std::int32_t attendib = 0;
    bool chkAttendib = false;
    bool chkNonUtil = false;
    double nord = REALE_INDEFINITO;
    double est = REALE_INDEFINITO;
    double raggio = REALE_INDEFINITO;
    WString distMax = u"500";
};

// Every key with its default when absent or unreadable. A source other than the web service is the file.
CImpostazioniCatasto LeggiImpostazioniCatasto();

// The 103 two-letter province codes of the choice dialog, in alphabetical order.
const std::vector<const char16_t*>& CodiciProvince();

// The municipalities that the cadastre of the autonomous provinces adds to the host's list: for "TN"
// 0001 to 0447, for "BZ" 0601 to 0846.
void AggiungiComuniAutonomi(const WString& provincia, std::vector<WString>& comuni);
// The host's municipalities of the province, then those added above; `letto` false when the host's table
// could not be read.
std::vector<WString> ComuniDellaProvincia(const WString& provincia, bool* letto = nullptr);

// The entry the choice dialog opens on: the one equal to the stored text, else the second one; -1 when
// the list has no such entry.
int SceltaIniziale(const std::vector<WString>& voci, const WString& valore);

// TAF_FOGLIO cut at each ',', pieces as they are; an empty remainder after the last ',' is no piece.
std::vector<WString> DividiFogli(const WString& fogli);

// A date longer than 4 characters without '/' becomes dd/mm/rest ("150396" is "15/03/96").
void RegolaData(WString& data);

// The words that mark a fiducial point the cadastre declares unusable.
inline constexpr const char16_t* TESTO_NON_UTILIZZABILE = u"NON UTILIZZABILE";

struct CFiltroElenco {
    bool chkAttendib = false;
    std::int32_t attendib = 0;
    bool chkNonUtil = false;
};
// True when the list import keeps the record: its reliability above the threshold (when that is on),
// and no "NON UTILIZZABILE" in its description (when that is on).
bool TenutoDalFiltro(const CTafPunto& punto, const CFiltroElenco& filtro);

// The string id of what the list import's options lack, 0 when they may be used: the sheets, or (this
// wins) the reliability threshold when it is on and 0.
unsigned ErroreOpzioniElenco(const WString& fogli, bool chkAttendib, std::int32_t attendib);

// True when the record has both plane coordinates: a record read from a damaged or cut line may lack
// them, and a point imported from it would sit nowhere.
bool IsPuntoConCoordinate(const CTafPunto& punto);

// What the selection grid shows of a record: its texts, column by column after the tick, and whether its
// row starts ticked. The date rule changes the record. A record without coordinates starts unticked, its
// missing coordinate shown as TESTO_COORDINATA_MANCANTE.
struct CRigaGrigliaPF {
    std::array<WString, 16> testi;
    bool spuntata = true;
};
CRigaGrigliaPF RigaGrigliaPF(CTafPunto& punto);
inline constexpr const char16_t* TESTO_COORDINATA_MANCANTE = u"mancante";

// What the automatic import says of the fiducial points of the survey that it left out because their
// records have no coordinates; nothing when it left none out.
std::optional<WString> AvvisoPuntiSenzaCoordinate(int tralasciati);

// The booklet name of a record, "PF%02d/%s/%s" of its number, sheet and municipality; `rifilato` trims
// the white space on the right.
WString NomePFDaRecord(const CTafPunto& punto, bool rifilato);

// Answers of the conflict question.
constexpr int RISPOSTA_AGGIORNA = 0;
constexpr int RISPOSTA_AGGIUNGI = 1;
constexpr int RISPOSTA_SALTA = 2;

// The duplicate rule of one import pass: a name is compared with the points that existed when the pass
// began, and the first equal one raises the question unless its answer holds for all.
class CRegolaDuplicati {
public:
    enum class Esito { Esistente, Nuovo, Nessuno };
    struct Risultato {
        Esito esito = Esito::Nuovo;
        int indice = -1; // of the existing point, with Esistente
    };
    // The question: the name, the answer preselected and the apply-to-all flag, both updated.
    using Domanda = std::function<void(const WString& nome, int& risposta, bool& tutti)>;

    void Inizia(int esistenti);
    int GetEsistenti() const { return m_Esistenti; }
    Risultato Decidi(const WString& nome, const std::function<WString(int)>& nomeEsistente,
                     const Domanda& chiedi);

private:
    int m_Esistenti = -1;
    int m_Risposta = -1;
    bool m_Tutti = false;
};

// An angle as the position dialog shows it: whole degrees and minutes, seconds with 3 decimals.
struct CTestiAngolo {
    WString gradi, primi, secondi;
};
CTestiAngolo TestiAngolo(double radianti);

// The typed centre: degrees and minutes, then seconds. Each part is tested on its real value; an
// undefined or out-of-range part makes the angle invalid. Degrees 0 to 360, minutes 0 to 60, seconds 0
// to 60, limits included; degrees and minutes count by their whole part.
bool LeggiAngoloSessagesimale(const WString& gradi, const WString& primi, const WString& secondi,
                              double& radianti);
// The centre in the plane system of the current GPS group's conversion. False when there is no current
// group, its conversion is missing or not ready, or the conversion gives no coordinates.
bool PosizionePiana(const CLibGps* gps, double lat, double lon, double& nord, double& est);
// The string id of the message for a centre that cannot be used: no valid conversion, or bad data.
unsigned MessaggioPosizioneNonValida(const CLibGps* gps);

// What the list of fiducial points holds since the last load that replaced it, so that a load asking for
// the same reads nothing. Every load that replaces the list keys it with what the list now holds; a web
// load or a failed one leaves it unkeyed.
class CCacheCarico {
public:
    // A file load of these municipalities (joined by ',') and this sheet filter (empty: all sheets).
    bool Uguale(const WString& percorso, const WString& comuni, const WString& fogli) const;
    void Caricato(const WString& percorso, const WString& comuni, const WString& fogli);
    // A file load near a position.
    bool Uguale(const WString& percorso, double nord, double est, double raggio) const;
    void Caricato(const WString& percorso, double nord, double est, double raggio);
    void Dimentica() { *this = CCacheCarico(); }

private:
    enum class Modo { Nessuno, Filtro, Vicino } m_Modo = Modo::Nessuno;
    WString m_Percorso;
    WString m_Comuni;
    WString m_Fogli;
    double m_Nord = REALE_INDEFINITO;
    double m_Est = REALE_INDEFINITO;
    double m_Raggio = REALE_INDEFINITO;
};

// The records of a list by name, found in one walk of the list per load instead of one walk per name: the
// names looked for are known before the walk.
class CIndiceTaf {
public:
    // Indexes the records whose name (formed as ImportaPunto forms it, trimmed) is one of `nomi`.
    void Costruisci(const CTafElenco& elenco, const std::vector<WString>& nomi);
    void Svuota();
    bool IsCostruito() const { return m_Costruito; }
    // The first record of the name, -1 when none; then the next record of the same name after `indice`, in
    // list order, -1 after the last.
    int Primo(const WString& nome) const;
    int Successivo(int indice) const;

private:
    struct Catena {
        int primo = -1;
        int ultimo = -1;
    };
    std::vector<std::u16string> m_Nomi;
    std::unordered_map<std::u16string_view, Catena> m_Catene;
    std::vector<int> m_Successivo;
    bool m_Costruito = false;
};
