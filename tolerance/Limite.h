// The ties of the tolerance rules: a value equal to its limit is in tolerance. Both are compared at the
// micrometre (six decimals), so that the noise of a sum of coordinates cannot flip a tie, while a value a
// millimetre past its limit, or a limit a fraction of a millimetre short of the value, still counts.
#pragma once

#include "hostapi/Conversions.h"

inline bool EntroIlLimite(double valore, double limite) {
    return ArrotondatoAtDec(valore, 6) <= ArrotondatoAtDec(limite, 6);
}
