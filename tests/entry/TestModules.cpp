// Stand-ins for broken modules: one whose attach says no, one with no resources to register.
#include "hostapi/Platform.h"
#include "hostapi/Resources.h"

namespace {
EXTENSION_MODULE g_Record;
}

MODULE_EXPORT BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
#ifdef ATTACH_FAILS
    (void)instance;
    return FALSE;
#else
    return InitExtensionModule(g_Record, instance);
#endif
}
