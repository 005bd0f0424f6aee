#include "hostapi/Resources.h"

#include "host/core/HostContext.h"
#include "host/core/Windows.h"

#include <algorithm>
#include <vector>

namespace {

// The resource chain: most recently linked first.
std::vector<const EXTENSION_MODULE*>& Chain() {
    static std::vector<const EXTENSION_MODULE*> chain;
    return chain;
}

const char16_t* FindString(const ResourceTable* table, UINT id) {
    if (!table)
        return nullptr;
    for (std::size_t i = 0; i < table->stringCount; ++i)
        if (table->strings[i].id == id)
            return table->strings[i].text;
    return nullptr;
}

} // namespace

namespace host {
const std::vector<const EXTENSION_MODULE*>& ResourceChain() {
    return Chain();
}
} // namespace host

BOOL InitExtensionModule(EXTENSION_MODULE& record, HINSTANCE instance) {
    if (!instance || !instance->resources)
        return FALSE;
    record.instance = instance;
    record.resources = instance->resources;
    return TRUE;
}

void TermExtensionModule(EXTENSION_MODULE& record) {
    std::erase(Chain(), &record);
    record.linked = false;
    record.resources = nullptr;
    record.instance = nullptr;
}

CDynLinkLibrary::CDynLinkLibrary(EXTENSION_MODULE& record) : m_Record(&record) {
    Chain().insert(Chain().begin(), &record);
    record.linked = true;
}

CDynLinkLibrary::~CDynLinkLibrary() {
    std::erase(Chain(), m_Record);
    m_Record->linked = false;
}

int CStringLoader::GetLength(UINT id) const {
    const char16_t* text = m_Instance ? FindString(m_Instance->resources, id) : nullptr;
    return text ? WString(text).GetLength() : 0;
}

int CStringLoader::LoadString(UINT id, char16_t* buffer, int size) const {
    if (!buffer || size <= 0)
        return 0;
    const char16_t* text = m_Instance ? FindString(m_Instance->resources, id) : nullptr;
    int n = 0;
    for (; text && text[n] && n < size - 1; ++n)
        buffer[n] = text[n];
    buffer[n] = 0;
    return n;
}

WString Xlate(const WString& text) {
    return text;
}

const char16_t* FindStringResource(UINT id) {
    for (const EXTENSION_MODULE* record : Chain())
        if (const char16_t* text = FindString(record->resources, id))
            return text;
    return nullptr;
}

WString FGetSpecialFolderPathAndSubDir(int folder, const WString& subPath) {
    const auto& folders = host::GetFolders();
    const auto& base = folder == CARTELLA_LAVORI ? folders.jobs : folders.install;
    WString path = WString::FromUtf8(base.string());
    if (!subPath.IsEmpty()) {
        if (!path.IsEmpty() && path.GetAt(path.GetLength() - 1) != u'/' &&
            path.GetAt(path.GetLength() - 1) != u'\\')
            path += u'\\';
        path += subPath;
    }
    return path;
}

WString CJobsFolder::GetJobNameFolderWthSlash() {
    WString folder = FGetSpecialFolderPathAndSubDir(CARTELLA_LAVORI, WString());
    if (folder.IsEmpty() ||
        (folder.GetAt(folder.GetLength() - 1) != u'\\' && folder.GetAt(folder.GetLength() - 1) != u'/'))
        folder += u'\\';
    return folder;
}
