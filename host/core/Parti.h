// The host's parts that need a large library of their own (PROJ, libcurl, cairo and fontconfig, libedit,
// the HTTP server) live in shared libraries beside the host library, each loaded at its first use: a
// command that needs none of them starts without loading any. A part offers extern "C" functions that
// take and give plain C++ types or an interface of its own, all inline, so that it needs nothing of the
// host in return.
#pragma once

#include <string>

// What a part's library exports.
#define PREGEO_PARTE extern "C" __attribute__((visibility("default")))

namespace host {

// The function `funzione` of libpregeo-<parte>.so; null when the library or the function cannot be
// loaded, with the reason in Italian in `motivo`. The library is loaded once and kept to the end.
void* FunzioneDiParte(const std::string& parte, const char* funzione, std::string& motivo);

template <typename F> F* FunzioneDi(const std::string& parte, const char* funzione, std::string& motivo) {
    return reinterpret_cast<F*>(FunzioneDiParte(parte, funzione, motivo));
}

} // namespace host
