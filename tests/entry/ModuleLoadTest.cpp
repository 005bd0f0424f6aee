#include "host/core/ModuleHost.h"
#include "host/core/Windows.h"
#include "host/project/Project.h"
#include "hostapi/Resources.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
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

// A start window that notes every message it receives.
struct StartWindow {
    explicit StartWindow(const char16_t* title)
        : hwnd(host::CreateTopLevelWindow(title, [this](UINT m, WPARAM w, LPARAM l) -> LRESULT {
              received.push_back({m, w, l});
              return 0;
          })) {}
    ~StartWindow() { host::DestroyTopLevelWindow(hwnd); }
    struct Msg {
        UINT msg;
        WPARAM w;
        LPARAM l;
    };
    HWND hwnd;
    std::vector<Msg> received;
};

} // namespace

TEST(ModuleLoad, OnlyTheFirstStartWindowIsSignalled) {
    StartWindow crash(u"Avvio_TessaroCrash");
    StartWindow start(u"ValmenoFieldStart");
    HMODULE module = Load("libpregeo.so");
    ASSERT_NE(module, nullptr) << host::LastLoadError();
    ASSERT_EQ(start.received.size(), 1u);
    EXPECT_EQ(start.received[0].msg, 1165u);
    EXPECT_EQ(start.received[0].w, 1u);
    EXPECT_EQ(start.received[0].l, 0);
    EXPECT_TRUE(crash.received.empty());
    FreeLibrary(module);
}

TEST(ModuleLoad, TheFallbackWindowOrNoneAtAll) {
    {
        StartWindow crash(u"Avvio_TessaroCrash");
        HMODULE module = Load("libpregeo.so");
        ASSERT_NE(module, nullptr);
        EXPECT_EQ(crash.received.size(), 1u);
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
    EXPECT_EQ(WString(FindStringResource(12800)), u"Pregeo");
    EXPECT_EQ(WString(FindStringResource(12801)), u"Non sono state individuate righe 4-5 fuori tolleranza.");
    for (UINT id = 12800; id <= 12836; ++id)
        EXPECT_NE(FindStringResource(id), nullptr) << id;
    EXPECT_EQ(FindStringResource(12837), nullptr);
    FreeLibrary(module);
    EXPECT_EQ(FindStringResource(12800), nullptr);
}

TEST(ModuleLoad, AModuleWhoseAttachFailsIsRefused) {
    EXPECT_EQ(Load("test_module_failing.so"), nullptr);
    EXPECT_NE(host::LastLoadError().find("attach"), std::string::npos);
    EXPECT_EQ(Load("test_module_no_resources.so"), nullptr);
    EXPECT_EQ(Load("no_such_module.so"), nullptr);
    EXPECT_FALSE(host::LastLoadError().empty());
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
