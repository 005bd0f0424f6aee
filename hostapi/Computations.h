// Booklet computation library.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/Gps.h"
#include "hostapi/Platform.h"
#include "hostapi/TotalStation.h"

#include <memory>

class CGcadEng;

// Computes booklet rows from the survey: the point coordinates of rows 5 and the surfaces of rows 7.
class HOSTAPI CCalcRighePregeo {
public:
    CCalcRighePregeo(CCts* booklet, CLibCmp* stations, CLibGps* gps, CGcadEng* cad);

    // A standard row 5 on the alignment of the row 4 before it in the rows 4/5 view: the point lies at
    // progressiva DatoRea1 along origin -> orientation and squadro DatoRea2 to its right. Sets the row's
    // X and Y (validity XY) and returns true; false when the row 4 or its points have no coordinates or
    // the two points coincide.
    bool CalcolaSngRiga45(CRig* row) const;
    // A row 7 polygon: looks up each vertex's coordinates and leaves the enclosed surface in DatoRea1.
    // False when a vertex cannot be found or the polygon has fewer than three vertices.
    bool CalcolaSngRiga7(CRig* row) const;

    // Coordinates of a named point: booklet row 5, orientation point, station, observed point or GPS
    // point with valid coordinates, in that order. False when none has them. Names are looked up through
    // an index made at the first call and checked against the objects as they are; a point added or
    // renamed since is found by a walk when the index has nothing valid of that name. No point may be
    // removed while this object lives: it is made for one computation.
    bool CercaCoordinate(const WString& name, double& x, double& y) const;

private:
    struct Indice;
    CCts* m_Cts;
    CLibCmp* m_Cmp;
    CLibGps* m_Gps;
    mutable std::shared_ptr<const Indice> m_Indice;
};

// Host check of a row 8 fiducial point name in its full form "PFnn/ffff/cccc": -1 when valid, otherwise
// a reason code of the host's own.
HOSTAPI int ControlloNomePF8(const WString& name);
