// pregeo-host check: the booklet checker's full run on projects, shown as the host shows the list.
#pragma once

#include "host/project/Project.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <ostream>
#include <vector>

namespace host {

// Runs the full check of the project's booklet and survey and writes the list: readable text, or one JSON
// object for other programs (see docs/architecture.md). Returns 0 when the list holds no error, 1 when it
// holds errors.
int StampaControllo(Project& project, bool json, std::ostream& out);

// The report of the project's check as `check --json` writes it for one folder.
nlohmann::ordered_json ControlloInJson(Project& project);

// The check command over project folders: one report each and, for more than one folder, a summary. A
// folder that is not a valid project is reported on err. Returns the worst status: 0 no error, 1 errors,
// 2 a folder that could not be read.
int ControllaCartelle(const std::vector<std::filesystem::path>& cartelle, bool json, std::ostream& out,
                      std::ostream& err);

} // namespace host
