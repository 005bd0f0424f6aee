// The stand-in host's window registry and module loader, beyond what a module sees.
#pragma once

#include "hostapi/Platform.h"
#include "hostapi/Resources.h"
#include "hostapi/WString.h"

#include <functional>
#include <string>
#include <vector>

struct HostWindow {
    WString title;
    std::function<LRESULT(UINT, WPARAM, LPARAM)> handler;
};

struct HostModule {
    void* handle = nullptr;
    std::string path;
    const ResourceTable* resources = nullptr;
};

namespace host {

// A top-level window known to FindWindowW until it is destroyed.
HWND CreateTopLevelWindow(const WString& title, std::function<LRESULT(UINT, WPARAM, LPARAM)> handler);
void DestroyTopLevelWindow(HWND window);

// Why the last LoadLibraryW failed, for the host's own error message.
const std::string& LastLoadError();

// The resource chain, most recently linked module first.
const std::vector<const EXTENSION_MODULE*>& ResourceChain();

} // namespace host
