#include "app/Strumento.h"

#include "host/ui/Driver.h"
#include "hostapi/Conversions.h"
#include "hostapi/Settings.h"

#include <cstdio>
#include <ostream>

namespace host {

namespace {

// What FPregeoImportPFNear stored, read back from the settings, and what uses it.
std::string RiassuntoPFVicini() {
    const CIniFile ini;
    const auto valore = [&](const char16_t* chiave) {
        const double v = ini.GetDouble(u"CATASTO", chiave, REALE_INDEFINITO);
        if (IsRealeIndefinito(v))
            return std::string("-");
        char testo[64];
        std::snprintf(testo, sizeof testo, "%.3f", v);
        return std::string(testo);
    };
    return "centro e raggio per «PF vicini»: Nord " + valore(u"TAF_NORD") + ", Est " + valore(u"TAF_EST") +
           ", raggio " + valore(u"TAF_RAGGIO") +
           " m (impostazioni.ini, sezione CATASTO); li usa il pulsante «PF vicini» di FPregeoImportRighe8, "
           "che importa i punti fiduciali entro il raggio";
}

bool Salva(Project& project, const std::string& autore, const std::filesystem::path& cartella,
           std::ostream& out, std::ostream& err) {
    std::string error;
    if (project.Save(&error, autore)) {
        // Whether the file was written, and a history that could not be kept.
        out << (project.Scritto() ? "Progetto salvato.\n"
                                  : "Nessuna modifica: il progetto non è stato riscritto.\n");
        if (!project.AvvisoStoria().empty())
            err << "pregeo-host: " << ui::Printable(project.AvvisoStoria()) << "\n";
        return true;
    }
    err << "pregeo-host: il progetto non si può salvare in " << ui::Printable(cartella.string()) << ": "
        << ui::Printable(error) << "\n";
    return false;
}

} // namespace

std::string PrimaDelloStrumento(const ExportInfo& info, const Project& project) {
    return info.kind == ExportKind::Editor ? std::string() : project.Serialize();
}

int ConcludiStrumento(const ExportInfo& info, bool confermato, Project& project, const std::string& prima,
                      const std::filesystem::path& cartella, std::ostream& out, std::ostream& err) {
    if (info.kind == ExportKind::Editor) {
        out << info.name << ": " << (confermato ? "confermato" : "annullato") << "\n";
        // The tool only stores a position: say what, and where it is used.
        if (confermato && std::string(info.name) == "FPregeoImportPFNear")
            out << RiassuntoPFVicini() << "\n";
        if (confermato && !Salva(project, info.name, cartella, out, err))
            return 1;
    } else if (project.Serialize() != prima) {
        if (!Salva(project, info.name, cartella, out, err))
            return 1;
    }
    return 0;
}

} // namespace host
