// State the module keeps from load to unload, and string-table loading.
#pragma once

#include "entry/host/Resources.h"
#include "entry/host/WString.h"

// The module's string loader, initialised with the instance handle at attach.
CStringLoader& ModuleStringLoader();

// A string-table text, translated by the host; empty when the identifier is unknown.
WString CaricaStringa(UINT id);
