// Verification of the distances measured between fiducial points against the cadastre's: the tolerance
// rules, the pairs of points, and the result rows that "Verifica distanze" shows. Plain code.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/Gps.h"
#include "hostapi/TotalStation.h"
#include "hostapi/WString.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// Zone types: 0 urban, 1 open flat or rolling ground, 2 open difficult ground.
constexpr int ZONE_TOLLERANZA = 3;

// Tolerance of a measured distance d in a zone (a zone outside 0..2 counts as 0): up to 300 m a formula,
// above it a constant; undefined for an undefined distance.
double TolleranzaZona(int zona, double d);
// Tolerance against a distance computed from known coordinates, by the map's scale denominator.
double TolleranzaScala(std::int32_t denominatore);
// The scales offered, 1:500, 1:1000, 1:2000, 1:4000, by index; any other index counts as 1:500.
std::int32_t DenominatoreScala(std::int32_t indice);
// Whether a difference lies within a tolerance, the limit included.
bool EntroTolleranza(double differenza, double tolleranza);
// Planar distance; undefined when a coordinate is.
double DistanzaPiana(double x1, double y1, double x2, double y2);

// Settings, section "PregeoTollDist".
struct COpzioniTollDist {
    int zona = 0;           // "Zone"
    int calcolo = 0;        // "Calc": 0 the mean of the imported distances, 1 each of them
    std::int32_t scala = 0; // "Scale": index of DenominatoreScala

    // Values the dialog cannot show read as the first choice.
    static COpzioniTollDist Leggi();
    // The zone always; the comparison and the scale only when the dialog compared. False at the first value
    // the host could not write (it has told the user why).
    bool Scrivi(bool confronto) const;
};

constexpr int ESITO_FUORI = 0;
constexpr int ESITO_IN = 1;
constexpr int ESITO_INDETERMINATO = 2;

// Two points and the distance between them, measured or computed from known coordinates.
struct CCoppiaDistanza {
    WString nome1;
    WString nome2;
    double distanza = 0;
    // The same two names, in either order.
    bool Unisce(const WString& a, const WString& b) const {
        return (nome1 == a && nome2 == b) || (nome1 == b && nome2 == a);
    }
};

struct CRisultatoDistanza {
    WString nome1;
    WString nome2;
    double misurata = 0;
    double confronto = 0;
    WString tipo; // "Media-Mis.", "Dist.Taf.", "Libretto: " or empty when nothing compares
    double inferiore = 0;
    double superiore = 0;
    int zona = 0;
    double tolleranza = 0;
    double differenza = 0;
    int esito = ESITO_INDETERMINATO;
    WString libretto; // the booklet reference, single comparison only
};

// A measured distance that nothing compares with: the interval it should fall in, by zone.
struct CIntervalloDistanza {
    WString nome1;
    WString nome2;
    double misurata = 0;
    double inferiore = 0;
    double superiore = 0;
    double tolleranza = 0;
    int zonaMostrata = 1; // zone + 1

    CIntervalloDistanza() = default;
    CIntervalloDistanza(const WString& a, const WString& b, double d, int zona = 0);
    void Calcola(int zona);
};

struct CPuntoVerifica {
    WString nome;
    double x = 0;
    double y = 0;
};

// The data of one verification run: measured and known points and pairs, and the results.
//
// A province's survey can measure a thousand fiducial points, half a million pairs: points are named
// once, by number, and a pair or a result holds numbers, not names. The known pairs are every two known
// points, so they are looked up from the points rather than listed; the imported distances are indexed
// by the numbers of their two names once per computation.
class CVerificaDistanze {
public:
    CVerificaDistanze(CLibCmp* stazioni, CLibGps* gps, CCts* libretto)
        : m_pCmp(stazioni), m_pGps(gps), m_pCts(libretto) {}

    // Known points and pairs, then measured points and pairs, from the survey and the booklet.
    void Costruisci();
    // Known points (orientation points not coded NP) and every pair of them.
    void CostruisciNoti();
    // A measured pair for two picked points, their fiducial names completed: added when it is new and
    // either known or of two full fiducial names; false otherwise.
    bool AggiungiCoppiaMisurata(WString nome1, WString nome2, double distanza);

    // The results for the options, one or more rows per measured pair in order; their number.
    std::size_t Calcola(const COpzioniTollDist& opzioni);

    const std::vector<CPuntoVerifica>& GetPuntiMisurati() const { return m_Misurati; }
    const std::vector<CPuntoVerifica>& GetPuntiNoti() const { return m_Noti; }
    std::size_t GetNumCoppieMisurate() const { return m_CoppieMisurate.size(); }
    CCoppiaDistanza GetCoppiaMisurata(std::size_t i) const;
    // Every two known points of different names.
    std::size_t GetNumCoppieNote() const {
        return m_Noti.size() * (m_Noti.size() - (m_Noti.empty() ? 0 : 1)) / 2;
    }
    std::size_t GetNumRisultati() const { return m_Risultati.size(); }
    CRisultatoDistanza GetRisultato(std::size_t i) const;
    // All the results at once, for a small verification.
    std::vector<CRisultatoDistanza> GetRisultati() const;

private:
    using Id = std::uint32_t;
    static constexpr Id NESSUNO = 0xFFFFFFFFu;

    struct Coppia {
        Id a, b;
        double distanza;
    };
    enum class Tipo : std::uint8_t { Nessuno, Media, Taf, Libretto };
    struct Risultato {
        std::uint32_t coppia;
        std::int32_t estratta; // the imported distance of a single comparison, -1 otherwise
        double confronto;
        double tolleranza;
        Tipo tipo;
        std::uint8_t esito;
    };

    Id IdNome(const WString& nome);
    Id CercaNome(const WString& nome) const;
    void AggiungiMisurato(WString nome, double x, double y);
    bool IsNoto(const WString& nome) const { return m_IndiceNoti.count(nome.str()) != 0; }
    // The distance of the known pair of the two names; false when they are not one.
    bool CoppiaNota(Id a, Id b, double& distanza) const;
    bool IsCoppiaMisurata(Id a, Id b) const;
    Risultato Confronta(std::uint32_t coppia, double confronto, double tolleranza, Tipo tipo) const;

    CLibCmp* m_pCmp;
    CLibGps* m_pGps;
    CCts* m_pCts;
    std::vector<CPuntoVerifica> m_Misurati;
    std::vector<CPuntoVerifica> m_Noti;
    std::unordered_map<std::u16string, std::size_t> m_IndiceNoti;
    // Every name a pair holds, once; for each, its known point (or -1).
    std::vector<WString> m_Nomi;
    std::vector<std::int64_t> m_NotoDi;
    std::unordered_map<std::u16string, Id> m_IdNomi;
    std::vector<Coppia> m_CoppieMisurate;
    std::vector<Risultato> m_Risultati;
    int m_Zona = 0;
};
