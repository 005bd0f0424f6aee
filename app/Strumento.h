// Running one of the module's tools on a project as pregeo-host does, at the terminal or from the page.
#pragma once

#include "host/core/ModuleHost.h"
#include "host/project/Project.h"

#include <filesystem>
#include <iosfwd>
#include <string>

namespace host {

// What the project holds before a tool runs: a tool works on the host's data in place, so what it changed
// is found by comparing; an editor says itself whether the user confirmed.
std::string PrimaDelloStrumento(const ExportInfo& info, const Project& project);

// After the export has returned: says how it ended and saves the project when pregeo-host saves it (an
// editor that confirmed, a tool that changed the data), writing the lines of the transcript's end to
// `out` and a failed save to `err`. 0, or 1 when the project could not be saved.
int ConcludiStrumento(const ExportInfo& info, bool confermato, Project& project, const std::string& prima,
                      const std::filesystem::path& cartella, std::ostream& out, std::ostream& err);

} // namespace host
