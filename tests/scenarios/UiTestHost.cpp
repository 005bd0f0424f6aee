// pregeo-uitest: the stand-in host's program shape for the test dialog. Reads "prova.txt" of the
// project, runs the test module's dialog under the UI driver and writes the file back on OK.
//   pregeo-uitest --project DIR [--script FILE] prova
#include "host/core/HostContext.h"
#include "host/core/Windows.h"
#include "host/ui/Driver.h"
#include "hostapi/Dialog.h"
#include "tests/host/ui/ProvaDialog.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace {

bool Leggi(const std::filesystem::path& file, prova::Record& r) {
    std::ifstream in(file);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = line.substr(0, eq);
        const WString value = WString::FromUtf8(line.substr(eq + 1));
        if (key == "nome")
            r.nome = value;
        else if (key == "attivo")
            r.attivo = value == u"1";
        else if (key == "tipo")
            r.tipo = std::stoi(value.ToUtf8());
        else if (key == "natura")
            r.natura = std::stoi(value.ToUtf8());
        else if (key == "provincia")
            r.provincia = value;
        else if (key == "comune")
            r.comune = value;
        else if (key == "punto")
            r.punti.push_back(value);
    }
    return true;
}

std::string Scrivi(const prova::Record& r) {
    std::ostringstream out;
    out << "nome=" << r.nome.ToUtf8() << "\nattivo=" << (r.attivo ? 1 : 0) << "\ntipo=" << r.tipo
        << "\nnatura=" << r.natura << "\nprovincia=" << r.provincia.ToUtf8()
        << "\ncomune=" << r.comune.ToUtf8() << "\n";
    for (const auto& p : r.punti)
        out << "punto=" << p.ToUtf8() << "\n";
    return out.str();
}

} // namespace

int main(int argc, char** argv) {
    std::filesystem::path project;
    std::optional<std::filesystem::path> script;
    std::string command;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--project" && i + 1 < argc)
            project = argv[++i];
        else if (arg == "--script" && i + 1 < argc)
            script = argv[++i];
        else
            command = arg;
    }
    if (project.empty() || command != "prova") {
        std::cerr << "uso: pregeo-uitest --project CARTELLA [--script FILE] prova\n";
        return 2;
    }
    host::SetFolders({"samples/demo", project, project / "settings.ini"});
    prova::Record record;
    if (!Leggi(project / "prova.txt", record)) {
        std::cerr << "pregeo-uitest: manca " << (project / "prova.txt").string() << "\n";
        return 2;
    }
    const auto self = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    HMODULE module = LoadLibraryW(WString::FromUtf8((self / "libprovamodule.so").string()).c_str());
    if (!module) {
        std::cerr << "pregeo-uitest: " << host::LastLoadError() << "\n";
        return 2;
    }
    auto modifica =
        reinterpret_cast<bool (*)(CWnd*, prova::Record*)>(GetProcAddress(module, "ProvaModifica"));
    std::string error;
    if (!modifica || !host::ui::InstallDriver(script, std::cout, error)) {
        std::cerr << "pregeo-uitest: " << (modifica ? error : "export mancante") << "\n";
        return 2;
    }
    bool ok = false;
    try {
        ok = modifica(nullptr, &record);
    } catch (const host::ui::ScriptError& e) {
        std::cerr << "pregeo-uitest: " << e.what() << "\n";
        host::ui::FinishDriver(error);
        FreeLibrary(module);
        return 1;
    }
    FreeLibrary(module);
    if (!host::ui::FinishDriver(error)) {
        std::cerr << "pregeo-uitest: " << error << "\n";
        return 1;
    }
    std::cout << "prova: " << (ok ? "confermato" : "annullato") << "\n";
    if (ok && !host::WriteFileAtomic(project / "prova.txt", Scrivi(record))) {
        std::cerr << "pregeo-uitest: il progetto non si può salvare\n";
        return 1;
    }
    return 0;
}
