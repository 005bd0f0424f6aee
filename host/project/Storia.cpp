#include "host/project/Storia.h"

#include "host/core/HostContext.h"
#include "host/core/Limits.h"
#include "host/project/Project.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <ctime>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

namespace host {

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

// Who wrote the project file last: "autore\thash\tAAAAMMGG-HHMMSS\n". The hash tells whether the file still
// holds what they wrote: one changed by hand since is kept as written by "esterno".
constexpr const char* kAutoreFile = "autore.txt";
constexpr const char* kEsterno = "esterno";

std::string Impronta(const std::string& text) {
    std::uint64_t h = 14695981039346656037ull; // FNV-1a: stable from one build to the next
    for (const unsigned char c : text)
        h = (h ^ c) * 1099511628211ull;
    char out[17];
    std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(h));
    return out;
}

std::string Timbro(std::time_t t) {
    std::tm tm{};
    ::localtime_r(&t, &tm);
    char out[32];
    std::strftime(out, sizeof out, "%Y%m%d-%H%M%S", &tm);
    return out;
}

// "20261207-031500" as "07/12/2026 03:15:00".
std::string Leggibile(const std::string& timbro) {
    if (timbro.size() != 15)
        return timbro;
    return timbro.substr(6, 2) + "/" + timbro.substr(4, 2) + "/" + timbro.substr(0, 4) + " " +
           timbro.substr(9, 2) + ":" + timbro.substr(11, 2) + ":" + timbro.substr(13, 2);
}

// Names in file names: letters, digits and '_' only.
std::string Pulito(const std::string& autore) {
    std::string out;
    for (const char c : autore)
        out += std::isalnum(static_cast<unsigned char>(c)) || c == '_' ? c : '_';
    return out.empty() ? kEsterno : out;
}

bool TuttiNumeri(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "0007-20261207-031500-FPregeoEditRiga9.json"; anything else in the folder is not ours and is left alone.
bool LeggiNome(const std::string& name, Versione& v) {
    if (name.size() < 4 + 1 + 15 + 1 + 1 + 5 || !name.ends_with(".json"))
        return false;
    const std::string_view s(name.data(), name.size() - 5);
    const auto dash = s.find('-');
    if (dash == std::string_view::npos || dash < 4 || !TuttiNumeri(s.substr(0, dash)) || dash > 9)
        return false;
    const std::string_view timbro = s.substr(dash + 1, 15);
    if (s.size() < dash + 1 + 15 + 2 || !TuttiNumeri(timbro.substr(0, 8)) || timbro[8] != '-' ||
        !TuttiNumeri(timbro.substr(9)) || s[dash + 16] != '-')
        return false;
    const std::string autore(s.substr(dash + 17));
    if (Pulito(autore) != autore)
        return false;
    std::from_chars(s.data(), s.data() + dash, v.numero);
    v.quando = Leggibile(std::string(timbro));
    v.autore = autore;
    return true;
}

std::string Leggi(const fs::path& file) {
    std::string text;
    ReadFileBounded(file, kMaxProjectBytes, text);
    return text;
}

// The parts of a project a person recognises, in the order they are listed.
struct Parte {
    const char* chiave; // in the project file, "libretto/..." for the booklet's
    const char* nome;   // Italian
    bool femminile;     // "modificata" or "modificato"
};
constexpr Parte kParti[] = {
    {"libretto/intestazione", "riga 0", true},
    {"libretto/righe3", "righe 3 e 6", true},
    {"libretto/righe45", "righe 4 e 5", true},
    {"libretto/righe7", "righe 7", true},
    {"libretto/riga9", "riga 9", true},
    {"libretto/relazione", "relazione", true},
    {"libretto/particelle", "particelle", true},
    {"libretto/distanze", "distanze", true},
    {"puntiOrientamento", "punti di orientamento", false},
    {"lavori", "lavori", false},
    {"gps", "GPS", false},
    {"ricevitore", "ricevitore", false},
};

const Json* Trova(const Json& doc, std::string_view chiave) {
    const Json* at = &doc;
    while (!chiave.empty()) {
        const auto slash = chiave.find('/');
        const std::string nome(chiave.substr(0, slash));
        if (!at->is_object() || !at->contains(nome))
            return nullptr;
        at = &(*at)[nome];
        chiave = slash == std::string_view::npos ? std::string_view() : chiave.substr(slash + 1);
    }
    return at;
}

std::string Numero(std::size_t n, bool femminile, const char* singolare, const char* plurale) {
    return std::to_string(n) + " " + singolare + (n == 1 ? (femminile ? "a" : "o") : plurale);
}

// An array's elements matched as a multiset: those only in one of the two pair up as changed, the rest are
// added or removed.
std::string Elementi(const Json& a, const Json& b, bool femminile) {
    std::map<std::string, long> conta;
    for (const Json& e : a)
        --conta[e.dump()];
    for (const Json& e : b)
        ++conta[e.dump()];
    std::size_t nuovi = 0, tolti = 0;
    for (const auto& [k, n] : conta)
        (n > 0 ? nuovi : tolti) += static_cast<std::size_t>(n > 0 ? n : -n);
    const std::size_t modificati = std::min(nuovi, tolti);
    std::vector<std::string> detti;
    if (modificati)
        detti.push_back(Numero(modificati, femminile, "modificat", femminile ? "e" : "i"));
    if (nuovi > modificati)
        detti.push_back(Numero(nuovi - modificati, femminile, "aggiunt", femminile ? "e" : "i"));
    if (tolti > modificati)
        detti.push_back(Numero(tolti - modificati, femminile, "tolt", femminile ? "e" : "i"));
    if (detti.empty())
        return "ordine cambiato";
    std::string out;
    for (const std::string& d : detti)
        out += (out.empty() ? "" : ", ") + d;
    return out;
}

} // namespace

std::string Cambiamenti(const std::string& prima, const std::string& dopo) {
    Json a, b;
    try {
        a = Json::parse(prima);
        b = Json::parse(dopo);
    } catch (const Json::exception&) {
        return "non confrontabile: una delle due versioni non è un progetto leggibile";
    }
    std::vector<std::string> detti;
    Json restoA = a, restoB = b;
    for (const Parte& p : kParti) {
        const Json* x = Trova(a, p.chiave);
        const Json* y = Trova(b, p.chiave);
        const Json vuoto;
        if ((x ? *x : vuoto) != (y ? *y : vuoto)) {
            if (x && y && x->is_array() && y->is_array())
                detti.push_back(std::string(p.nome) + ": " + Elementi(*x, *y, p.femminile));
            else
                detti.push_back(std::string(p.nome) + (p.femminile ? " modificata" : " modificato"));
        }
        for (Json* resto : {&restoA, &restoB}) {
            const std::string_view k = p.chiave;
            const auto slash = k.find('/');
            Json* at = resto;
            if (slash != std::string_view::npos) {
                const std::string padre(k.substr(0, slash));
                at = at->is_object() && at->contains(padre) ? &(*at)[padre] : nullptr;
            }
            if (at && at->is_object())
                at->erase(std::string(slash == std::string_view::npos ? k : k.substr(slash + 1)));
        }
    }
    if (restoA != restoB)
        detti.push_back("altri dati modificati");
    if (detti.empty())
        return "nessuna differenza";
    std::string out;
    for (const std::string& d : detti)
        out += (out.empty() ? "" : "; ") + d;
    return out;
}

std::vector<Versione> VersioniConservate(const fs::path& dir) {
    std::vector<Versione> out;
    std::error_code ec;
    for (fs::directory_iterator it(dir / kHistoryFolder, ec), end; !ec && it != end; it.increment(ec)) {
        Versione v;
        if (it->is_regular_file(ec) && LeggiNome(it->path().filename().string(), v)) {
            v.file = it->path();
            out.push_back(v);
        }
    }
    std::sort(out.begin(), out.end(),
              [](const Versione& x, const Versione& y) { return x.numero < y.numero; });
    return out;
}

bool ConservaVersione(const fs::path& dir, const std::string& text, std::string* why) {
    const fs::path folder = dir / kHistoryFolder;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder)) {
        if (why)
            *why = "la cartella " + std::string(kHistoryFolder) + " non si può creare";
        return false;
    }
    const std::vector<Versione> prima = VersioniConservate(dir);
    if (!prima.empty() && Leggi(prima.back().file) == text)
        return true; // already the newest kept
    std::string autore = kEsterno, timbro;
    std::istringstream registro(Leggi(folder / kAutoreFile));
    std::string chi, impronta, quando;
    if (std::getline(registro, chi, '\t') && std::getline(registro, impronta, '\t') &&
        std::getline(registro, quando) && impronta == Impronta(text)) {
        autore = Pulito(chi);
        timbro = quando;
    } else {
        const auto scritto = fs::last_write_time(dir / kProjectFile, ec);
        timbro = Timbro(ec ? std::time(nullptr)
                           : std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(scritto)));
    }
    const int numero = prima.empty() ? 1 : prima.back().numero + 1;
    char num[16];
    std::snprintf(num, sizeof num, "%04d", numero);
    if (!WriteFileAtomic(folder / (std::string(num) + "-" + timbro + "-" + autore + ".json"), text, why))
        return false;
    // Only our own versions are dropped, the oldest first.
    for (std::size_t i = 0; i + kHistoryVersions < prima.size() + 1; ++i)
        fs::remove(prima[i].file, ec);
    return true;
}

void RegistraAutore(const fs::path& dir, const std::string& text, const std::string& autore) {
    const fs::path folder = dir / kHistoryFolder;
    std::error_code ec;
    if (fs::is_directory(folder, ec))
        WriteFileAtomic(folder / kAutoreFile,
                        Pulito(autore) + "\t" + Impronta(text) + "\t" + Timbro(std::time(nullptr)) + "\n");
}

int StampaStoria(const fs::path& dir, std::ostream& out, std::ostream&) {
    const std::vector<Versione> versioni = VersioniConservate(dir);
    if (versioni.empty()) {
        out << "Nessuna versione precedente conservata in " << kHistoryFolder << "/.\n";
        return 0;
    }
    out << "Versioni precedenti di " << kProjectFile << ", conservate in " << kHistoryFolder
        << "/ (le ultime " << kHistoryVersions << "):\n";
    out << "  N.    scritta il           da                          che cosa ha cambiato\n";
    std::string prima;
    std::vector<std::string> righe;
    for (std::size_t i = 0; i < versioni.size(); ++i) {
        const Versione& v = versioni[i];
        const std::string text = Leggi(v.file);
        char num[16];
        std::snprintf(num, sizeof num, "%4d", v.numero);
        righe.push_back("  " + std::string(num) + "  " + v.quando + "  " + v.autore +
                        std::string(28 - std::min<std::size_t>(27, v.autore.size()), ' ') +
                        (i == 0 ? "la più vecchia conservata" : Cambiamenti(prima, text)));
        prima = text;
    }
    for (auto it = righe.rbegin(); it != righe.rend(); ++it)
        out << *it << "\n";
    const std::string attuale = Leggi(dir / kProjectFile);
    out << "Il progetto attuale, rispetto alla versione " << versioni.back().numero << ": "
        << Cambiamenti(prima, attuale) << "\n";
    out << "pregeo-host --project CARTELLA ripristina N riporta la versione N.\n";
    return 0;
}

int Ripristina(const fs::path& dir, const std::string& numero, std::ostream& out, std::ostream& err) {
    int n = 0;
    const auto [end, ec] = std::from_chars(numero.data(), numero.data() + numero.size(), n);
    const std::vector<Versione> versioni = VersioniConservate(dir);
    const auto v =
        std::find_if(versioni.begin(), versioni.end(), [&](const Versione& x) { return x.numero == n; });
    if (ec != std::errc() || end != numero.data() + numero.size() || v == versioni.end()) {
        err << "pregeo-host: nessuna versione " << numero << " in " << kHistoryFolder
            << "/; pregeo-host --project CARTELLA storia le elenca\n";
        return 2;
    }
    std::string text, why;
    if (!ReadFileBounded(v->file, kMaxProjectBytes, text, &why)) {
        err << "pregeo-host: la versione " << n << " non si può leggere: " << why << "\n";
        return 1;
    }
    try {
        Project::Parse(text, v->file.filename().string());
    } catch (const ProjectError& e) {
        err << "pregeo-host: la versione " << n << " non è un progetto valido: " << e.what() << "\n";
        return 1;
    }
    // The current file is kept first, even when it is damaged: bringing one back loses nothing.
    const fs::path file = dir / kProjectFile;
    std::string attuale;
    int errore = 0;
    const bool esiste = ReadFileBounded(file, kMaxProjectBytes, attuale, &why, &errore);
    if (!esiste && errore != ENOENT) {
        err << "pregeo-host: il progetto attuale non si può conservare: " << why << "; nulla è cambiato\n";
        return 1;
    }
    if (esiste && !ConservaVersione(dir, attuale, &why)) {
        err << "pregeo-host: il progetto attuale non si può conservare: " << why << "; nulla è cambiato\n";
        return 1;
    }
    if (!WriteFileAtomic(file, text, &why)) {
        err << "pregeo-host: il progetto non si può scrivere: " << why << "\n";
        return 1;
    }
    RegistraAutore(dir, text, "ripristina_" + std::to_string(n));
    out << "Riportata la versione " << n << " (scritta il " << v->quando << " da " << v->autore << ")";
    if (esiste)
        out << "; il progetto di prima è ora la versione " << VersioniConservate(dir).back().numero;
    out << ".\n";
    return 0;
}

} // namespace host
