// A project: a folder holding the survey and booklet file, the settings file, the support folder and the
// job folder. The survey file is JSON (see docs/architecture.md, "Project files").
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/CarviloDati.h"
#include "hostapi/Gps.h"
#include "hostapi/TotalStation.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace host {

inline constexpr const char* kProjectFile = "progetto.json";
inline constexpr const char* kSettingsFile = "impostazioni.ini";
inline constexpr const char* kJobFolder = "lavori";

// A project file that cannot be read: which file, where in it, and what was expected there.
class ProjectError : public std::runtime_error {
public:
    ProjectError(const std::string& file, const std::string& where, const std::string& what)
        : std::runtime_error(file + (where.empty() ? "" : ": " + where) + ": " + what) {}
};

class Project {
public:
    Project() = default;
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;

    // Reads DIR/progetto.json; throws ProjectError and touches nothing when it is not a valid project.
    static std::unique_ptr<Project> Load(const std::filesystem::path& dir);
    static std::unique_ptr<Project> Parse(const std::string& text, const std::string& fileName);
    // The project file's text; loading it gives the same text back.
    std::string Serialize() const;
    // Writes beside the file and renames it into place; false with the reason when it could not be
    // written (the old file stays as it was). A project read from its file is written only when it
    // differs from what was read, and only while the file still holds what was read: when someone else
    // changed it meanwhile, the save refuses and what it would have written goes beside it instead
    // (ConflictFile), so that neither edit is lost.
    // Before it writes over the file, the version there is kept in the project's history; `autore` (the
    // tool or command saving) names the new one there.
    bool Save(std::string* why = nullptr, const std::string& autore = "");
    // Whether the last Save wrote the file; false when nothing had changed.
    bool Scritto() const { return m_Scritto; }
    // Why the last Save could not keep the version it wrote over; empty when it kept it. The save itself
    // went ahead: a history that cannot be written must not stop the work.
    const std::string& AvvisoStoria() const { return m_AvvisoStoria; }
    // Where the last refused save put its text; empty when none was refused.
    const std::filesystem::path& ConflictFile() const { return m_Conflitto; }
    // Makes this project's folders the host's install, job and settings folders.
    void Activate() const;

    std::filesystem::path dir;
    CCts cts;
    CLibCmp cmp;
    CLibGps gps;
    CRicevitoreGps ricevitore;
    std::string nome;

private:
    std::optional<std::string> m_Letto; // the file's text as read or last written
    std::filesystem::path m_Conflitto;
    bool m_Scritto = false;
    std::string m_AvvisoStoria;
};

// The host data interface over a project. It can record the operations the module asks for.
class HostData : public ICarviloDati {
public:
    explicit HostData(Project& project) : m_Project(project) {}
    int GetVersioneInterfaccia() override { return 1; }
    CLibCmp* GetLibCmp() override;
    CLibGps* GetLibGps() override;
    WString GetNomeProgetto() override;
    CLibConOri* GetLibConOri() override;
    CCts* GetCts() override;
    CRicevitoreGps* GetRicevitore() override;
    void AggiornaViste() override {}

    const std::vector<std::string>& Chiamate() const { return m_Chiamate; }
    // The project behind the interface, for the host's own use (not recorded as a call).
    Project& GetProject() { return m_Project; }

private:
    Project& m_Project;
    std::vector<std::string> m_Chiamate;
};

} // namespace host
