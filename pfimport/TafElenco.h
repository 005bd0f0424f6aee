// Fiducial point records read from TAF and OUT files or from the TAF web service.
#pragma once

#include "hostapi/Conversions.h"
#include "hostapi/WString.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// One fiducial point as the cadastre publishes it.
class CTafPunto {
public:
    WString Foglio; // three sheet characters and the annex, "0120"
    WString DescrPlan;
    WString DescrQuota;
    WString Comune;
    std::int32_t NumPF = 0;
    std::int32_t AttP = 0;
    std::int32_t AttQ = 0;
    double Nord = REALE_INDEFINITO;
    double Est = REALE_INDEFINITO;
    double Quota = REALE_INDEFINITO;
    WString Particella;
    WString FoglioOr;
    WString AllegOr;
    WString FiducOr;
    WString DataAgg;
    WString CausaAgg;
};

// The cadastre's sheet code: at least three characters ("12" is "012"), "999" and "9999" are "zzz", other
// four-character sheets become a letter and two digits (1005 is "A05"), then the annex (blank gives '0').
WString CodiceFoglioTaf(const WString& foglio, char16_t allegato);

// Planar distance of two points from their differences, computed without overflow for large values.
double DistanzaTaf(double dNord, double dEst);

// The fiducial points of the last load, in the order they were read. Every load empties the list first.
class CTafElenco {
public:
    CTafElenco() = default;
    CTafElenco(const CTafElenco&) = delete;
    CTafElenco& operator=(const CTafElenco&) = delete;
    ~CTafElenco() = default;

    // Chooses the reader by the extension: ".taf" filtered (both lists given) or near the position,
    // ".out" with the file's base name as municipality. Any other extension gives false, list untouched.
    bool Carica(const WString& path, const std::vector<WString>* comuni, const std::vector<WString>* fogli,
                double nord, double est, double raggio);

    // The file readers below take a line as a point only when it names one (TAF: municipality, sheet,
    // annex and number in their columns; OUT: sheet and number as its first two fields) and holds no
    // illegible character and no NUL; other lines they would take are damage, left out. A file with such
    // lines and no point gives false.

    // Lines whose municipality is listed and, with a non-empty sheet list, whose sheet code is listed.
    bool CaricaTafFiltro(const WString& path, const std::vector<WString>& comuni,
                         const std::vector<WString>& fogli);
    // Lines whose position lies within `raggio` of the centre, the limit included.
    bool CaricaTafVicino(const WString& path, double nord, double est, double raggio);
    // Blank lines are no points and no damage.
    bool CaricaOut(const WString& path, const WString& comune);
    // False, and no record, when the line names no point. A coordinate cut short by the line's end is
    // left undefined.
    bool LeggiRigaTaf(const WString& riga);

    // Fiducial points of a municipality (sheet codes separated by ',', empty for all) or near a position,
    // from the TAF web service. False when the request could not be made or the answer holds lines but
    // no point; a refused ("Warning") or empty answer leaves the list empty and gives true.
    bool CaricaWebComune(const WString& comune, const WString& fogli);
    bool CaricaWebPosizione(const WString& provincia, double nord, double est, double raggio);
    // Reads the '$'-separated lines of an answer, the last one also without its line end; lines without
    // the fields of a point are left out. False when the answer has lines but none is a point; an answer
    // that mentions "Warning" adds nothing and gives true.
    bool LeggiRispostaTaf(const WString& risposta, const WString& comune, bool posizione);

    // Appends a record; the list keeps it as it is, so the pointer stays the record's.
    void Aggiungi(std::unique_ptr<CTafPunto> punto);
    void Svuota();

    void ResetIter() { m_Iter = 0; }
    // The record under the cursor, then the cursor moves on; null after the last. The list keeps ownership.
    CTafPunto* GetNext();

    int GetCount() const { return static_cast<int>(m_Conteggio); }
    // A record is built from the list's text the first time it is asked for; the same one is handed out
    // again until the next load, with whatever its holder changed in it.
    CTafPunto* GetAt(int index) const;
    // What names a record (number, sheet code, municipality), read without building it: walks over every
    // record of a province use this. False for an index out of range.
    bool GetNome(int index, std::int32_t& numPF, std::u16string& foglio, std::u16string& comune) const;

private:
    bool Leggi(std::u16string_view riga);
    bool Leggi(std::string_view riga); // bytes of the code page
    // Keeps the record as text: it is appended in the last block, or a new one when it does not fit.
    void Archivia(const unsigned char* record, std::size_t lunghezza);
    void Archivia(const CTafPunto& punto);
    const unsigned char* Record(std::size_t index) const;

    // Every record is kept once as packed text (see TafElenco.cpp) in blocks of kBlocco bytes, and found
    // through its position: a province of a few hundred thousand points costs about a hundred bytes a
    // point and a few thousand allocations, where a record of its own per point costs five times that.
    static constexpr std::size_t kBlocco = 64 * 1024;
    static constexpr std::size_t kPosizioniPerBlocco = 4096;
    std::vector<std::unique_ptr<unsigned char[]>> m_Blocchi;
    std::size_t m_Usati = 0; // bytes of the last block in use
    // The position of each record, block index times kBlocco plus its offset, in blocks too: one array
    // that doubled would hold three copies at its peak.
    std::vector<std::unique_ptr<std::uint32_t[]>> m_Posizioni;
    std::size_t m_Conteggio = 0;
    // The records built so far, by index.
    mutable std::unordered_map<std::size_t, std::unique_ptr<CTafPunto>> m_Costruiti;
    std::string m_Scritto; // the record being packed, reused
    std::size_t m_Iter = 0;
};
