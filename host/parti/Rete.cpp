#include "host/parti/Rete.h"
#include "host/core/Parti.h"

#include <curl/curl.h>

#include <mutex>

namespace {

using host::parti::EsitoHttp;

struct Transfer {
    std::string* answer = nullptr;
    std::size_t limit = 0;
    bool tooLarge = false;
};

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const std::size_t n = size * count;
    if (t->answer->size() + n > t->limit) {
        t->tooLarge = true;
        return 0; // aborts the transfer
    }
    t->answer->append(data, n);
    return n;
}

EsitoHttp Esito(CURLcode result, bool tooLarge) {
    if (tooLarge)
        return EsitoHttp::TroppoGrande;
    switch (result) {
    case CURLE_OK:
        return EsitoHttp::Ok;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return EsitoHttp::NomeNonRisolto;
    case CURLE_COULDNT_CONNECT:
        return EsitoHttp::ConnessioneRifiutata;
    case CURLE_OPERATION_TIMEDOUT:
        return EsitoHttp::TempoScaduto;
    case CURLE_GOT_NOTHING:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
        return EsitoHttp::ConnessioneInterrotta;
    case CURLE_WEIRD_SERVER_REPLY:
        return EsitoHttp::RispostaNonHttp;
    case CURLE_TOO_MANY_REDIRECTS:
        return EsitoHttp::TroppiRinvii;
    case CURLE_URL_MALFORMAT:
        return EsitoHttp::IndirizzoNonValido;
    case CURLE_FILESIZE_EXCEEDED:
        return EsitoHttp::TroppoGrande;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
        return EsitoHttp::ConnessioneSicura;
    default:
        return EsitoHttp::Altro;
    }
}

} // namespace

PREGEO_PARTE void PregeoReteScarica(const host::parti::RichiestaHttp& richiesta,
                                    host::parti::RispostaHttp& risposta) {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    risposta = {};
    CURL* curl = curl_easy_init();
    if (!curl)
        return;
    Transfer transfer{&risposta.corpo, richiesta.massimo, false};
    curl_slist* extra = nullptr;
    for (const std::string& h : richiesta.intestazioni)
        extra = curl_slist_append(extra, h.c_str());

    curl_easy_setopt(curl, CURLOPT_URL, richiesta.indirizzo.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, richiesta.attesaConnessioneMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, richiesta.attesaTotaleMs);
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(richiesta.massimo));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    if (!richiesta.agente.empty())
        curl_easy_setopt(curl, CURLOPT_USERAGENT, richiesta.agente.c_str());
    if (richiesta.diretta)
        curl_easy_setopt(curl, CURLOPT_PROXY, ""); // no proxy, whatever the environment says
    if (extra)
        curl_easy_setopt(curl, CURLOPT_HTTPHEADER, extra);

    const CURLcode result = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &risposta.stato);
    curl_easy_cleanup(curl);
    curl_slist_free_all(extra);
    risposta.esito = Esito(result, transfer.tooLarge);
}
