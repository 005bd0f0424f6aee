// What a tolerance tool that works on a person's picks judged, read from the results it showed, and drawn
// over the survey after it.
#pragma once

#include "host/cad/Figura.h"
#include "host/project/Project.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace host {

struct EsitoMostrato {
    // FPregeoTollDistanze: the two points of a distance. FPregeoTollOggRilievoDist: the external point, the
    // two vertices of the mesh side and the internal point.
    std::vector<std::string> nomi;
    bool inTolleranza = false;
    std::string testo; // the figures shown beside the outcome
};

// The outcomes among the dialogs the tool showed (each as the page's state gives a dialog), once each, in
// the order shown. Rows or results without an outcome (a distance with nothing to compare) are left out.
std::vector<EsitoMostrato> EsitiMostrati(const std::string& strumento,
                                         const std::vector<nlohmann::json>& finestre);

// The outcomes over the survey: a distance as a line, a survey object as its mesh side with its two
// points ringed; green in tolerance, red out. Names without coordinates in the project are passed over.
void DisegnaEsitiMostrati(const std::string& strumento, const std::vector<EsitoMostrato>& esiti,
                          Project& project, cad::Sovrapposizione& sopra);

} // namespace host
