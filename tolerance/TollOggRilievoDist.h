// Survey-object distances: against a side of the fiducial mesh, a point outside the mesh may stand at most
// 30 % as far from the side as a point inside it.
#pragma once

#include "hostapi/CarviloDati.h"
#include "hostapi/Dialog.h"
#include "hostapi/Points.h"

struct CEsitoOggRilDist {
    double distInterna = 0; // Dist.Interna
    double distEsterna = 0; // Dist.Esterna
    double dist30 = 0;      // 30% Dist.Int.
    bool inTolleranza = false;
};

// Both distances from the line through the side's two vertices (from the vertex itself when the two stand
// at one place); in tolerance when the external distance is at most 30 % of the internal one, compared
// at the millimetre shown.
CEsitoOggRilDist ValutaOggRilDist(const CEgn& fid1, const CEgn& fid2, const CEgn& esterno,
                                  const CEgn& interno);

// The tool behind FPregeoTollOggRilievoDist.
void TollOggRilievoDist(CWnd* parent, ICarviloDati* host);
