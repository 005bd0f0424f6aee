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

// A session. Direct access uses no proxy; the preconfigured access uses the system's proxy settings.
HOSTAPI HINTERNET InternetOpenW(const char16_t* agent, DWORD accessType, const char16_t* proxy,
                                const char16_t* proxyBypass, DWORD flags);

// Opens an http:// or https:// address within a session. The request is made here: a host that cannot be
// reached, a timeout, an HTTP error status (400 and above) or an answer larger than the host's bound gives
// null. `headers` holds extra request headers separated by CR LF (length -1 or 0: up to the terminator).
HOSTAPI HINTERNET InternetOpenUrlW(HINTERNET session, const char16_t* url, const char16_t* headers,
                                   DWORD headersLength, DWORD flags, DWORD_PTR context);

// Bytes that can be read now; 0 (with TRUE) once the whole answer has been read.
HOSTAPI BOOL InternetQueryDataAvailable(HINTERNET file, DWORD* available, DWORD flags, DWORD_PTR context);

// Reads up to `toRead` bytes of the answer; TRUE with 0 bytes read at the end of it.
HOSTAPI BOOL InternetReadFile(HINTERNET file, LPVOID buffer, DWORD toRead, DWORD* read);

// Closes a session or an address handle; each handle is closed on its own.
HOSTAPI BOOL InternetCloseHandle(HINTERNET handle);

// The host's connection check before a download: when the device is not online it shows the host's own
// window to bring a connection up. TRUE when a connection is there.
HOSTAPI BOOL FDYN_CheckAndShowDialUpConn(CWnd* parent);
