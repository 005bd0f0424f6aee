// Shared pieces of the editor tests: the module's resources and a scratch copy of the demo project.
#pragma once

#include "host/project/Project.h"
#include "resources/ModuleResources.h"
#include "tests/host/ui/LinkedResources.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

// The module's templates and strings, as its resource section offers them.
inline const ResourceTable* TabellaModulo() {
    static ResourceTable t{};
    t.strings = ModuleStrings(t.stringCount);
    t.dialogs = ModuleDialogs(t.dialogCount);
    return &t;
}

// A scratch copy of samples/demo, removed with the object; the copy is the host's active project.
class ProgettoProva {
public:
    explicit ProgettoProva(const std::string& nome) {
        m_Dir = std::filesystem::temp_directory_path() /
                ("pregeo_editori_" + nome + "_" + std::to_string(::getpid()));
        std::filesystem::remove_all(m_Dir);
        std::filesystem::copy("samples/demo", m_Dir, std::filesystem::copy_options::recursive);
        m_Progetto = host::Project::Load(m_Dir);
        m_Progetto->Activate();
    }
    ~ProgettoProva() { std::filesystem::remove_all(m_Dir); }
    ProgettoProva(const ProgettoProva&) = delete;
    ProgettoProva& operator=(const ProgettoProva&) = delete;

    host::Project& operator*() { return *m_Progetto; }
    host::Project* operator->() { return m_Progetto.get(); }
    std::filesystem::path Supporto(const std::string& file) const { return m_Dir / "Support" / file; }
    void Scrivi(const std::string& file, const std::string& bytes) const {
        std::ofstream(m_Dir / "Support" / file, std::ios::binary) << bytes;
    }

private:
    std::filesystem::path m_Dir;
    std::unique_ptr<host::Project> m_Progetto;
};
