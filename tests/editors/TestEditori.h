// Shared pieces of the editor tests: the module's templates in the resource chain, a scratch copy of
// the demo project, readable WString failures.
#pragma once

#include "host/core/Windows.h"
#include "host/project/Project.h"
#include "hostapi/Resources.h"
#include "hostapi/WString.h"
#include "resources/ModuleResources.h"
#include "resources/StringLoader.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <unistd.h>

inline void PrintTo(const WString& s, std::ostream* os) {
    WString t = s;
    t.Replace(WString(u"\r"), WString(u"\\r"));
    t.Replace(WString(u"\n"), WString(u"\\n"));
    *os << '"' << t.ToUtf8() << '"';
}

// Links the module's strings and templates into the host's resource chain, and points the module's string
// loader at them, for the object's lifetime.
class RisorseModulo {
public:
    RisorseModulo() {
        m_Tabella.strings = ModuleStrings(m_Tabella.stringCount);
        m_Tabella.dialogs = ModuleDialogs(m_Tabella.dialogCount);
        m_Modulo.resources = &m_Tabella;
        InitExtensionModule(m_Record, &m_Modulo);
        m_Link = std::make_unique<CDynLinkLibrary>(m_Record);
        ModuleStringLoader().Init(&m_Modulo);
    }
    ~RisorseModulo() {
        ModuleStringLoader().Init(nullptr);
        m_Link.reset();
        TermExtensionModule(m_Record);
    }
    RisorseModulo(const RisorseModulo&) = delete;
    RisorseModulo& operator=(const RisorseModulo&) = delete;

private:
    ResourceTable m_Tabella{};
    HostModule m_Modulo;
    EXTENSION_MODULE m_Record;
    std::unique_ptr<CDynLinkLibrary> m_Link;
};

// A scratch copy of samples/demo, removed with the object; the copy is the host's active project.
class ProgettoProva {
public:
    explicit ProgettoProva(const std::string& nome) {
        m_Dir = std::filesystem::temp_directory_path() /
                ("pregeo_editori_" + nome + "_" + std::to_string(::getpid()));
        std::filesystem::remove_all(m_Dir);
        std::filesystem::copy("samples/demo", m_Dir, std::filesystem::copy_options::recursive);
        Ricarica();
    }
    ~ProgettoProva() { std::filesystem::remove_all(m_Dir); }
    ProgettoProva(const ProgettoProva&) = delete;
    ProgettoProva& operator=(const ProgettoProva&) = delete;

    void Ricarica() {
        m_Progetto = host::Project::Load(m_Dir);
        m_Progetto->Activate();
    }
    host::Project& operator*() { return *m_Progetto; }
    host::Project* operator->() { return m_Progetto.get(); }
    std::filesystem::path Supporto(const std::string& file) const { return m_Dir / "Support" / file; }
    void Scrivi(const std::string& file, const std::string& bytes) const {
        std::ofstream(Supporto(file), std::ios::binary) << bytes;
    }

private:
    std::filesystem::path m_Dir;
    std::unique_ptr<host::Project> m_Progetto;
};
