#include "hostapi/Internet.h"
#include "hostapi/WString.h"

#include "host/core/HostContext.h"
#include "host/core/Limits.h"
#include "host/net/NetLimits.h"

#include <curl/curl.h>

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

void InitCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

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

// The platform's cause for what libcurl reports.
DWORD InternetError(CURLcode result, bool tooLarge) {
    if (tooLarge)
        return ERROR_NOT_ENOUGH_MEMORY;
    switch (result) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_COULDNT_CONNECT:
        return ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_OPERATION_TIMEDOUT:
        return ERROR_INTERNET_TIMEOUT;
    case CURLE_GOT_NOTHING:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
        return ERROR_INTERNET_CONNECTION_RESET;
    case CURLE_WEIRD_SERVER_REPLY:
        return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    case CURLE_TOO_MANY_REDIRECTS:
        return ERROR_HTTP_REDIRECT_FAILED;
    case CURLE_URL_MALFORMAT:
        return ERROR_INTERNET_INVALID_URL;
    case CURLE_FILESIZE_EXCEEDED:
        return ERROR_NOT_ENOUGH_MEMORY;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
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
curl_slist* HeaderList(const char16_t* headers, DWORD length) {
    if (!headers)
        return nullptr;
    WString text = (length == 0 || length == static_cast<DWORD>(-1))
                       ? WString(headers)
                       : WString(headers, static_cast<int>(std::min<DWORD>(length, 1u << 20)));
    curl_slist* list = nullptr;
    const std::string all = text.ToUtf8();
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = all.size();
        if (end > start)
            list = curl_slist_append(list, all.substr(start, end - start).c_str());
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
    InitCurl();
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
    CURL* curl = curl_easy_init();
    if (!curl)
        return Failed(ERROR_INTERNET_INTERNAL_ERROR);

    const host::NetLimits limits = host::GetNetLimits();
    std::string answer;
    Transfer transfer{&answer, limits.maxAnswerBytes, false};
    curl_slist* extra = HeaderList(headers, headersLength);

    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limits.connectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, limits.totalTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxAnswerBytes));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    if (!session->agent.empty())
        curl_easy_setopt(curl, CURLOPT_USERAGENT, session->agent.c_str());
    if (session->direct)
        curl_easy_setopt(curl, CURLOPT_PROXY, ""); // no proxy, whatever the environment says
    if (extra)
        curl_easy_setopt(curl, CURLOPT_HTTPHEADER, extra);

    const CURLcode result = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(curl);
    curl_slist_free_all(extra);
    if (result != CURLE_OK || transfer.tooLarge) {
        const DWORD error = InternetError(result, transfer.tooLarge);
        Racconta(address, Causa(error, limits.maxAnswerBytes));
        return Failed(error);
    }
    if (status >= 400)
        Racconta(address, "il server ha risposto con lo stato " + std::to_string(status));

    auto* file = new HostInternet;
    file->kind = HostInternet::Kind::Url;
    file->answer = std::move(answer);
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
