// Surface tolerance: the user picks a closed row 7 on the CAD view, the host recomputes its surface and
// "Tolleranza Superfici" compares it with the particle's census surface, nominal or real.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/CarviloDati.h"
#include "hostapi/Dialog.h"

// Nature of a census surface (a row 7's DatoInt1): 1 real, any other value nominal.
constexpr short NATURA_NOMINALE = 0;
constexpr short NATURA_REALE = 1;

struct CEsitoTollSup {
    double tolleranza = REALE_INDEFINITO; // undefined when it cannot be computed
    double inferiore = REALE_INDEFINITO;  // census surface minus the tolerance
    double superiore = REALE_INDEFINITO;  // census surface plus the tolerance
    bool inTolleranza = false;
};

// The tolerance of a census surface S: S / 20 when nominal, (S / 1000 + √S) / 3 when real. The computed
// surface is out of tolerance when it differs from S by more than that (a difference equal to it is in).
// Without a tolerance (no census surface, or a negative real one) nothing is in tolerance.
CEsitoTollSup ValutaTollSuperficie(double calcolata, double censuaria, short natura);

// A row the tool compares: more than three vertices, the last named as the first.
bool IsRigaChiusaPerToll(const CRig* riga);

// The tool behind FPregeoTollSuperfici.
void TollSuperfici(CWnd* parent, ICarviloDati* host);
