// Answers of the TAF web service, every query type, through the module's download loop. The internet
// layer is a stand-in that serves the input in pieces; the first two bytes choose the query and the
// piece size.
#include "FuzzInput.h"
#include "hostapi/Internet.h"
#include "pfimport/TafElenco.h"
#include "pfimport/TafRichiesta.h"

#include <algorithm>
#include <cstring>

struct HostInternet {};

namespace {
HostInternet g_handle;
const std::uint8_t* g_data = nullptr;
std::size_t g_left = 0;
std::size_t g_piece = 1;
} // namespace

HINTERNET InternetOpenW(const char16_t*, DWORD, const char16_t*, const char16_t*, DWORD) {
    return &g_handle;
}
HINTERNET InternetOpenUrlW(HINTERNET, const char16_t*, const char16_t*, DWORD, DWORD, DWORD_PTR) {
    return &g_handle;
}
BOOL HttpQueryInfoW(HINTERNET, DWORD, LPVOID buffer, DWORD* length, DWORD*) {
    const DWORD ok = 200;
    std::memcpy(buffer, &ok, sizeof ok);
    *length = sizeof ok;
    return TRUE;
}
// At the end it fails rather than report 0 bytes: the loop would wait a second for more.
BOOL InternetQueryDataAvailable(HINTERNET, DWORD* available, DWORD, DWORD_PTR) {
    *available = static_cast<DWORD>(std::min(g_left, g_piece));
    return g_left > 0;
}
BOOL InternetReadFile(HINTERNET, LPVOID buffer, DWORD toRead, DWORD* read) {
    const std::size_t n = std::min({g_left, g_piece, static_cast<std::size_t>(toRead)});
    std::memcpy(buffer, g_data, n);
    g_data += n;
    g_left -= n;
    *read = static_cast<DWORD>(n);
    return TRUE;
}
BOOL InternetCloseHandle(HINTERNET) {
    return TRUE;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    fuzz::Folder();
    const int query = data[0] % 3;
    g_piece = 1 + data[1] * 97u;
    g_data = data + 2;
    g_left = size - 2;
    CTafElenco elenco;
    bool ok = false;
    if (query == 0) {
        CTafRichiesta r;
        r.Codice = u"A123";
        r.Foglio = u"0120";
        r.Pf = u"01";
        WString risposta;
        ok = r.RichiestaDistanze(risposta);
        if (ok != (size > 2))
            fuzz::Fail("a distance answer with text is a failure, or an empty one a success");
        return 0;
    }
    ok = query == 1 ? elenco.CaricaWebComune(u"A123", u"0120")
                    : elenco.CaricaWebPosizione(u"AL", 5e6, 1.5e6, 100);
    if (!ok && elenco.GetCount() > 0)
        fuzz::Fail("a failed load left points");
    for (int i = 0; i < elenco.GetCount(); ++i) {
        const CTafPunto& p = *elenco.GetAt(i);
        if (IsRealeIndefinito(p.Nord) || IsRealeIndefinito(p.Est) || p.NumPF < 0)
            fuzz::Fail("a point without its number or coordinates");
    }
    return 0;
}
