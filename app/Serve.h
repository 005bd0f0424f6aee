// pregeo-host serve: the tools in a browser. The page lists the sixteen tools; a tool started there runs
// here, on this thread, as pregeo-host runs it at the terminal, and its dialogs are drawn by the page.
#pragma once

#include "host/core/ModuleHost.h"

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace host {

// The project's survey drawing as SVG, as `disegno` draws it, with the findings of the tool just run laid
// over it: what `maglia` draws, what the report draws, or what the tool's results showed (`finestre`, its
// dialogs as the page's state gives them); empty when the project cannot be read.
std::string DisegnoDelProgetto(const std::filesystem::path& cartella, const std::string& dopo,
                               const std::vector<std::string>& finestre = {});

// Serves until the program is stopped; the address to open is written to `out`. 2 when the port cannot
// be had.
int Servi(const std::filesystem::path& cartella, int porta, LoadedModule& modulo, std::ostream& out,
          std::ostream& err);

} // namespace host
