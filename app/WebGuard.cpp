#include "app/WebGuard.h"

#include <nlohmann/json.hpp>

#include <random>
#include <utility>

namespace host::web {

namespace {

// Compares in time independent of where the first difference lies: the token is a secret.
bool Uguali(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    unsigned diff = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i]) ^ static_cast<unsigned char>(b[i]);
    return diff == 0;
}

} // namespace

int Ammessa(const Richiesta& r, std::string_view token, int port) {
    if (token.empty() || !Uguali(r.token, token))
        return 403;
    const std::string p = ":" + std::to_string(port);
    if (r.host != "127.0.0.1" + p && r.host != "localhost" + p)
        return 403;
    if (r.hasOrigin && r.origin != "http://127.0.0.1" + p && r.origin != "http://localhost" + p)
        return 403;
    return 0;
}

int LeggiCorpo(std::string_view body, Corpo& corpo, std::string& why) {
    if (body.size() > kMaxBody) {
        why = "richiesta troppo grande";
        return 413;
    }
    const nlohmann::json j = nlohmann::json::parse(body, nullptr, false);
    if (j.is_discarded() || !j.is_object()) {
        why = "JSON non valido";
        return 400;
    }
    for (const auto& [chiave, valore] : j.items()) {
        std::string* campo = chiave == "c"           ? &corpo.client
                             : chiave == "azione"    ? &corpo.azione
                             : chiave == "strumento" ? &corpo.strumento
                                                     : nullptr;
        if (!campo || !valore.is_string()) {
            why = "JSON non valido: " + chiave.substr(0, 32);
            return 400;
        }
        *campo = valore.get<std::string>();
    }
    if (corpo.client.empty() || corpo.client.size() > 64) {
        why = "manca l'identità della pagina";
        return 400;
    }
    if (corpo.azione.size() > kMaxAzione) {
        why = "azione troppo lunga";
        return 400;
    }
    return 0;
}

std::string NuovoToken() {
    std::random_device rd;
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (int i = 0; i < 8; ++i) {
        const unsigned v = rd();
        for (int k = 0; k < 4; ++k)
            out += kHex[(v >> (k * 4)) & 0xF];
    }
    return out;
}

const char* Gruppo(std::string_view name) {
    if (name.substr(0, 15) == "FPregeoEditRiga")
        return "Righe del libretto";
    if (name.substr(0, 13) == "FPregeoImport")
        return "Importazione";
    if (name.substr(0, 11) == "FPregeoToll")
        return "Tolleranze";
    return "";
}

const char* Titolo(std::string_view name) {
    static constexpr std::pair<std::string_view, const char*> kTitoli[] = {
        {"FPregeoEditRiga0", "Riga 0"},
        {"FPregeoEditRiga3", "Righe 3"},
        {"FPregeoEditRiga4And5", "Righe 4 e 5"},
        {"FPregeoEditRiga7", "Righe 7"},
        {"FPregeoEditRiga8", "Righe 8"},
        {"FPregeoEditRiga9", "Riga 9"},
        {"FPregeoImportRighe8", "Punti fiduciali"},
        {"FPregeoImportPFNear", "PF vicini"},
        {"FPregeoImportDistanze", "Distanze d'archivio"},
        {"FPregeoTollDistanze", "Verifica distanze"},
        {"FPregeoTollAllineamenti", "Allineamenti"},
        {"FPregeoTollStazOutTriang", "Stazioni fuori maglia"},
        {"FPregeoTollDistStazioni", "Distanze fra stazioni"},
        {"FPregeoTollSuperfici", "Superficie di una particella"},
        {"FPregeoTollOggRilievoDist", "Oggetto del rilievo: distanze"},
        {"FPregeoTollOggRilievoSup", "Oggetto del rilievo: superfici"},
    };
    for (const auto& [nome, titolo] : kTitoli)
        if (nome == name)
            return titolo;
    return "";
}

} // namespace host::web
