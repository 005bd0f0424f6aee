// The line editor of a person's terminal lives in its part, with libedit: only a person at a real
// terminal loads it.
#include "host/ui/Driver.h"

#include "host/core/Parti.h"

#include <cstdlib>

namespace host::ui {

namespace {

class EditedLineSource : public LineSource {
public:
    explicit EditedLineSource(parti::RigheModificate* righe) : m_Righe(righe) {}
    bool Read(const std::string& prompt, std::string& line) override { return m_Righe->Leggi(prompt, line); }

private:
    std::unique_ptr<parti::RigheModificate> m_Righe;
};

} // namespace

std::unique_ptr<LineSource> EditedLines(const std::filesystem::path& file,
                                        std::function<Completion(std::string_view)> complete,
                                        std::string& why) {
    auto* const crea = FunzioneDi<parti::CreaRighe>("terminale", "PregeoTerminaleRighe", why);
    if (!crea)
        return nullptr;
    return std::make_unique<EditedLineSource>(crea(file, std::move(complete)));
}
std::filesystem::path HistoryFile() {
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        return {};
    return std::filesystem::path(home) / ".pregeo_host_history";
}

} // namespace host::ui
