#include "host/core/ModuleHost.h"
#include "host/core/Windows.h"
#include "host/project/Project.h"
#include "hostapi/Resources.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

class CWnd;

namespace {

std::string Bin(const char* file) {
    const char* bin = std::getenv("PREGEO_BIN");
    return std::string(bin ? bin : "build/test/bin") + "/" + file;
}

HMODULE Load(const char* file) {
    return LoadLibraryW(WString::FromUtf8(Bin(file)).c_str());
}

// A start window that notes every message it receives (pregeo-host's "demo" shows the message itself).
struct StartWindow {
    explicit StartWindow(const char16_t* title)
        : hwnd(host::CreateTopLevelWindow(title, [this](UINT m, WPARAM, LPARAM) -> LRESULT {
              received.push_back(m);
              return 0;
          })) {}
    ~StartWindow() { host::DestroyTopLevelWindow(hwnd); }
    HWND hwnd;
    std::vector<UINT> received;
};

} // namespace

TEST(ModuleLoad, OnlyTheFirstStartWindowIsSignalledThenTheFallbackOrNoneAtAll) {
    for (const bool first : {true, false}) {
        StartWindow crash(u"Avvio_TessaroCrash");
        std::optional<StartWindow> start;
        if (first)
            start.emplace(u"ValmenoFieldStart");
        HMODULE module = Load("libpregeo.so");
        ASSERT_NE(module, nullptr) << host::LastLoadError();
        EXPECT_EQ(crash.received, first ? std::vector<UINT>{} : std::vector<UINT>{1165});
        if (start) {
            EXPECT_EQ(start->received, std::vector<UINT>{1165});
        }
        FreeLibrary(module);
    }
    HMODULE module = Load("libpregeo.so");
    EXPECT_NE(module, nullptr); // nothing to signal, the load goes on
    FreeLibrary(module);
}

TEST(ModuleLoad, ResourcesJoinTheChainWhileLoaded) {
    EXPECT_EQ(FindStringResource(12800), nullptr);
    HMODULE module = Load("libpregeo.so");
    ASSERT_NE(module, nullptr);
    ASSERT_NE(FindStringResource(12800), nullptr);
    EXPECT_EQ(WString(FindStringResource(12800)), u"Pregeo"); // the table's completeness is the build's check
    FreeLibrary(module);
    EXPECT_EQ(FindStringResource(12800), nullptr);
}

TEST(ModuleLoad, AModuleWhoseAttachFailsIsRefused) {
    EXPECT_EQ(Load("test_module_failing.so"), nullptr);
    EXPECT_NE(host::LastLoadError().find("attach"), std::string::npos);
    EXPECT_EQ(Load("test_module_no_resources.so"), nullptr);
}

TEST(ModuleLoad, EachExportAsksTheHostInItsOrder) {
    const std::vector<std::pair<const char*, std::vector<std::string>>> expected = {
        {"FPregeoEditRiga0", {"GetCts"}},
        {"FPregeoEditRiga3", {"GetCts"}},
        {"FPregeoEditRiga4And5", {}},
        {"FPregeoEditRiga7", {"GetCts"}},
        {"FPregeoEditRiga9", {"GetLibCmp", "GetCts"}},
        {"FPregeoImportRighe8", {"GetLibCmp", "GetLibGps", "GetLibConOri", "GetCts"}},
        {"FPregeoImportDistanze", {"GetLibCmp", "GetLibGps", "GetCts"}},
        {"FPregeoTollStazOutTriang", {"GetLibCmp", "GetLibGps", "GetCts"}},
        {"FPregeoTollDistStazioni", {"GetCts", "GetLibCmp"}},
        {"FPregeoTollOggRilievoSup", {"GetLibCmp", "GetLibGps", "GetCts"}},
    };
    auto project = host::Project::Load("samples/demo");
    project->Activate();
    host::LoadedModule module;
    std::string error;
    ASSERT_TRUE(module.Load(Bin("libpregeo.so"), error)) << error;
    for (const auto& [name, calls] : expected) {
        host::HostData dati(*project);
        FARPROC proc = module.Resolve(name);
        ASSERT_NE(proc, nullptr) << name;
        const auto kind =
            std::find_if(host::ModuleExports().begin(), host::ModuleExports().end(), [&](const auto& e) {
                return std::string(e.name) == name;
            })->kind;
        if (kind == host::ExportKind::Editor)
            reinterpret_cast<bool (*)(CWnd*, ICarviloDati*)>(proc)(nullptr, &dati);
        else
            reinterpret_cast<void (*)(CWnd*, ICarviloDati*)>(proc)(nullptr, &dati);
        EXPECT_EQ(dati.Chiamate(), calls) << name;
    }
}
