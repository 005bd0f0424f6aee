// pregeo-host rapporto: one HTML file a surveyor hands to a client or to the office.
#pragma once

#include "host/project/Project.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace host::rapporto {

// One thing a tolerance tool judged.
struct Voce {
    std::string oggetto; // what was judged: a station, a row 7, a row 5
    std::string testo;   // the figures, as the tool's result grid gives them
    bool inTolleranza = false;
};

// What one tolerance tool found on the survey, run without its dialogs.
struct Esame {
    std::string funzione; // the module's export
    std::string titolo;
    std::string spiegazione;
    std::vector<Voce> voci;
    std::string nota; // said when there is nothing to judge, or beside the findings
    std::string svg;  // its drawing, empty when it has none
};

struct Rapporto {
    std::string titolo;
    std::vector<std::pair<std::string, std::string>> intestazione; // the booklet's header, label and value
    std::string disegno;                                           // the survey, SVG
    nlohmann::ordered_json controllo;                              // as check --json writes it
    std::vector<Esame> esami;
    std::vector<std::pair<std::string, std::string>> nonEseguiti; // the tools that need a person's picks
};

// Runs the check and every tolerance tool that can judge without a person, and draws their findings.
// The project is changed in memory only (rows 5 placed, rows 7 surfaces computed); it is not saved.
Rapporto Raccogli(Project& project);

// The survey's picture with one tool's findings over it, as the report draws them: the alignments and
// the census surfaces; empty for a tool the report draws no judgement of here. The project is changed in
// memory only.
std::string FiguraDelGiudizio(Project& project, const std::string& funzione);

// The report as one self-contained page: styles and drawings inline, nothing fetched.
std::string Html(const Rapporto& r);

// Writes the report of the project to file; 0, or 1 with the reason on err.
int ScriviRapporto(Project& project, const std::filesystem::path& file, std::ostream& out, std::ostream& err);

} // namespace host::rapporto
