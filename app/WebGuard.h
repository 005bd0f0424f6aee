// Who may speak to pregeo-host serve: the decisions on each request, apart from the server.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace host::web {

// The bounds of what a page sends.
constexpr std::size_t kMaxBody = 16 * 1024;
constexpr std::size_t kMaxAzione = 4 * 1024;

struct Richiesta {
    std::string_view token;  // the "t" of the address
    std::string_view host;   // the Host header
    std::string_view origin; // the Origin header, empty when the browser sent none
    bool hasOrigin = false;
};

// 0 when the request may go on, else the status to refuse it with: 403 without the token or with a
// wrong one, or from another site (Origin) or through another name (Host: a rebound name).
int Ammessa(const Richiesta& r, std::string_view token, int port);

// What a page's request carries: its own id ("c", at most 64 characters kept) and, for an action, the line
// of the command language ("azione"), or the tool to start ("strumento"). 0 when it reads, else the status
// that refuses it (400 not a JSON object of strings, or an action or id past its bound) with why.
struct Corpo {
    std::string client;
    std::string azione;
    std::string strumento;
};
int LeggiCorpo(std::string_view body, Corpo& corpo, std::string& why);

// A fresh random token for the address (32 hex digits).
std::string NuovoToken();

// Which tools the start page lists together, and a tool's short name there, in Italian; empty for a name
// that is none of the sixteen.
const char* Gruppo(std::string_view exportName);
const char* Titolo(std::string_view exportName);

} // namespace host::web
