// progetto.json: read, checked (each finding with what it names, as the page shows it), then saved and read
// again, which must give the same text.
#include "FuzzInput.h"
#include "app/Indica.h"
#include "host/project/Project.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::unique_ptr<host::Project> project;
    try {
        project =
            host::Project::Parse(std::string(reinterpret_cast<const char*>(data), size), "progetto.json");
    } catch (const host::ProjectError&) {
        return 0;
    }
    host::ControlloIndicato(*project);
    const std::string saved = project->Serialize();
    try {
        if (host::Project::Parse(saved, "progetto.json")->Serialize() != saved)
            fuzz::Fail("a saved project reads back into another text");
    } catch (const host::ProjectError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        fuzz::Fail("a saved project does not read back");
    }
    return 0;
}
