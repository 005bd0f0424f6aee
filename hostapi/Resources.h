// Module resources, the string loader, translation and the host's special folders.
#pragma once

#include "hostapi/Platform.h"
#include "hostapi/WString.h"

#include <cstddef>

struct DialogTemplate;

struct StringResource {
    UINT id;
    const char16_t* text;
};

// A module's compiled resources, found by the host through the module's instance handle.
struct ResourceTable {
    const StringResource* strings;
    std::size_t stringCount;
    const DialogTemplate* const* dialogs;
    std::size_t dialogCount;
};

// Name under which a module publishes its resources, as the resource section of its image: a function
// without arguments returning a pointer to its ResourceTable.
#define MODULE_RESOURCES_SYMBOL "ModuleResources"
using ModuleResourcesFn = const ResourceTable* (*)();

// The record of an extension module: initialised at attach, linked into the host's resource chain so
// that the host finds the module's templates and strings, terminated at detach.
struct EXTENSION_MODULE {
    HINSTANCE instance = nullptr;
    const ResourceTable* resources = nullptr;
    bool linked = false;
};

// False when the instance has no resources to offer.
HOSTAPI BOOL InitExtensionModule(EXTENSION_MODULE& record, HINSTANCE instance);
HOSTAPI void TermExtensionModule(EXTENSION_MODULE& record);

// Links an initialised extension module into the host's resource chain for as long as it lives.
class HOSTAPI CDynLinkLibrary {
public:
    explicit CDynLinkLibrary(EXTENSION_MODULE& record);
    ~CDynLinkLibrary();
    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

private:
    EXTENSION_MODULE* m_Record;
};

// Loads string-table texts of one module.
class HOSTAPI CStringLoader {
public:
    CStringLoader() = default;
    void Init(HINSTANCE instance) { m_Instance = instance; }
    HINSTANCE GetInstance() const { return m_Instance; }
    // Length of the text, 0 when the identifier is not in the table.
    int GetLength(UINT id) const;
    // Copies at most size - 1 characters and a terminator; returns the characters copied.
    int LoadString(UINT id, char16_t* buffer, int size) const;

private:
    HINSTANCE m_Instance = nullptr;
};

// The host's translation of a user-visible text; the host shows Italian, so texts come back unchanged
// unless the host's translation table names them.
HOSTAPI WString Xlate(const WString& text);

// Searches the resource chain, most recently linked module first; null when no module has it.
HOSTAPI const DialogTemplate* FindDialogTemplate(UINT id);
HOSTAPI const char16_t* FindStringResource(UINT id);

// Host folders: 0 is the host's install folder (holding "Support\"), 1 the job folder. The sub-path is
// appended with a backslash; the host maps backslash paths to its file system when files are opened.
constexpr int CARTELLA_INSTALLAZIONE = 0;
constexpr int CARTELLA_LAVORI = 1;
HOSTAPI WString FGetSpecialFolderPathAndSubDir(int folder, const WString& subPath);

// The host's job folders: the folder of the current job, ending with a backslash.
class HOSTAPI CJobsFolder {
public:
    static WString GetJobNameFolderWthSlash();
};
