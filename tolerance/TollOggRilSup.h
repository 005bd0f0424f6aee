// Survey-object surfaces: for each closed row 7, the part of its surface outside the fiducial mesh may be
// at most 30 % of the part inside.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/Computations.h"
#include "hostapi/Dialog.h"
#include "hostapi/Gps.h"
#include "hostapi/Points.h"
#include "hostapi/TotalStation.h"

#include <vector>

// One piece of a row as the mesh cuts it: its outline (not closed) and holes, X and Y of each vertex with
// the name of the survey point it stands on (none where a row side crosses a mesh side).
struct CParteSuperficie {
    CPoint3dVector contorno;
    std::vector<CPoint3dVector> buchi;
    double area = 0; // the outline's less the holes'
    bool interna = false;
};

struct CRisSuperficie {
    CRig* riga = nullptr;    // the row judged, the booklet's
    double supInterna = 0;   // Sup.Int.
    double supInterna30 = 0; // Sup.Int.30%
    double supEsterna = 0;   // Sup.Est.
    bool inTolleranza = false;
    // The pieces whose areas make the two sums: the row itself when it lies inside the mesh.
    std::vector<CParteSuperficie> parti;
};

class CTollOggRilSup {
public:
    CTollOggRilSup(CWnd* parent, CLibCmp* stazioni, CCts* libretto, CLibGps* gps);

    // Builds the mesh and judges every closed row 7; with mostra, tells the user what it found (no mesh,
    // nothing to judge, or the results dialog).
    void Esegui(bool mostra = true);

    // The mesh the rows are judged against (a closed ring); Esegui builds it from the survey.
    void SetMaglia(const CPoint3dVector& maglia);
    const CPoint3dVector& GetMaglia() const { return m_Maglia; }
    const std::vector<CRisSuperficie>& GetRisultati() const { return m_Risultati; }

    // Splits one row against the mesh of the last Esegui (recomputing the row's surface): false when the
    // row yields no finding (it cannot be overlaid, or the mesh leaves it in one piece outside).
    bool Dividi(CRig* riga, CRisSuperficie& esito);
    // The same, the row's vertices looked up through calcolo (one for all the rows of a run).
    bool Dividi(CRig* riga, CRisSuperficie& esito, const CCalcRighePregeo& calcolo);

private:
    CWnd* m_pParent;
    CCts* m_pCts;
    CLibCmp* m_pLibCmp;
    CLibGps* m_pLibGps;
    CPoint3dVector m_Maglia;
    CRig m_RigaMaglia; // the mesh as a polygon
    std::vector<CRisSuperficie> m_Risultati;
};
