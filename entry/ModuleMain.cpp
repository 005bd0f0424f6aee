// Load and unload of the module: start signal, resources, string loader.
#include "hostapi/Platform.h"
#include "hostapi/Resources.h"
#include "resources/ModuleResources.h"
#include "resources/StringLoader.h"

namespace {

EXTENSION_MODULE g_Extension;
CDynLinkLibrary* g_ResourceLink = nullptr;

constexpr UINT WM_AVVIO_MODULO = WM_USER + 141;

// Tells the host's start window that the module is loading; nothing is sent when there is none.
void SegnalaAvvio() {
    HWND start = FindWindowW(nullptr, u"ValmenoFieldStart");
    if (!start)
        start = FindWindowW(nullptr, u"Avvio_TessaroCrash");
    if (start)
        SendMessageW(start, WM_AVVIO_MODULO, 1, 0);
}

} // namespace

MODULE_EXPORT const ResourceTable* ModuleResources() {
    static ResourceTable table = [] {
        ResourceTable t{};
        t.strings = ModuleStrings(t.stringCount);
        t.dialogs = ModuleDialogs(t.dialogCount);
        return t;
    }();
    return &table;
}

MODULE_EXPORT BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        SegnalaAvvio();
        if (!InitExtensionModule(g_Extension, instance))
            return FALSE;
        ModuleStringLoader().Init(instance);
        g_ResourceLink = new CDynLinkLibrary(g_Extension);
        return TRUE;
    case DLL_PROCESS_DETACH:
        delete g_ResourceLink;
        g_ResourceLink = nullptr;
        TermExtensionModule(g_Extension);
        return TRUE;
    default:
        return TRUE;
    }
}
