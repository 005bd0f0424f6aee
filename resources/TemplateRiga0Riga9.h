// Template sets of the header row editor and the row 9 editor, for the module's dialog list.
#pragma once

#include "hostapi/Dialog.h"

extern const DialogTemplate kDlgRiga0[4];
extern const DialogTemplate kDlgRiga0Archivio[4];
extern const DialogTemplate kDlgRiga0Tecnico[4];
extern const DialogTemplate kDlgRiga9[4];
