// The sixteen entry points the host calls, by their plain names.
#pragma once

#include "hostapi/CarviloDati.h"
#include "hostapi/Platform.h"

class CWnd;

MODULE_EXPORT bool FPregeoEditRiga0(CWnd* parent, ICarviloDati* dati);
MODULE_EXPORT bool FPregeoEditRiga3(CWnd* parent, ICarviloDati* dati);
MODULE_EXPORT bool FPregeoEditRiga4And5(CWnd* parent, ICarviloDati* dati);
MODULE_EXPORT bool FPregeoEditRiga7(CWnd* parent, ICarviloDati* dati);
MODULE_EXPORT bool FPregeoEditRiga8(CWnd* parent, ICarviloDati* dati);
MODULE_EXPORT bool FPregeoEditRiga9(CWnd* parent, ICarviloDati* dati);
MODULE_EXPORT bool FPregeoImportRighe8(CWnd* parent, ICarviloDati* dati);
MODULE_EXPORT bool FPregeoImportPFNear(CWnd* parent, ICarviloDati* dati);
MODULE_EXPORT bool FPregeoImportDistanze(CWnd* parent, ICarviloDati* dati);
MODULE_EXPORT void FPregeoTollDistanze(CWnd* parent, ICarviloDati* dati, WPARAM ignorato);
MODULE_EXPORT void FPregeoTollAllineamenti(CWnd* parent, ICarviloDati* dati);
MODULE_EXPORT void FPregeoTollStazOutTriang(CWnd* parent, ICarviloDati* dati);
MODULE_EXPORT void FPregeoTollDistStazioni(CWnd* parent, ICarviloDati* dati);
MODULE_EXPORT void FPregeoTollSuperfici(CWnd* parent, ICarviloDati* dati, WPARAM ignorato);
MODULE_EXPORT void FPregeoTollOggRilievoDist(CWnd* parent, ICarviloDati* dati, WPARAM ignorato);
MODULE_EXPORT void FPregeoTollOggRilievoSup(CWnd* parent, ICarviloDati* dati);

// The host's view of them: the signature types that pregeo-host resolves by name.
using FPregeoEditor = bool (*)(CWnd*, ICarviloDati*);
using FPregeoTool = void (*)(CWnd*, ICarviloDati*);
using FPregeoToolW = void (*)(CWnd*, ICarviloDati*, WPARAM);
