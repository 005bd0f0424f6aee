// Loads the module as the device does and resolves its exports by name.
#pragma once

#include "hostapi/Platform.h"

#include <string>
#include <vector>

namespace host {

// The sixteen exports: name and how the host calls it.
enum class ExportKind { Editor, Tool, ToolWithWord };
struct ExportInfo {
    const char* name;
    ExportKind kind;
};
const std::vector<ExportInfo>& ModuleExports();

class LoadedModule {
public:
    // Loads the module; `error` says why when it returns false.
    bool Load(const std::string& path, std::string& error);
    ~LoadedModule();
    FARPROC Resolve(const char* name) const { return GetProcAddress(m_Module, name); }
    HMODULE Handle() const { return m_Module; }

private:
    HMODULE m_Module = nullptr;
};

} // namespace host
