#include "host/core/Windows.h"

#include "host/core/HostContext.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <dlfcn.h>
#include <memory>
#include <thread>
#include <vector>

namespace {

std::vector<std::unique_ptr<HostWindow>>& Registry() {
    static std::vector<std::unique_ptr<HostWindow>> windows;
    return windows;
}

std::string g_lastLoadError;

using DllMainFn = BOOL (*)(HINSTANCE, DWORD, LPVOID);

} // namespace

namespace host {

HWND CreateTopLevelWindow(const WString& title, std::function<LRESULT(UINT, WPARAM, LPARAM)> handler) {
    Registry().push_back(std::make_unique<HostWindow>(HostWindow{title, std::move(handler)}));
    return Registry().back().get();
}

void DestroyTopLevelWindow(HWND window) {
    std::erase_if(Registry(), [window](const auto& w) { return w.get() == window; });
}

const std::string& LastLoadError() {
    return g_lastLoadError;
}

} // namespace host

HWND FindWindowW(const char16_t*, const char16_t* title) {
    if (!title)
        return nullptr;
    for (const auto& w : Registry())
        if (w->title == title)
            return w.get();
    return nullptr;
}

LRESULT SendMessageW(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    for (const auto& w : Registry())
        if (w.get() == wnd && w->handler)
            return w->handler(msg, wParam, lParam);
    return 0;
}

HMODULE LoadLibraryW(const char16_t* path) {
    g_lastLoadError.clear();
    if (!path) {
        g_lastLoadError = "no module path";
        return nullptr;
    }
    const std::string file = WString(path).ToUtf8();
    void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = ::dlerror();
        g_lastLoadError = why ? why : "cannot load " + file;
        return nullptr;
    }
    auto* module = new HostModule{handle, file, nullptr};
    // The image's resource section.
    if (auto section = reinterpret_cast<ModuleResourcesFn>(::dlsym(handle, MODULE_RESOURCES_SYMBOL)))
        module->resources = section();
    auto entry = reinterpret_cast<DllMainFn>(::dlsym(handle, "DllMain"));
    if (entry && !entry(module, DLL_PROCESS_ATTACH, nullptr)) {
        g_lastLoadError = "the module refused to load (its attach failed): " + file;
        ::dlclose(handle);
        delete module;
        return nullptr;
    }
    return module;
}

FARPROC GetProcAddress(HMODULE module, const char* name) {
    if (!module || !name)
        return nullptr;
    return reinterpret_cast<FARPROC>(::dlsym(module->handle, name));
}

BOOL FreeLibrary(HMODULE module) {
    if (!module)
        return FALSE;
    auto entry = reinterpret_cast<DllMainFn>(::dlsym(module->handle, "DllMain"));
    if (entry)
        entry(module, DLL_PROCESS_DETACH, nullptr);
    ::dlclose(module->handle);
    delete module;
    return TRUE;
}

namespace {
std::atomic<unsigned long long> g_sleepRequested{0};
} // namespace

unsigned long long host::SleepRequested() {
    return g_sleepRequested;
}

void Sleep(DWORD milliseconds) {
    g_sleepRequested += milliseconds;
    double scale = 1;
    if (const char* text = std::getenv("PREGEO_HOST_SLEEP")) {
        char* end = nullptr;
        const double v = std::strtod(text, &end);
        if (end != text && *end == '\0' && v >= 0 && v <= 10)
            scale = v;
    }
    std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(milliseconds * scale));
}

namespace {
thread_local DWORD t_lastError = ERROR_SUCCESS;
} // namespace

DWORD GetLastError() {
    return t_lastError;
}

void SetLastError(DWORD error) {
    t_lastError = error;
}

COLORREF GetSysColor(int index) {
    return index == COLOR_WINDOW ? RGB(255, 255, 255) : RGB(0, 0, 0);
}
