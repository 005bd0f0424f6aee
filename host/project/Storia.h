// The project's history: before a save writes over the project file, the version it replaces is kept in
// the folder "storia" inside the project, the last 20 of them. See docs/architecture.md, "Project history".
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace host {

inline constexpr const char* kHistoryFolder = "storia";
inline constexpr std::size_t kHistoryVersions = 20;

struct Versione {
    int numero = 0;
    std::filesystem::path file;
    std::string quando; // "07/12/2026 03:15:00": when this version was written
    std::string autore; // the tool or command that wrote it
};

// The versions kept, oldest first.
std::vector<Versione> VersioniConservate(const std::filesystem::path& dir);

// Keeps `text`, the project file as it stands on disk, as the newest version, and drops the oldest beyond
// the bound. False with the reason (Italian) when it cannot be kept.
bool ConservaVersione(const std::filesystem::path& dir, const std::string& text, std::string* why);

// Notes who wrote the project file's `text` just now, so that its version names them once it is kept.
void RegistraAutore(const std::filesystem::path& dir, const std::string& text, const std::string& autore);

// What `dopo` changed from `prima`, in one line ("riga 9 modificata; righe 4-5: 1 aggiunta").
std::string Cambiamenti(const std::string& prima, const std::string& dopo);

// `pregeo-host storia` and `pregeo-host ripristina N`: exit statuses 0, 1 (could not) and 2 (bad N).
int StampaStoria(const std::filesystem::path& dir, std::ostream& out, std::ostream& err);
int Ripristina(const std::filesystem::path& dir, const std::string& numero, std::ostream& out,
               std::ostream& err);

} // namespace host
