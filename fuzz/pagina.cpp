// What a page sends to pregeo-host serve: a body that reads gives bounded texts, and its action line
// parses or is refused like a script's, whatever the bytes.
#include "FuzzInput.h"
#include "app/WebGuard.h"
#include "host/ui/Driver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    host::web::Corpo corpo;
    std::string why;
    const int status = host::web::LeggiCorpo(body, corpo, why);
    if ((status == 0) != why.empty())
        fuzz::Fail("a refusal without its reason, or a reason without a refusal");
    if (status != 0)
        return 0;
    if (corpo.client.empty() || corpo.client.size() > 64 || corpo.azione.size() > host::web::kMaxAzione)
        fuzz::Fail("a body past its bounds was let in");
    std::string error;
    host::ui::ParseAction(corpo.azione, error);
    return 0;
}
