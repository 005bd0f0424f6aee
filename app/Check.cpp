#include "app/Check.h"

#include "host/ui/Driver.h"
#include "rules/ControlloLibretto.h"
#include "rules/Regole.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <string>

namespace host {

namespace {

using Json = nlohmann::ordered_json;

// The views in the order of the counts; the last, unnamed, holds the entries whose text names no view.
constexpr std::array<const char16_t*, 6> kViste = {u"Libretto Pregeo",
                                                   u"Vista Riga 3",
                                                   u"Vista Riga 4,5",
                                                   u"Vista Riga 7",
                                                   u"Vista Punti di Orientamento Pregeo",
                                                   u""};

struct Conto {
    int errori = 0;
    int avvertimenti = 0;
};

struct Rapporto {
    struct Voce {
        WString testo;
        CVocePregeo parti;
    };
    WString titolo;
    bool opzione1 = false;
    bool opzione2 = false;
    std::vector<Voce> voci;
    std::array<Conto, kViste.size()> perVista{};
    Conto totale;
};

std::size_t IndiceVista(const WString& vista) {
    std::size_t i = 0;
    while (i + 1 < kViste.size() && vista != kViste[i])
        ++i;
    return i;
}

Rapporto Controlla(Project& project) {
    CControlloLibretto controllo(nullptr, &project.cts, &project.cmp, &project.gps, nullptr);
    controllo.ControllaTutto();
    CErrAvvList& lista = controllo;
    Rapporto r;
    r.titolo = lista.GetTitolo();
    r.opzione1 = lista.GetOpzioneVista1();
    r.opzione2 = lista.GetOpzioneVista2();
    for (int i = 0; i < lista.GetMsgArSize(); ++i) {
        Rapporto::Voce v{lista.GetMsgAt(i), {}};
        if (const CVocePregeo* parti = controllo.GetVocePregeoAt(i))
            v.parti = *parti;
        v.parti.errore = lista.IsErroreAt(i);
        Conto& vista = r.perVista[IndiceVista(GetVistaPregeo(v.parti.tipoRiga))];
        (v.parti.errore ? vista.errori : vista.avvertimenti)++;
        (v.parti.errore ? r.totale.errori : r.totale.avvertimenti)++;
        r.voci.push_back(std::move(v));
    }
    return r;
}

// The list's texts break lines with "\r"; continuation lines are indented under the first, and no line
// keeps the blanks the texts leave before their breaks.
void ScriviVoce(std::ostream& out, const Rapporto::Voce& v) {
    const std::string s = v.testo.ToUtf8();
    std::string riga = v.parti.errore ? "[E] " : "[A] ";
    std::size_t inizio = 0;
    do {
        const std::size_t fine = std::min(s.find('\r', inizio), s.size());
        riga += s.substr(inizio, fine - inizio);
        riga.erase(riga.find_last_not_of(' ') + 1);
        out << ui::Printable(riga) << "\n";
        riga = "    ";
        inizio = fine + 1;
    } while (inizio < s.size());
}

void ScriviTesto(std::ostream& out, const Rapporto& r) {
    out << ui::Printable(r.titolo.ToUtf8()) << "\n";
    for (const auto& v : r.voci)
        ScriviVoce(out, v);
    if (r.voci.empty()) {
        out << "Nessun errore e nessun avvertimento.\n";
    } else {
        out << "Per vista:\n";
        for (std::size_t i = 0; i < kViste.size(); ++i) {
            const Conto& c = r.perVista[i];
            if (c.errori + c.avvertimenti > 0)
                out << "  " << (*kViste[i] ? WString(kViste[i]).ToUtf8() : std::string("Senza vista"))
                    << ": errori " << c.errori << ", avvertimenti " << c.avvertimenti << "\n";
        }
    }
    out << "Errori: " << r.totale.errori << ", avvertimenti: " << r.totale.avvertimenti << "\n";
}

Json Testo(const WString& s) {
    return s.ToUtf8();
}

Json InJson(const std::filesystem::path& cartella, const Rapporto& r) {
    Json doc;
    doc["cartella"] = cartella.string();
    doc["titolo"] = Testo(r.titolo);
    doc["opzioneVista1"] = r.opzione1;
    doc["opzioneVista2"] = r.opzione2;
    Json voci = Json::array();
    for (const auto& v : r.voci) {
        const CVocePregeo& p = v.parti;
        const WString vista = GetVistaPregeo(p.tipoRiga);
        voci.push_back({{"testo", Testo(v.testo)},
                        {"errore", p.errore},
                        {"vista", vista.IsEmpty() ? Json() : Testo(vista)},
                        {"riga", p.riga > -1 ? Json(p.riga) : Json()},
                        {"tipoRiga", Testo(p.tipoRiga)},
                        {"codice", p.codice},
                        {"dettaglio", Testo(p.dettaglio)},
                        {"motivo", Testo(GetTestoMotivo(p.codice))}});
    }
    doc["voci"] = std::move(voci);
    Json viste = Json::array();
    for (std::size_t i = 0; i < kViste.size(); ++i) {
        const Conto& c = r.perVista[i];
        if (c.errori + c.avvertimenti > 0)
            viste.push_back({{"vista", *kViste[i] ? Testo(kViste[i]) : Json()},
                             {"errori", c.errori},
                             {"avvertimenti", c.avvertimenti}});
    }
    doc["viste"] = std::move(viste);
    doc["errori"] = r.totale.errori;
    doc["avvertimenti"] = r.totale.avvertimenti;
    return doc;
}

} // namespace

nlohmann::ordered_json ControlloInJson(Project& project) {
    return InJson(project.dir, Controlla(project));
}

int StampaControllo(Project& project, bool json, std::ostream& out) {
    const Rapporto r = Controlla(project);
    if (json)
        out << InJson(project.dir, r).dump(2) << "\n";
    else
        ScriviTesto(out, r);
    return r.totale.errori > 0 ? 1 : 0;
}

int ControllaCartelle(const std::vector<std::filesystem::path>& cartelle, bool json, std::ostream& out,
                      std::ostream& err) {
    if (cartelle.size() == 1) {
        std::unique_ptr<Project> project;
        try {
            project = Project::Load(cartelle.front());
        } catch (const ProjectError& e) {
            err << "pregeo-host: progetto non valido: " << ui::Printable(e.what()) << "\n";
            return 2;
        }
        project->Activate();
        return StampaControllo(*project, json, out);
    }

    int esito = 0, conErrori = 0, nonValidi = 0;
    Conto totale;
    Json libretti = Json::array();
    for (const auto& cartella : cartelle) {
        if (!json)
            out << "== " << cartella.string() << "\n";
        std::unique_ptr<Project> project;
        try {
            project = Project::Load(cartella);
        } catch (const ProjectError& e) {
            err << "pregeo-host: progetto non valido: " << ui::Printable(e.what()) << "\n";
            if (json)
                libretti.push_back({{"cartella", cartella.string()}, {"nonValido", e.what()}});
            else
                out << "Progetto non valido: " << ui::Printable(e.what()) << "\n\n";
            ++nonValidi;
            esito = 2;
            continue;
        }
        project->Activate();
        const Rapporto r = Controlla(*project);
        if (json) {
            libretti.push_back(InJson(cartella, r));
        } else {
            ScriviTesto(out, r);
            out << "\n";
        }
        totale.errori += r.totale.errori;
        totale.avvertimenti += r.totale.avvertimenti;
        if (r.totale.errori > 0) {
            ++conErrori;
            esito = std::max(esito, 1);
        }
    }
    const int numero = static_cast<int>(cartelle.size());
    if (json) {
        Json doc;
        doc["libretti"] = std::move(libretti);
        doc["riepilogo"] = {{"libretti", numero},
                            {"conErrori", conErrori},
                            {"nonValidi", nonValidi},
                            {"errori", totale.errori},
                            {"avvertimenti", totale.avvertimenti}};
        out << doc.dump(2) << "\n";
    } else {
        out << "Libretti controllati: " << numero << " (con errori: " << conErrori
            << ", non validi: " << nonValidi << "); errori: " << totale.errori
            << ", avvertimenti: " << totale.avvertimenti << "\n";
    }
    return esito;
}

} // namespace host
