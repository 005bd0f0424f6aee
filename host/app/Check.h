// pregeo-host check: the booklet checker's full run on a project, shown as the host shows the list.
#pragma once

#include "host/project/Project.h"

#include <ostream>

namespace host {

// Runs the full check of the project's booklet and survey and writes the list: readable text, or one JSON
// document for other programs. Returns 0 when the list holds no error, 1 when it holds errors.
int StampaControllo(Project& project, bool json, std::ostream& out);

} // namespace host
