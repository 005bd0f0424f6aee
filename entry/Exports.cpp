// Each export is a thin door: it takes from the host what its tool needs, in a fixed order, runs the tool
// modally and reports whether the user confirmed. Tools not yet present report false.
#include "entry/Exports.h"

#include "distances/DlgPregeoDistanze.h"
#include "editors/DlgPregeoRiga0.h"
#include "editors/DlgPregeoRiga9.h"

bool FPregeoEditRiga0(CWnd* parent, ICarviloDati* dati) {
    CCts* libretto = dati->GetCts();
    CDlgPregeoRiga0 dlg(parent);
    dlg.Imposta(libretto);
    return dlg.DoModal() == IDOK;
}

bool FPregeoEditRiga3(CWnd*, ICarviloDati* dati) {
    dati->GetCts();
    return false;
}

bool FPregeoEditRiga4And5(CWnd*, ICarviloDati*) {
    return false;
}

bool FPregeoEditRiga7(CWnd*, ICarviloDati* dati) {
    dati->GetCts();
    return false;
}

bool FPregeoEditRiga8(CWnd*, ICarviloDati*) {
    return false;
}

bool FPregeoEditRiga9(CWnd* parent, ICarviloDati* dati) {
    CLibCmp* stazioni = dati->GetLibCmp();
    CCts* libretto = dati->GetCts();
    CDlgPregeoRiga9 dlg(parent);
    dlg.Imposta(libretto, stazioni);
    return dlg.DoModal() == IDOK;
}

bool FPregeoImportRighe8(CWnd*, ICarviloDati* dati) {
    // The import engine's own order.
    dati->GetLibCmp();
    dati->GetLibGps();
    dati->GetLibConOri();
    dati->GetCts();
    return false;
}

bool FPregeoImportPFNear(CWnd*, ICarviloDati*) {
    return false;
}

// Distances written by an import stay in the booklet however the list is closed, so the host is told
// whenever they changed.
bool FPregeoImportDistanze(CWnd* parent, ICarviloDati* dati) {
    CLibCmp* stazioni = dati->GetLibCmp();
    CLibGps* gps = dati->GetLibGps();
    CCts* libretto = dati->GetCts();
    CDlgPregeoDistanze dlg(parent);
    dlg.Imposta(libretto, gps, stazioni);
    dlg.DoModal();
    return dlg.IsModificato();
}

void FPregeoTollDistanze(CWnd*, ICarviloDati*, WPARAM) {}

void FPregeoTollAllineamenti(CWnd*, ICarviloDati*) {}

void FPregeoTollStazOutTriang(CWnd*, ICarviloDati* dati) {
    dati->GetLibCmp();
    dati->GetLibGps();
    dati->GetCts();
}

void FPregeoTollDistStazioni(CWnd*, ICarviloDati* dati) {
    dati->GetCts();
    dati->GetLibCmp();
}

void FPregeoTollSuperfici(CWnd*, ICarviloDati*, WPARAM) {}

void FPregeoTollOggRilievoDist(CWnd*, ICarviloDati*, WPARAM) {}

void FPregeoTollOggRilievoSup(CWnd*, ICarviloDati* dati) {
    dati->GetLibCmp();
    dati->GetLibGps();
    dati->GetCts();
}
