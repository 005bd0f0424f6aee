// The module's compiled resources: string table and dialog templates.
#pragma once

#include "hostapi/Resources.h"

#include <cstddef>

const StringResource* ModuleStrings(std::size_t& count);
// Dialog templates of every dialog of the module, each in its four screen variants.
const DialogTemplate* const* ModuleDialogs(std::size_t& count);
