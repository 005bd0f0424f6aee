// The fiducial points the survey names: the automatic import, the distance import and the fiducial
// mesh of the tolerance tools all start from this list.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/Gps.h"
#include "hostapi/Points.h"
#include "hostapi/TotalStation.h"

#include <string>
#include <unordered_set>

class CElencoPFRilievo : public CPoint3dVector {
public:
    CElencoPFRilievo(CLibGps* gps, CLibCmp* stazioni, CCts* libretto)
        : m_Gps(gps), m_Stazioni(stazioni), m_Libretto(libretto) {}

    // Rebuilds the list: the points of every station, then of every GPS group, then the first name of
    // every row 5 with specification 0. Only fiducial names count, completed and upper-cased; the first
    // occurrence of a name wins. Coordinates are undefined unless their source is usable.
    void Raccogli();

    // The fiducial mesh, the outer polygon of the fiducial points: rebuilds the list, then validi gets the
    // points with X and Y (list order), maglia the ring of the mesh sides (its first point repeated last)
    // and interni the valid points that end no side. With fewer than three valid points the mesh and the
    // inner points stay empty.
    void CostruisciMaglia(CPoint3dVector& validi, CPoint3dVector& maglia, CPoint3dVector& interni);
    // Off, the sides are found by testing every pair of points against all the others: the plain
    // definition, cubic in the points, kept to check the fast construction against.
    void SetMagliaVeloce(bool on) { m_MagliaVeloce = on; }

    CLibGps* GetGps() const { return m_Gps; }
    CLibCmp* GetStazioni() const { return m_Stazioni; }
    CCts* GetLibretto() const { return m_Libretto; }

private:
    void Aggiungi(WString nome, const CEgn* origine, bool usabile, std::unordered_set<std::u16string>& nomi);

    CLibGps* m_Gps;
    CLibCmp* m_Stazioni;
    CCts* m_Libretto;
    bool m_MagliaVeloce = true;
};
