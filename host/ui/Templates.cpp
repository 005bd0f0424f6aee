#include "hostapi/Dialog.h"

#include "host/core/Windows.h"
#include "host/ui/Driver.h"

namespace {

host::ui::Screen g_screen;

} // namespace

namespace host::ui {

void SetScreen(const Screen& screen) {
    g_screen.variant = screen.variant >= 0 && screen.variant <= 3 ? screen.variant : 0;
    g_screen.multiplier = screen.multiplier >= 1 ? screen.multiplier : 1;
}

const Screen& GetScreen() {
    return g_screen;
}

} // namespace host::ui

UINT CPalmDevice::SelectIdDlgStd(UINT id0, UINT id1, UINT id2, UINT id3) {
    switch (g_screen.variant) {
    case 1:
        return id1;
    case 2:
        return id2;
    case 3:
        return id3;
    default:
        return id0;
    }
}

int CPalmDevice::GetResMultiplier() {
    return g_screen.multiplier;
}

const DialogTemplate* FindDialogTemplate(UINT id) {
    for (const EXTENSION_MODULE* record : host::ResourceChain()) {
        const ResourceTable* table = record ? record->resources : nullptr;
        if (!table || !table->dialogs)
            continue;
        for (std::size_t i = 0; i < table->dialogCount; ++i)
            if (table->dialogs[i] && table->dialogs[i]->id == id)
                return table->dialogs[i];
    }
    return nullptr;
}
