// A test-only module with the test dialog: built like the real module (hidden symbols, resources
// linked at attach, the host library beside it), so that dialogs derived across the two libraries,
// their handler tables and the driver's errors are exercised as the real module meets them.
#include "hostapi/Resources.h"
#include "tests/host/ui/ProvaDialog.h"

namespace {

EXTENSION_MODULE g_Extension;
CDynLinkLibrary* g_Link = nullptr;

} // namespace

MODULE_EXPORT const ResourceTable* ModuleResources() {
    return prova::ProvaResourceTable();
}

MODULE_EXPORT BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        if (!InitExtensionModule(g_Extension, instance))
            return FALSE;
        g_Link = new CDynLinkLibrary(g_Extension);
    } else if (reason == DLL_PROCESS_DETACH) {
        delete g_Link;
        g_Link = nullptr;
        TermExtensionModule(g_Extension);
    }
    return TRUE;
}

// Runs the test dialog on the record; true when it ended with OK.
MODULE_EXPORT bool ProvaModifica(CWnd* parent, prova::Record* record) {
    prova::CDlgProva dlg(parent);
    dlg.m_Record = *record;
    if (dlg.DoModal() != IDOK)
        return false;
    *record = dlg.m_Record;
    return true;
}
