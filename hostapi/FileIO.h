// The runtime's file functions as the device offers them to a module.
#pragma once

#include "hostapi/Platform.h"
#include "hostapi/WString.h"

// An open file. Paths may use backslashes; the host resolves them case-insensitively like the device.
struct PlatformFile;

// Modes "r", "rt", "rb". Text mode reads 8-bit files in the device code page: a CR before LF is dropped
// and the line end is kept. Null when the file cannot be opened.
HOSTAPI PlatformFile* _wfopen(const char16_t* path, const char16_t* mode);
// Reads at most count - 1 characters, stopping after a line end; null at the end of the file.
HOSTAPI char16_t* fgetws(char16_t* buffer, int count, PlatformFile* file);
HOSTAPI char* fgets(char* buffer, int count, PlatformFile* file);
HOSTAPI int fclose(PlatformFile* file);

// Directory search with wildcards '*' and '?', as the platform's FindFirstFileW.
struct WIN32_FIND_DATAW {
    DWORD dwFileAttributes = 0;
    char16_t cFileName[260] = {};
};
struct HostFind;
using HANDLE = HostFind*;
#define INVALID_HANDLE_VALUE (static_cast<HANDLE>(nullptr))
HOSTAPI HANDLE FindFirstFileW(const char16_t* pattern, WIN32_FIND_DATAW* data);
HOSTAPI BOOL FindNextFileW(HANDLE find, WIN32_FIND_DATAW* data);
HOSTAPI BOOL FindClose(HANDLE find);
