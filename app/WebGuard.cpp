#include "app/WebGuard.h"

#include <random>

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

} // namespace host::web
