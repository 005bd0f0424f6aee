// Row checks (rows 3, 4, 5, 6, 7), orientation points, alignment limits, point lookup and the point index.
//
// TO BE FILLED: the bodies below are placeholders so that the full run already walks the row views and
// calls every check in its order; each does nothing until written. The point index is built empty.
#include "rules/ControlloLibretto.h"
#include "rules/IndicePunti.h"
#include "rules/Regole.h"

CIndicePunti::CIndicePunti(CLibGps*, CLibCmp*, CCts*) {}

void CControlloLibretto::ControllaRiga3(int) {}

void CControlloLibretto::ControllaRiga4(int) {}

void CControlloLibretto::ControllaRiga4Speciale(int) {}

void CControlloLibretto::ControllaRiga5(int) {}

void CControlloLibretto::ControllaRiga5Speciale(int) {}

void CControlloLibretto::ControllaNotaRiga6(int) {}

void CControlloLibretto::ControllaRiga7(int) {}

void CControlloLibretto::ControllaPuntiOri() {}

void CControlloLibretto::ControllaAllineamenti() {}

// Leaves x and y untouched, as a lookup that finds nothing does.
void CControlloLibretto::CercaCoordPunto(WString, double&, double&) {}

int CControlloLibretto::ControllaRiga5Distanza(WString, WString) {
    return REGOLA_OK;
}
