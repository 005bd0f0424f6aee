#include "host/core/ModuleHost.h"

#include "host/core/Windows.h"

namespace host {

const std::vector<ExportInfo>& ModuleExports() {
    static const std::vector<ExportInfo> exports = {
        {"FPregeoEditRiga0", ExportKind::Editor},
        {"FPregeoEditRiga3", ExportKind::Editor},
        {"FPregeoEditRiga4And5", ExportKind::Editor},
        {"FPregeoEditRiga7", ExportKind::Editor},
        {"FPregeoEditRiga8", ExportKind::Editor},
        {"FPregeoEditRiga9", ExportKind::Editor},
        {"FPregeoImportDistanze", ExportKind::Editor},
        {"FPregeoImportPFNear", ExportKind::Editor},
        {"FPregeoImportRighe8", ExportKind::Editor},
        {"FPregeoTollAllineamenti", ExportKind::Tool},
        {"FPregeoTollDistStazioni", ExportKind::Tool},
        {"FPregeoTollDistanze", ExportKind::ToolWithWord},
        {"FPregeoTollOggRilievoDist", ExportKind::ToolWithWord},
        {"FPregeoTollOggRilievoSup", ExportKind::Tool},
        {"FPregeoTollStazOutTriang", ExportKind::Tool},
        {"FPregeoTollSuperfici", ExportKind::ToolWithWord},
    };
    return exports;
}

bool LoadedModule::Load(const std::string& path, std::string& error) {
    const WString wide = WString::FromUtf8(path);
    m_Module = LoadLibraryW(wide.c_str());
    if (!m_Module) {
        error = LastLoadError();
        return false;
    }
    return true;
}

LoadedModule::~LoadedModule() {
    if (m_Module)
        FreeLibrary(m_Module);
}

} // namespace host
