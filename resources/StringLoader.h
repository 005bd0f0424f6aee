// The module string loader, initialised at attach, and string-table loading.
#pragma once

#include "hostapi/Resources.h"
#include "hostapi/WString.h"

// The module's string loader, initialised with the instance handle at attach.
CStringLoader& ModuleStringLoader();

// A string-table text, translated by the host; empty when the identifier is unknown.
WString CaricaStringa(UINT id);
