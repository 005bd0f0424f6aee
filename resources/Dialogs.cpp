#include "resources/ModuleResources.h"

// Templates join this list as the dialogs that use them are built.
const DialogTemplate* const* ModuleDialogs(std::size_t& count) {
    count = 0;
    return nullptr;
}
