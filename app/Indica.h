// Where a finding of the booklet check points: the points, stations or row 7 it names in the drawing, and
// the editor that opens its row.
#pragma once

#include "host/project/Project.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

namespace host {

// The editor export of a row type and the line of the command language that opens the row in its
// editor's list; either may be empty.
struct EditorDiRiga {
    std::string strumento;
    std::string azione;
};

struct Indicazione {
    std::vector<std::string> nomi; // points and stations, as the drawing names them
    int riga7 = 0;                 // the row 7 by its number in the drawing, 0 for none
    EditorDiRiga editor;
};

// The names of points a finding's detail gives: "Nome Stazione: S1", "Punto: 101",
// "Allineamento: 11-12, Nome Punto: 21", "Stazioni: 100 - 200;".
std::vector<std::string> NomiNelDettaglio(const std::string& dettaglio);

// The editor of a row of the given type ("0" to "9", "4L", "5L") and number (from 1 in its view); a row
// the lists number needs its number.
EditorDiRiga EditorDellaRiga(const std::string& tipoRiga, std::optional<int> riga);

// One entry of the check as ControlloInJson writes it, on the project it was found in. What the detail
// names comes first; without a name, the row's own points (a row 3's vertices, a row 4's ends, the point
// of a row 5 or 8) or its row 7.
Indicazione Indica(const nlohmann::ordered_json& voce, const Project& project);

// The check as `check --json` writes it, each entry with "indica": "nomi", "riga7" (null for none),
// "strumento" and "azione" (null for none).
nlohmann::ordered_json ControlloIndicato(Project& project);

} // namespace host
