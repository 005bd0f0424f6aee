// The fiducial points the survey names: the automatic import, the distance import and the fiducial
// mesh of the tolerance tools all start from this list.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/Gps.h"
#include "hostapi/Points.h"
#include "hostapi/TotalStation.h"

class CElencoPFRilievo : public CPoint3dVector {
public:
    CElencoPFRilievo(CLibGps* gps, CLibCmp* stazioni, CCts* libretto)
        : m_Gps(gps), m_Stazioni(stazioni), m_Libretto(libretto) {}

    // Rebuilds the list: the points of every station, then of every GPS group, then the first name of
    // every row 5 with specification 0. Only fiducial names count, completed and upper-cased; the first
    // occurrence of a name wins. Coordinates are undefined unless their source is usable.
    void Raccogli();

    CLibGps* GetGps() const { return m_Gps; }
    CLibCmp* GetStazioni() const { return m_Stazioni; }
    CCts* GetLibretto() const { return m_Libretto; }

private:
    void Aggiungi(WString nome, const CEgn* origine, bool usabile);

    CLibGps* m_Gps;
    CLibCmp* m_Stazioni;
    CCts* m_Libretto;
};
