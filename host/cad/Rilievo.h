// The host's drawing of a survey: what a CAD view shows, and what the pictures draw.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/Cad.h"
#include "hostapi/CarviloDati.h"
#include "hostapi/Gps.h"
#include "hostapi/TotalStation.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace host::cad {

// User types of the host's entities. The low four bits say what a point is (1, 2, 6, 8, 9 are the
// pickable survey points); the bits above are flags.
constexpr int UT_STAZIONE = 1;
constexpr int UT_PUNTO_RILEVATO = 2;
constexpr int UT_OSSERVAZIONE = 3; // the line from a station to a point it observed
constexpr int UT_PUNTO_RIGA5 = 4;  // the point a row 5 places on its alignment (not one the steps pick)
constexpr int UT_BASE_GPS = 5;     // the line from a GPS group's base to one of its points
constexpr int UT_PUNTO_GPS = 6;
constexpr int UT_RIGA7 = 7; // the polygon of a row 7 and its label; the user datum is the row (CRig*)
constexpr int UT_GRUPPO_GPS = 8;
constexpr int UT_PUNTO_ORIENTAMENTO = 9;
constexpr int UT_FIDUCIALE = 0x10; // flag: a fiducial point
constexpr int UT_NP = 0x20;        // flag: a point coded NP (not in the booklet)

// Two objects of the same name closer than this are one point of the survey, drawn once.
constexpr double STESSO_PUNTO = 0.001;

// A row 7 of the booklet, numbered from 1 in the booklet's order of rows 7.
struct Riga7Disegnata {
    const CRig* riga = nullptr;
    int numero = 0;
    std::vector<int> entita;  // polygon, label; none when the row could not be drawn
    std::string nonDisegnata; // why not
};

struct DisegnoRilievo {
    std::vector<Riga7Disegnata> righe7;
    int punti = 0;
    int marca = 0; // the last handle the host drew: later ones are someone else's
    std::string titolo;
    const CCts* cts = nullptr; // completes short fiducial names
};

// The survey of the host's data, whatever object answers the host interface.
struct DatiRilievo {
    CCts* cts = nullptr;
    CLibCmp* cmp = nullptr;
    CLibGps* gps = nullptr;
    std::string nome;
};
DatiRilievo DatiDi(ICarviloDati* host);

// Where a named point is, as CCalcRighePregeo::CercaCoordinate finds it (row 5 by label, orientation
// point, station or its observed points, GPS base or its points, the first with coordinates), for every
// name at once: a large booklet's rows 7 name thousands of vertices.
class IndiceCoordinate {
public:
    explicit IndiceCoordinate(const DatiRilievo& dati);
    bool Cerca(const WString& nome, double& x, double& y) const;

private:
    void Aggiungi(const CEgn* p, const WString& nome);
    std::unordered_map<std::u16string, std::pair<double, double>> m_Punti;
};

// Draws the survey into the engine's survey drawing: orientation points, stations, GPS bases and points,
// observed points and the points of rows 5 as inserts (one insert for objects of one name at one place),
// the observations and GPS baselines as lines, each row 7 as a polygon and a label. A row 5 without
// coordinates gets them computed (CCalcRighePregeo::CalcolaSngRiga45), as the booklet computation keeps
// them.
DisegnoRilievo DisegnaRilievo(CGcadEng& eng, const DatiRilievo& dati);

// The row of an entity of user type 7, null when none.
const Riga7Disegnata* RigaDi(const DisegnoRilievo& disegno, const CGcadEng& eng, int ent);

// How the transcript names an entity: #7 "101", #30 row 2 "1245", #58 line.
std::string Descrivi(const CGcadEng& eng, const DisegnoRilievo& disegno, int ent);
// The name of an insert (attribute 0), empty when it has none.
WString NomeInsert(const CGcadEng& eng, int ent);

} // namespace host::cad
