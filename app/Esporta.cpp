#include "app/Esporta.h"

#include "host/export/Esporta.h"
#include "host/ui/Driver.h"
#include "pfimport/ElencoPFRilievo.h"

#include <dlfcn.h>

namespace host {

namespace {

// The writing, from libpregeo-esporta.so beside the program: GDAL is loaded only by an export.
esporta::Esito ScriviConGdal(const esporta::Rilievo& rilievo, const std::filesystem::path& file,
                             bool sovrascrivi) {
    using Scrivi = void (*)(const esporta::Rilievo&, const std::filesystem::path&, bool, esporta::Esito&);
    std::error_code ec;
    const std::filesystem::path libreria =
        std::filesystem::read_symlink("/proc/self/exe", ec).parent_path() / "libpregeo-esporta.so";
    esporta::Esito esito;
    void* h = dlopen(libreria.c_str(), RTLD_LAZY | RTLD_LOCAL);
    const auto scrivi = h ? reinterpret_cast<Scrivi>(dlsym(h, "PregeoEsportaScrivi")) : nullptr;
    if (!scrivi) {
        const char* perche = dlerror();
        esito.motivo = "la parte che scrive i file (" + libreria.string() + ") non si carica" +
                       (perche ? std::string(": ") + perche : std::string());
        return esito;
    }
    scrivi(rilievo, file, sovrascrivi, esito);
    return esito; // GDAL stays loaded until the program ends
}

} // namespace

int StampaEsportazione(Project& project, const std::filesystem::path& file, bool sovrascrivi,
                       std::ostream& out, std::ostream& err) {
    // The mesh as the station tool builds it, before any row 5 gets computed coordinates.
    std::vector<esporta::Vertice> maglia;
    {
        CElencoPFRilievo elenco(&project.gps, &project.cmp, &project.cts);
        CPoint3dVector validi, anello, interni;
        elenco.CostruisciMaglia(validi, anello, interni);
        for (int i = 0; anello.GetSize() >= 3 && i < anello.GetSize(); ++i)
            maglia.push_back({anello.GetAt(i).nome.ToUtf8(), anello.GetAt(i).x, anello.GetAt(i).y});
    }
    const esporta::Rilievo rilievo = esporta::Raccogli(project, std::move(maglia));
    const esporta::Esito esito = ScriviConGdal(rilievo, file, sovrascrivi);
    if (!esito.ok) {
        err << "pregeo-host: " << ui::Printable(esito.motivo) << "\n";
        return 1;
    }

    int perTipo[esporta::kTipiPunto] = {};
    for (const esporta::PuntoEsportato& p : rilievo.punti)
        ++perTipo[static_cast<int>(p.tipo)];
    int chiuse = 0;
    for (const esporta::Riga7Esportata& r : rilievo.righe7)
        chiuse += r.chiusa ? 1 : 0;
    out << "Esportato: " << ui::Printable(file.filename().string()) << " ("
        << esporta::NomeFormato(esporta::FormatoDi(file)) << ")\n";
    out << "  punti: " << rilievo.punti.size();
    const char* sep = " (";
    for (int t = 0; t < esporta::kTipiPunto; ++t)
        if (perTipo[t] > 0) {
            out << sep << esporta::NomeTipo(static_cast<esporta::TipoPunto>(t)) << " " << perTipo[t];
            sep = ", ";
        }
    out << (rilievo.punti.empty() ? "" : ")") << "\n";
    out << "  righe 7: " << rilievo.righe7.size() << " (poligoni " << chiuse << ", linee "
        << rilievo.righe7.size() - static_cast<std::size_t>(chiuse) << ")";
    if (!rilievo.escluse.empty())
        out << ", non esportate: " << rilievo.escluse.size();
    out << "\n";
    for (const esporta::Riga7Esclusa& r : rilievo.escluse)
        out << "    riga 7 n. " << r.numero
            << (r.particella.empty() ? "" : " (" + ui::Printable(r.particella) + ")")
            << " non esportata: " << ui::Printable(r.motivo) << "\n";
    out << "  maglia fiduciale: ";
    if (rilievo.maglia.empty())
        out << "nessuna\n";
    else
        out << rilievo.maglia.size() - 1 << " lati\n";
    out << "  sistema di coordinate: " << esito.sistema << "\n";
    return 0;
}

} // namespace host
