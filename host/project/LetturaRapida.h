// The quick reader of progetto.json: one pass over the text straight into the data model.
#pragma once

#include "host/project/Project.h"

#include <string>

namespace host {

// Reads a well-formed, complete project into `project` (which must be new) and returns true. On
// anything it does not take it returns false and says nothing: the caller reads the text again with
// the strict reader, which names the fault. It takes nothing the strict reader would refuse.
bool LeggiProgettoRapido(const std::string& text, Project& project);

// The strict reader alone: every fault named with its JSON path.
std::unique_ptr<Project> LeggiProgettoVerificato(const std::string& text, const std::string& fileName);

} // namespace host
