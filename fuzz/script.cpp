// The script language: every line that parses re-parses from its canonical form to the same action;
// completion of any line stays within it.
#include "FuzzInput.h"
#include "host/ui/Driver.h"

#include <sstream>

namespace {

bool Same(const host::ui::Action& a, const host::ui::Action& b) {
    return a.verb == b.verb && a.id == b.id && a.label == b.label && a.text == b.text && a.index == b.index &&
           a.row == b.row && a.column == b.column;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        // Completion reads what a person has typed so far, whatever it is.
        if (host::ui::Complete(nullptr, line).start > line.size())
            fuzz::Fail("a completion starts beyond the line");
        std::string error;
        const auto action = host::ui::ParseAction(line, error);
        if (!action)
            continue;
        const std::string canonical = action->Canonical();
        const auto again = host::ui::ParseAction(canonical, error);
        if (!again || !Same(*action, *again) || again->Canonical() != canonical) {
            std::fprintf(stderr, "canonical form: %s\nerror: %s\n", canonical.c_str(), error.c_str());
            fuzz::Fail("a parsed line does not re-parse from its canonical form");
        }
    }
    std::ostringstream transcript;
    host::ui::ScriptDriver driver(transcript);
    std::string error;
    driver.AddLines(text, error);
    return 0;
}
