#include "hostapi/Internet.h"
#include "hostapi/WString.h"

#include "host/core/HostContext.h"
#include "host/core/Limits.h"
#include "host/core/Parti.h"
#include "host/net/NetLimits.h"
#include "host/parti/Rete.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <mutex>
#include <string>

// The whole answer is fetched when the address is opened and then handed out from memory: the module
// reads small documents, and this way every failure to get an answer (no connection, timeout, dropped
// connection, oversize) shows where the platform reports it, at the open, with its cause in GetLastError.
// An HTTP error status is an answer, as on the platform: the caller asks HttpQueryInfoW for it.

struct HostInternet {
    enum class Kind { Session, Url };
    Kind kind = Kind::Session;
    std::string agent;
    bool direct = true;
    std::string answer;
    std::size_t read = 0;
    long status = 0;
};

namespace {

std::mutex g_limitsMutex;
host::NetLimits g_limits;

bool IsHttpAddress(const std::string& url) {
    auto starts = [&](const char* prefix) {
        const std::size_t n = std::strlen(prefix);
        if (url.size() <= n)
            return false;
        for (std::size_t i = 0; i < n; ++i)
            if (std::tolower(static_cast<unsigned char>(url[i])) != prefix[i])
                return false;
        return true;
    };
    return starts("http://") || starts("https://");
}

// The platform's cause for how a request ended.
DWORD InternetError(host::parti::EsitoHttp esito) {
    using host::parti::EsitoHttp;
    switch (esito) {
    case EsitoHttp::NomeNonRisolto:
        return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case EsitoHttp::ConnessioneRifiutata:
        return ERROR_INTERNET_CANNOT_CONNECT;
    case EsitoHttp::TempoScaduto:
        return ERROR_INTERNET_TIMEOUT;
    case EsitoHttp::ConnessioneInterrotta:
        return ERROR_INTERNET_CONNECTION_RESET;
    case EsitoHttp::RispostaNonHttp:
        return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    case EsitoHttp::TroppiRinvii:
        return ERROR_HTTP_REDIRECT_FAILED;
    case EsitoHttp::IndirizzoNonValido:
        return ERROR_INTERNET_INVALID_URL;
    case EsitoHttp::TroppoGrande:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EsitoHttp::ConnessioneSicura:
        return ERROR_INTERNET_SECURITY_CHANNEL_ERROR;
    default:
        return ERROR_INTERNET_INTERNAL_ERROR;
    }
}

// What a person reads of a failed request, beside the module's own message, which names neither the
// server nor the cause.
std::string Causa(DWORD error, std::size_t maxAnswerBytes) {
    switch (error) {
    case ERROR_INTERNET_NAME_NOT_RESOLVED:
        return "il nome del server non si risolve";
    case ERROR_INTERNET_CANNOT_CONNECT:
        return "connessione rifiutata";
    case ERROR_INTERNET_TIMEOUT:
        return "il server non ha risposto in tempo";
    case ERROR_INTERNET_CONNECTION_RESET:
        return "la connessione si è interrotta";
    case ERROR_HTTP_INVALID_SERVER_RESPONSE:
        return "la risposta non è HTTP";
    case ERROR_HTTP_REDIRECT_FAILED:
        return "troppi rinvii";
    case ERROR_INTERNET_INVALID_URL:
        return "indirizzo non valido";
    case ERROR_NOT_ENOUGH_MEMORY:
        return "la risposta supera il limite di " +
               (maxAnswerBytes % host::kMiB == 0 ? std::to_string(maxAnswerBytes / host::kMiB) + " MiB"
                                                 : std::to_string(maxAnswerBytes) + " byte");
    case ERROR_INTERNET_SECURITY_CHANNEL_ERROR:
        return "la connessione sicura non è riuscita";
    case ERROR_INTERNET_DISCONNECTED:
        return "nessuna connessione a internet";
    default:
        return "errore interno";
    }
}

void Racconta(const std::string& address, const std::string& causa) {
    host::NotifyInput("richiesta web a " + address + " non riuscita: " + causa);
}

HINTERNET Failed(DWORD error) {
    SetLastError(error);
    return nullptr;
}

// Extra headers come as one text separated by CR LF, as on the platform.
std::vector<std::string> HeaderList(const char16_t* headers, DWORD length) {
    std::vector<std::string> list;
    if (!headers)
        return list;
    WString text = (length == 0 || length == static_cast<DWORD>(-1))
                       ? WString(headers)
                       : WString(headers, static_cast<int>(std::min<DWORD>(length, 1u << 20)));
    const std::string all = text.ToUtf8();
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = all.size();
        if (end > start)
            list.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    return list;
}

} // namespace

namespace host {

void SetNetLimits(const NetLimits& limits) {
    std::lock_guard lock(g_limitsMutex);
    g_limits = limits;
}

NetLimits GetNetLimits() {
    std::lock_guard lock(g_limitsMutex);
    return g_limits;
}

} // namespace host

HINTERNET InternetOpenW(const char16_t* agent, DWORD accessType, const char16_t* /*proxy*/,
                        const char16_t* /*proxyBypass*/, DWORD /*flags*/) {
    auto* session = new HostInternet;
    session->kind = HostInternet::Kind::Session;
    session->agent = WString(agent).ToUtf8();
    session->direct = accessType == INTERNET_OPEN_TYPE_DIRECT;
    return session;
}

HINTERNET InternetOpenUrlW(HINTERNET session, const char16_t* url, const char16_t* headers,
                           DWORD headersLength, DWORD /*flags*/, DWORD_PTR /*context*/) {
    if (!session)
        return Failed(ERROR_INVALID_HANDLE);
    if (session->kind != HostInternet::Kind::Session)
        return Failed(ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
    if (!url)
        return Failed(ERROR_INVALID_PARAMETER);
    const std::string address = WString(url).ToUtf8();
    if (!IsHttpAddress(address))
        return Failed(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
    if (!host::IsOnline()) {
        Racconta(address, Causa(ERROR_INTERNET_DISCONNECTED, 0));
        return Failed(ERROR_INTERNET_DISCONNECTED);
    }
    // libcurl, loaded with its part at the first request: a command that asks the web nothing does not
    // load it.
    std::string motivo;
    auto* const scarica = host::FunzioneDi<host::parti::Scarica>("rete", "PregeoReteScarica", motivo);
    if (!scarica) {
        Racconta(address, motivo);
        return Failed(ERROR_INTERNET_INTERNAL_ERROR);
    }
    const host::NetLimits limits = host::GetNetLimits();
    host::parti::RichiestaHttp richiesta{address,
                                         session->agent,
                                         session->direct,
                                         HeaderList(headers, headersLength),
                                         limits.connectTimeoutMs,
                                         limits.totalTimeoutMs,
                                         limits.maxAnswerBytes};
    host::parti::RispostaHttp risposta;
    scarica(richiesta, risposta);
    if (risposta.esito == host::parti::EsitoHttp::NonIniziata)
        return Failed(ERROR_INTERNET_INTERNAL_ERROR);
    if (risposta.esito != host::parti::EsitoHttp::Ok) {
        const DWORD error = InternetError(risposta.esito);
        Racconta(address, Causa(error, limits.maxAnswerBytes));
        return Failed(error);
    }
    const long status = risposta.stato;
    if (status >= 400)
        Racconta(address, "il server ha risposto con lo stato " + std::to_string(status));

    auto* file = new HostInternet;
    file->kind = HostInternet::Kind::Url;
    file->answer = std::move(risposta.corpo);
    file->status = status;
    SetLastError(ERROR_SUCCESS);
    return file;
}

BOOL HttpQueryInfoW(HINTERNET request, DWORD infoLevel, LPVOID buffer, DWORD* bufferLength,
                    DWORD* /*index*/) {
    if (!request || !bufferLength) {
        SetLastError(request ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (request->kind != HostInternet::Kind::Url) {
        SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
        return FALSE;
    }
    if ((infoLevel & ~HTTP_QUERY_FLAG_NUMBER) != HTTP_QUERY_STATUS_CODE) {
        SetLastError(ERROR_HTTP_HEADER_NOT_FOUND);
        return FALSE;
    }
    if (infoLevel & HTTP_QUERY_FLAG_NUMBER) {
        if (*bufferLength < sizeof(DWORD) || !buffer) {
            *bufferLength = sizeof(DWORD);
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return FALSE;
        }
        const auto status = static_cast<DWORD>(request->status);
        std::memcpy(buffer, &status, sizeof status);
        *bufferLength = sizeof(DWORD);
        return TRUE;
    }
    // As text, the length given back counts the characters without the terminator.
    const std::u16string text(WString::Formatted(u"%ld", request->status).view());
    const auto needed = static_cast<DWORD>((text.size() + 1) * sizeof(char16_t));
    if (*bufferLength < needed || !buffer) {
        *bufferLength = needed;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(buffer, text.c_str(), needed);
    *bufferLength = static_cast<DWORD>(text.size() * sizeof(char16_t));
    return TRUE;
}

BOOL InternetQueryDataAvailable(HINTERNET file, DWORD* available, DWORD /*flags*/, DWORD_PTR /*context*/) {
    if (!file || file->kind != HostInternet::Kind::Url || !available)
        return FALSE;
    const std::size_t left = file->answer.size() - file->read;
    *available = static_cast<DWORD>(std::min<std::size_t>(left, 0xFFFFFFFFu));
    return TRUE;
}

BOOL InternetReadFile(HINTERNET file, LPVOID buffer, DWORD toRead, DWORD* read) {
    if (!read)
        return FALSE;
    *read = 0;
    if (!file || file->kind != HostInternet::Kind::Url || (!buffer && toRead > 0))
        return FALSE;
    const std::size_t n = std::min<std::size_t>(toRead, file->answer.size() - file->read);
    if (n > 0)
        std::memcpy(buffer, file->answer.data() + file->read, n);
    file->read += n;
    *read = static_cast<DWORD>(n);
    return TRUE;
}

BOOL InternetCloseHandle(HINTERNET handle) {
    if (!handle)
        return FALSE;
    delete handle;
    return TRUE;
}
