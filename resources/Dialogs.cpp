#include "resources/ModuleResources.h"
#include "resources/TemplateRiga0Riga9.h"

#include <iterator>

// Templates join this list as the dialogs that use them are built.
const DialogTemplate* const* ModuleDialogs(std::size_t& count) {
    static const DialogTemplate* const kDialoghi[] = {
        &kDlgRiga0[0],         &kDlgRiga0[1],         &kDlgRiga0[2],         &kDlgRiga0[3],
        &kDlgRiga0Archivio[0], &kDlgRiga0Archivio[1], &kDlgRiga0Archivio[2], &kDlgRiga0Archivio[3],
        &kDlgRiga0Tecnico[0],  &kDlgRiga0Tecnico[1],  &kDlgRiga0Tecnico[2],  &kDlgRiga0Tecnico[3],
        &kDlgRiga9[0],         &kDlgRiga9[1],         &kDlgRiga9[2],         &kDlgRiga9[3],
    };
    count = std::size(kDialoghi);
    return kDialoghi;
}
