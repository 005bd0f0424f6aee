// GPS baseline and celerimetric station checks of the booklet checker.
//
// TO BE FILLED: the bodies below are placeholders so that the full run already calls the families in
// their order; each does nothing (queries answer "not found", ControllaQuotaPf accepts) until written.
#include "rules/ControlloLibretto.h"
#include "rules/Regole.h"

void CControlloLibretto::ControllaGps() {}

void CControlloLibretto::ControllaStazioni() {}

bool CControlloLibretto::IsBattutaDaGps(WString, int) {
    return false;
}

bool CControlloLibretto::IsBattutaPrima(WString, int, int) {
    return false;
}

bool CControlloLibretto::IsStazioneAllineamento(WString) {
    return false;
}

bool CControlloLibretto::IsPuntoGps(WString) {
    return false;
}

bool CControlloLibretto::IsDefinitoPrima(WString, int, int) {
    return false;
}

int CControlloLibretto::ControllaQuotaPf(WString) {
    return REGOLA_OK;
}
