// libpregeo-serve.so: the HTTP server of `pregeo-host serve`, over cpp-httplib (and OpenSSL, zlib and
// brotli, which it brings along).
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace host::parti {

class Domanda {
public:
    virtual ~Domanda() = default;
    // Empty when absent.
    virtual std::string Intestazione(const std::string& nome) const = 0;
    virtual bool HaIntestazione(const std::string& nome) const = 0;
    virtual std::string Parametro(const std::string& nome) const = 0;
    virtual bool HaParametro(const std::string& nome) const = 0;
    virtual const std::string& Corpo() const = 0;
};

class Risposta {
public:
    virtual ~Risposta() = default;
    virtual void Intestazione(const std::string& nome, const std::string& valore) = 0;
    virtual void Contenuto(const std::string& corpo, const std::string& tipo) = 0;
    virtual void Stato(int stato) = 0;
};

using Gestore = std::function<void(const Domanda&, Risposta&)>;

class ServerHttp {
public:
    virtual ~ServerHttp() = default;
    virtual void Get(const std::string& percorso, Gestore gestore) = 0;
    virtual void Post(const std::string& percorso, Gestore gestore) = 0;
    // Asked first of every request; true when it has answered it.
    virtual void Prima(std::function<bool(const Domanda&, Risposta&)> filtro) = 0;
    // The port bound on that address, any free one when `porta` is 0; -1 when it cannot be had.
    virtual int Lega(const std::string& indirizzo, int porta) = 0;
    // Serves until the server is stopped.
    virtual void Ascolta() = 0;
};

// PregeoServeServer(massimoCorpo, attesaLetturaS): a new server, the caller's to delete.
using CreaServer = ServerHttp*(std::size_t massimoCorpo, int attesaLetturaS);

} // namespace host::parti
