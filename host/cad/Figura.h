// Pictures of a drawing: SVG and PNG.
#pragma once

#include "host/cad/Rilievo.h"
#include "hostapi/Cad.h"

#include <filesystem>
#include <string>

namespace host::cad {

using Finestra = CViewControlCAD::Finestra;

// The part of the drawing that holds every entity, with a margin; a square of 100 m when there is none.
Finestra Estensione(const CGcadEng& eng);
// The part that holds the given entities, at least 20 m across.
Finestra EstensioneDi(const CGcadEng& eng, const std::vector<int>& ents);

struct OpzioniFigura {
    Finestra finestra;
    bool scala = true; // a scale bar
};

// "svg" or "png" by the file's extension, empty for anything else.
std::string FormatoFigura(const std::filesystem::path& file);

// Draws what the window shows: rows 7 filled lightly, observations and GPS baselines, the points with
// their names, the selection highlighted, and the lines drawn by others than the host (the module's)
// in a colour of their own. SVG or PNG by the extension; false with the reason when it cannot be written.
bool ScriviFigura(const CGcadEng& eng, const DisegnoRilievo& disegno, const OpzioniFigura& opzioni,
                  const std::filesystem::path& file, std::string& error);

} // namespace host::cad
