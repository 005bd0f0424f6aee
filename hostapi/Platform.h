// Platform types and services that the device's system headers declare for a module.
#pragma once

#include <cstdint>

#define HOSTAPI __attribute__((visibility("default")))
#define MODULE_EXPORT extern "C" __attribute__((visibility("default")))

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LPVOID = void*;
using COLORREF = DWORD;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

struct HostWindow;
struct HostModule;
using HWND = HostWindow*;
using HINSTANCE = HostModule*;
using HMODULE = HostModule*;
using FARPROC = void (*)();

constexpr UINT WM_USER = 0x0400;
constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;
constexpr DWORD DLL_THREAD_ATTACH = 2;
constexpr DWORD DLL_THREAD_DETACH = 3;

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// System colours.
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;
HOSTAPI COLORREF GetSysColor(int index);

// Top-level windows, found by title among the windows the host has created.
HOSTAPI HWND FindWindowW(const char16_t* className, const char16_t* title);
HOSTAPI LRESULT SendMessageW(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Modules: loading runs the module's DllMain with DLL_PROCESS_ATTACH and refuses a module whose attach fails.
HOSTAPI HMODULE LoadLibraryW(const char16_t* path);
HOSTAPI FARPROC GetProcAddress(HMODULE module, const char* name);
HOSTAPI BOOL FreeLibrary(HMODULE module);

HOSTAPI void Sleep(DWORD milliseconds);

// The calling thread's last error code, set by the platform's functions that fail.
HOSTAPI DWORD GetLastError();
HOSTAPI void SetLastError(DWORD error);

constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
