// pregeo-host maglia: a picture of the fiducial mesh and of the stations and rows 7 judged against it.
#pragma once

#include "host/cad/Figura.h"
#include "host/project/Project.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace host {

// What the station and surface tools judged, laid over the survey, and the summary `maglia` writes.
struct GiudizioMaglia {
    cad::Sovrapposizione sopra;
    int lati = 0;
    int interni = 0;
    std::string sommario;
};

// The mesh (alone, when soloMaglia) and the findings; nothing, with the reason, when there is no mesh.
std::optional<GiudizioMaglia> GiudicaMaglia(Project& project, bool soloMaglia, std::string& why);

// Runs the module's station and surface tools without their dialogs and draws what they found over the
// survey: the mesh, its vertices and inner points, every station examined and, for each one outside the
// mesh, the side it is judged against, in or out of tolerance; each judged row 7 in its pieces inside and
// outside the mesh, with its finding. Writes a summary on out. Returns 0, or 1 with the reason on
// err when there is no mesh or the picture cannot be written.
int StampaMaglia(Project& project, const std::filesystem::path& file, std::ostream& out, std::ostream& err);

} // namespace host
