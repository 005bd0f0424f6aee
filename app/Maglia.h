// pregeo-host maglia: a picture of the fiducial mesh and of the stations and rows 7 judged against it.
#pragma once

#include "host/cad/Figura.h"
#include "host/project/Project.h"
#include "tolerance/TollOggRilSup.h"
#include "tolerance/TollStazFuoriTriang.h"

#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

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

// The mesh the station tool found (it has at least three vertices): its polygon, vertices and inner
// fiducial points, with their legend. Returns the vertices by name.
std::map<std::u16string, CPuntoCad> DisegnaMaglia(const CTollStazFuoriTriang& tool,
                                                  cad::Sovrapposizione& sopra);

struct StazioniDisegnate {
    int dentro = 0;
    int inTolleranza = 0;
    int fuoriTolleranza = 0;
    std::vector<std::string> righe; // one per side judged, as the terminal shows it
};
// Every station the tool examined: inside the mesh, or outside with the side it is judged against.
StazioniDisegnate DisegnaStazioni(const CTollStazFuoriTriang& tool,
                                  const std::map<std::u16string, CPuntoCad>& vertici,
                                  cad::Sovrapposizione& sopra);

// Each judged row 7 as the mesh cuts it: its pieces shaded inside or outside, its outline green or red
// with the finding. Returns the finding's lines for the terminal.
std::vector<std::string> DisegnaSuperfici(const std::vector<CRisSuperficie>& risultati,
                                          cad::Sovrapposizione& sopra);

// `maglia`: GiudicaMaglia drawn over the survey into the picture, and its summary on out. Returns 0, or 1
// with the reason on err when there is no mesh or the picture cannot be written.
int StampaMaglia(Project& project, const std::filesystem::path& file, std::ostream& out, std::ostream& err);

} // namespace host
