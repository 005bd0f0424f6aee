// progetto.json: read, checked (each finding with what it names, as the page shows it), then saved and read
// again, which must give the same text. The quick reader must take only what the strict one takes, into
// the same project.
#include "FuzzInput.h"
#include "app/Indica.h"
#include "host/project/LetturaRapida.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    host::Project rapido;
    const bool preso = host::LeggiProgettoRapido(text, rapido);
    std::unique_ptr<host::Project> project;
    try {
        project = host::LeggiProgettoVerificato(text, "progetto.json");
    } catch (const host::ProjectError& e) {
        if (preso) {
            std::fprintf(stderr, "%s\n", e.what());
            fuzz::Fail("the quick reader took a project the strict one refuses");
        }
        return 0;
    }
    const std::string saved = project->Serialize();
    if (preso && rapido.Serialize() != saved)
        fuzz::Fail("the quick reader read another project than the strict one");
    host::ControlloIndicato(*project);
    try {
        if (host::Project::Parse(saved, "progetto.json")->Serialize() != saved)
            fuzz::Fail("a saved project reads back into another text");
    } catch (const host::ProjectError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        fuzz::Fail("a saved project does not read back");
    }
    return 0;
}
