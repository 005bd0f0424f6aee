// pregeo-host esporta: the survey into a DXF, GeoPackage or GeoJSON file.
#pragma once

#include "host/project/Project.h"

#include <filesystem>
#include <ostream>

namespace host {

// Writes the survey with the fiducial mesh the tolerance tools build, and says on out what went into
// the file and which rows 7 did not. Returns 0, or 1 with the reason on err.
int StampaEsportazione(Project& project, const std::filesystem::path& file, bool sovrascrivi,
                       std::ostream& out, std::ostream& err);

} // namespace host
