// pregeo-host demo: what each of the module's exports does today, found out by running it.
#pragma once

#include "host/core/ModuleHost.h"
#include "hostapi/CarviloDati.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace host {

// Calls an export with the signature of its kind; true when an editor answers that the user confirmed.
bool ChiamaExport(const ExportInfo& info, FARPROC proc, ICarviloDati* dati);

// Runs the export on a fresh copy of the project in `dir`, which is never saved, stops it at the first
// thing it shows the user and says what that was; with dettagli, in the transcript's words and with the
// host's data it asked for, otherwise in a surveyor's words.
std::string DescriviExport(const ExportInfo& info, FARPROC proc, const std::filesystem::path& dir,
                           bool dettagli = true);

// What a tool is for, in a surveyor's words; empty for a name that is none of the sixteen.
const char* ACosaServe(std::string_view exportName);

} // namespace host
