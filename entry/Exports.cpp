// Each export is a thin door: it takes from the host what its tool needs, in a fixed order, and runs the
// tool modally. An editor or an import reports whether the user confirmed; a tolerance tool reports nothing.
#include "entry/Exports.h"

#include "distances/DlgPregeoDistanze.h"
#include "editors/DlgPregeoRiga0.h"
#include "editors/DlgPregeoRiga3.h"
#include "editors/DlgPregeoRiga7.h"
#include "editors/DlgPregeoRiga8.h"
#include "editors/DlgPregeoRiga9.h"
#include "editors/DlgPregeoRighe45.h"
#include "pfimport/DlgPregeoRiga8ImportGps.h"
#include "pfimport/PregeoImportPF.h"
#include "tolerance/TollAllineamenti.h"
#include "tolerance/TollDistStazioni.h"
#include "tolerance/TollDistanze.h"
#include "tolerance/TollOggRilSup.h"
#include "tolerance/TollOggRilievoDist.h"
#include "tolerance/TollStazFuoriTriang.h"
#include "tolerance/TollSuperfici.h"

bool FPregeoEditRiga0(CWnd* parent, ICarviloDati* dati) {
    CCts* libretto = dati->GetCts();
    CDlgPregeoRiga0 dlg(parent);
    dlg.Imposta(libretto);
    return dlg.DoModal() == IDOK;
}

bool FPregeoEditRiga3(CWnd* parent, ICarviloDati* dati) {
    CCts* libretto = dati->GetCts();
    CDlgPregeoRighe3 dlg(parent);
    dlg.Imposta(libretto, dati);
    return dlg.DoModal() == IDOK;
}

bool FPregeoEditRiga4And5(CWnd* parent, ICarviloDati* dati) {
    // The list asks for the booklet itself.
    CDlgPregeoRighe45 dlg(parent);
    dlg.Imposta(dati);
    return dlg.DoModal() == IDOK;
}

bool FPregeoEditRiga7(CWnd* parent, ICarviloDati* dati) {
    CCts* libretto = dati->GetCts();
    CDlgPregeoRighe7 dlg(parent);
    dlg.Imposta(libretto, dati);
    return dlg.DoModal() == IDOK;
}

bool FPregeoEditRiga8(CWnd* parent, ICarviloDati* dati) {
    // The list asks for the orientation points itself.
    CDlgPregeoRiga8 dlg(parent);
    dlg.Imposta(dati);
    return dlg.DoModal() == IDOK;
}

bool FPregeoEditRiga9(CWnd* parent, ICarviloDati* dati) {
    CLibCmp* stazioni = dati->GetLibCmp();
    CCts* libretto = dati->GetCts();
    CDlgPregeoRiga9 dlg(parent);
    dlg.Imposta(libretto, stazioni);
    return dlg.DoModal() == IDOK;
}

bool FPregeoImportRighe8(CWnd* parent, ICarviloDati* dati) {
    CPregeoImportPF importazione(parent, dati);
    return importazione.Esegui();
}

bool FPregeoImportPFNear(CWnd* parent, ICarviloDati* dati) {
    CDlgPregeoRiga8ImportGps dlg(parent, dati);
    return dlg.DoModal() == IDOK;
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

void FPregeoTollDistanze(CWnd* parent, ICarviloDati* dati, WPARAM) {
    TollDistanze(parent, dati);
}

void FPregeoTollAllineamenti(CWnd* parent, ICarviloDati* dati) {
    TollAllineamenti(parent, dati);
}

void FPregeoTollStazOutTriang(CWnd* parent, ICarviloDati* dati) {
    CLibCmp* stazioni = dati->GetLibCmp();
    CLibGps* gps = dati->GetLibGps();
    CCts* libretto = dati->GetCts();
    CTollStazFuoriTriang tool(parent, stazioni, libretto, gps);
    tool.Esegui(true);
}

void FPregeoTollDistStazioni(CWnd* parent, ICarviloDati* dati) {
    TollDistStazioni(parent, dati);
}

void FPregeoTollSuperfici(CWnd* parent, ICarviloDati* dati, WPARAM) {
    TollSuperfici(parent, dati);
}

void FPregeoTollOggRilievoDist(CWnd* parent, ICarviloDati* dati, WPARAM) {
    TollOggRilievoDist(parent, dati);
}

void FPregeoTollOggRilievoSup(CWnd* parent, ICarviloDati* dati) {
    CLibCmp* stazioni = dati->GetLibCmp();
    CLibGps* gps = dati->GetLibGps();
    CCts* libretto = dati->GetCts();
    CTollOggRilSup tool(parent, stazioni, libretto, gps);
    tool.Esegui(true);
}
