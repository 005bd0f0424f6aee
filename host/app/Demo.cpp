#include "host/app/Demo.h"

#include "host/project/Project.h"
#include "host/ui/Driver.h"

#include <memory>

class CWnd;

namespace host {

namespace {

// Plays a user who looks at the first dialog or message and walks away.
class Osservatore : private ui::TranscriptBuffer, public ui::Driver {
public:
    Osservatore() : ui::Driver(m_Text), m_Precedente(ui::SetActiveDriver(this)) {}
    ~Osservatore() override { ui::SetActiveDriver(m_Precedente); }
    Osservatore(const Osservatore&) = delete;
    Osservatore& operator=(const Osservatore&) = delete;

    struct Visto {};
    std::string visto;

protected:
    std::optional<ui::Action> Next(const ui::Prompt& prompt) override {
        visto = prompt.Describe();
        throw Visto{};
    }
    void Refuse(const ui::Action&, const ui::Prompt&, const std::string&) override {}
    [[noreturn]] void RanOut(const ui::Prompt&) override { throw Visto{}; }

private:
    ui::Driver* m_Precedente;
};

} // namespace

bool ChiamaExport(const ExportInfo& info, FARPROC proc, ICarviloDati* dati) {
    switch (info.kind) {
    case ExportKind::Editor:
        return reinterpret_cast<bool (*)(CWnd*, ICarviloDati*)>(proc)(nullptr, dati);
    case ExportKind::Tool:
        reinterpret_cast<void (*)(CWnd*, ICarviloDati*)>(proc)(nullptr, dati);
        return false;
    case ExportKind::ToolWithWord:
        reinterpret_cast<void (*)(CWnd*, ICarviloDati*, WPARAM)>(proc)(nullptr, dati, 0);
        return false;
    }
    return false;
}

std::string DescriviExport(const ExportInfo& info, FARPROC proc, const std::filesystem::path& dir) {
    std::unique_ptr<Project> copia;
    try {
        copia = Project::Load(dir);
    } catch (const ProjectError&) {
        return "(progetto non leggibile)";
    }
    copia->Activate();
    HostData dati(*copia);
    std::string fa;
    {
        Osservatore utente;
        try {
            const bool confermato = ChiamaExport(info, proc, &dati);
            fa = "non mostra nulla";
            if (info.kind == ExportKind::Editor)
                fa += confermato ? ", risponde true" : ", risponde false";
        } catch (const Osservatore::Visto&) {
            fa = "mostra " + utente.visto;
        }
    }
    std::string chiede;
    for (const std::string& c : dati.Chiamate())
        chiede += (chiede.empty() ? "" : ", ") + c;
    return fa + (chiede.empty() ? " (non chiede dati)" : " (chiede " + chiede + ")");
}

} // namespace host
