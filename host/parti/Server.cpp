#include "host/parti/Server.h"
#include "host/core/Parti.h"

#include <httplib.h>

namespace {

using host::parti::Gestore;

class DomandaHttp : public host::parti::Domanda {
public:
    explicit DomandaHttp(const httplib::Request& req) : m_Req(req) {}
    std::string Intestazione(const std::string& nome) const override { return m_Req.get_header_value(nome); }
    bool HaIntestazione(const std::string& nome) const override { return m_Req.has_header(nome); }
    std::string Parametro(const std::string& nome) const override { return m_Req.get_param_value(nome); }
    bool HaParametro(const std::string& nome) const override { return m_Req.has_param(nome); }
    const std::string& Corpo() const override { return m_Req.body; }

private:
    const httplib::Request& m_Req;
};

class RispostaHttp : public host::parti::Risposta {
public:
    explicit RispostaHttp(httplib::Response& res) : m_Res(res) {}
    void Intestazione(const std::string& nome, const std::string& valore) override {
        m_Res.set_header(nome, valore);
    }
    void Contenuto(const std::string& corpo, const std::string& tipo) override {
        m_Res.set_content(corpo, tipo.c_str());
    }
    void Stato(int stato) override { m_Res.status = stato; }

private:
    httplib::Response& m_Res;
};

httplib::Server::Handler Adatta(Gestore gestore) {
    return [gestore = std::move(gestore)](const httplib::Request& req, httplib::Response& res) {
        const DomandaHttp d(req);
        RispostaHttp r(res);
        gestore(d, r);
    };
}

class Server : public host::parti::ServerHttp {
public:
    Server(std::size_t massimoCorpo, int attesaLetturaS) {
        m_Server.set_payload_max_length(massimoCorpo);
        m_Server.set_read_timeout(attesaLetturaS, 0);
    }
    void Get(const std::string& percorso, Gestore gestore) override {
        m_Server.Get(percorso, Adatta(std::move(gestore)));
    }
    void Post(const std::string& percorso, Gestore gestore) override {
        m_Server.Post(percorso, Adatta(std::move(gestore)));
    }
    void Prima(std::function<bool(const host::parti::Domanda&, host::parti::Risposta&)> filtro) override {
        m_Server.set_pre_routing_handler(
            [filtro = std::move(filtro)](const httplib::Request& req, httplib::Response& res) {
                const DomandaHttp d(req);
                RispostaHttp r(res);
                return filtro(d, r) ? httplib::Server::HandlerResponse::Handled
                                    : httplib::Server::HandlerResponse::Unhandled;
            });
    }
    int Lega(const std::string& indirizzo, int porta) override {
        if (porta > 0)
            return m_Server.bind_to_port(indirizzo, porta) ? porta : -1;
        return m_Server.bind_to_any_port(indirizzo);
    }
    void Ascolta() override { m_Server.listen_after_bind(); }

private:
    httplib::Server m_Server;
};

} // namespace

PREGEO_PARTE host::parti::ServerHttp* PregeoServeServer(std::size_t massimoCorpo, int attesaLetturaS) {
    return new Server(massimoCorpo, attesaLetturaS);
}
