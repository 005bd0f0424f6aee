// The platform's internet API, the part of it that a module uses to fetch a document over HTTP.
#pragma once

#include "hostapi/Platform.h"

#include <cstdint>

class CWnd;

using DWORD_PTR = std::uintptr_t;

struct HostInternet;
using HINTERNET = HostInternet*;

constexpr DWORD INTERNET_OPEN_TYPE_PRECONFIG = 0;
constexpr DWORD INTERNET_OPEN_TYPE_DIRECT = 1;
constexpr DWORD INTERNET_FLAG_RELOAD = 0x80000000;
constexpr DWORD INTERNET_FLAG_NO_CACHE_WRITE = 0x04000000;

constexpr DWORD HTTP_QUERY_STATUS_CODE = 19;
constexpr DWORD HTTP_QUERY_FLAG_NUMBER = 0x20000000;

// Causes of a failed internet function (GetLastError).
constexpr DWORD ERROR_INTERNET_TIMEOUT = 12002;
constexpr DWORD ERROR_INTERNET_INTERNAL_ERROR = 12004;
constexpr DWORD ERROR_INTERNET_INVALID_URL = 12005;
constexpr DWORD ERROR_INTERNET_UNRECOGNIZED_SCHEME = 12006;
constexpr DWORD ERROR_INTERNET_NAME_NOT_RESOLVED = 12007;
constexpr DWORD ERROR_INTERNET_INCORRECT_HANDLE_TYPE = 12018;
constexpr DWORD ERROR_INTERNET_CANNOT_CONNECT = 12029;
constexpr DWORD ERROR_INTERNET_CONNECTION_RESET = 12031;
constexpr DWORD ERROR_HTTP_HEADER_NOT_FOUND = 12150;
constexpr DWORD ERROR_HTTP_INVALID_SERVER_RESPONSE = 12152;
constexpr DWORD ERROR_HTTP_REDIRECT_FAILED = 12156;
constexpr DWORD ERROR_INTERNET_SECURITY_CHANNEL_ERROR = 12157;
constexpr DWORD ERROR_INTERNET_DISCONNECTED = 12163;

// A session. Direct access uses no proxy; the preconfigured access uses the system's proxy settings.
HOSTAPI HINTERNET InternetOpenW(const char16_t* agent, DWORD accessType, const char16_t* proxy,
                                const char16_t* proxyBypass, DWORD flags);

// Opens an http:// or https:// address within a session. The request is made here: a host that cannot be
// reached, a timeout, a connection dropped before the answer or an answer larger than the host's bound
// gives null, with the cause in GetLastError. An answer opens whatever its HTTP status: HttpQueryInfoW
// tells it. `headers` holds extra request headers separated by CR LF (length -1 or 0: up to the
// terminator).
HOSTAPI HINTERNET InternetOpenUrlW(HINTERNET session, const char16_t* url, const char16_t* headers,
                                   DWORD headersLength, DWORD flags, DWORD_PTR context);

// Of an opened address, the answer's status: HTTP_QUERY_STATUS_CODE as text, or with
// HTTP_QUERY_FLAG_NUMBER as a DWORD. `bufferLength` is in bytes; a buffer too small gives FALSE with
// ERROR_INSUFFICIENT_BUFFER and the length needed.
HOSTAPI BOOL HttpQueryInfoW(HINTERNET request, DWORD infoLevel, LPVOID buffer, DWORD* bufferLength,
                            DWORD* index);

// Bytes that can be read now; 0 (with TRUE) once the whole answer has been read.
HOSTAPI BOOL InternetQueryDataAvailable(HINTERNET file, DWORD* available, DWORD flags, DWORD_PTR context);

// Reads up to `toRead` bytes of the answer; TRUE with 0 bytes read at the end of it.
HOSTAPI BOOL InternetReadFile(HINTERNET file, LPVOID buffer, DWORD toRead, DWORD* read);

// Closes a session or an address handle; each handle is closed on its own.
HOSTAPI BOOL InternetCloseHandle(HINTERNET handle);

// The host's connection check before a download: when the device is not online it shows the host's own
// window to bring a connection up. TRUE when a connection is there.
HOSTAPI BOOL FDYN_CheckAndShowDialUpConn(CWnd* parent);
