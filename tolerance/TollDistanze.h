// Picked distances: the user picks a start point and end points on the CAD view, and each distance from
// the start point is verified against the cadastre's in "Verifica distanze", or, when nothing can compare
// with it, shown with the interval that it should fall in.
#pragma once

#include "distances/VerificaDistanze.h"
#include "hostapi/CarviloDati.h"
#include "hostapi/Dialog.h"
#include "hostapi/Points.h"

#include <vector>

// Puts the distance from the start point to each end point, rounded to the millimetre, among the
// verification's measured pairs when the pair can be compared (a known pair, or two full fiducial
// names, fiducial names completed from the booklet); the others come back as intervals of the first
// zone. The verification's known points and pairs must have been built.
std::vector<CIntervalloDistanza> DistribuisciDistanze(CVerificaDistanze& verifica, const CCts* libretto,
                                                      const CEgn& inizio,
                                                      const std::vector<const CEgn*>& fine);

// The tool behind FPregeoTollDistanze.
void TollDistanze(CWnd* parent, ICarviloDati* host);
