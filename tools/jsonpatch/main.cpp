// jsonpatch: JSON Patch (RFC 6902) for project files, as the scenario tests use it.
//   jsonpatch diff BEFORE AFTER   the patch that turns BEFORE into AFTER, one operation a line
//   jsonpatch format PATCH        PATCH laid out as diff writes it, so that two patches compare as text
//   jsonpatch apply FILE PATCH    applies PATCH to FILE in place, written as projects are written
// Key order is kept, so a diff lists its operations in the order of the file.
#include <nlohmann/json.hpp>

#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

using Json = nlohmann::ordered_json;

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

Json Read(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw Failure(file + ": il file non si può leggere");
    try {
        return Json::parse(in);
    } catch (const Json::parse_error& e) {
        throw Failure(file + ": JSON non valido: " + e.what());
    }
}

// One operation a line, its members in the order of RFC 6902's examples, so that a patch reads as a
// list of changes and a textual diff of two patches shows whole operations.
std::string Layout(const Json& patch, const std::string& file) {
    if (!patch.is_array())
        throw Failure(file + ": una patch è un array di operazioni");
    if (patch.empty())
        return "[]\n";
    std::string text = "[\n";
    for (std::size_t i = 0; i < patch.size(); ++i) {
        const Json& op = patch[i];
        const std::string where = file + ": /" + std::to_string(i);
        if (!op.is_object() || !op.contains("op") || !op["op"].is_string() || !op.contains("path") ||
            !op["path"].is_string())
            throw Failure(where + ": attesa un'operazione con \"op\" e \"path\"");
        const std::string name = op["op"].get<std::string>();
        const bool needsValue = name == "add" || name == "replace" || name == "test";
        const bool needsFrom = name == "move" || name == "copy";
        if (!needsValue && !needsFrom && name != "remove")
            throw Failure(where + ": operazione sconosciuta \"" + name + "\"");
        if (op.size() != 2u + (needsValue || needsFrom ? 1u : 0u) || (needsValue && !op.contains("value")) ||
            (needsFrom && !op.contains("from")))
            throw Failure(where + ": membri non adatti all'operazione \"" + name + "\"");
        text += "  {\"op\": " + op["op"].dump();
        if (needsFrom)
            text += ", \"from\": " + op["from"].dump();
        text += ", \"path\": " + op["path"].dump();
        if (needsValue)
            text += ", \"value\": " + op["value"].dump();
        text += i + 1 < patch.size() ? "},\n" : "}\n";
    }
    return text + "]\n";
}

void Apply(const std::string& file, const std::string& patchFile) {
    Json doc = Read(file);
    const Json patch = Read(patchFile);
    Layout(patch, patchFile);
    try {
        doc.patch_inplace(patch);
    } catch (const Json::exception& e) {
        throw Failure(patchFile + ": non si applica a " + file + ": " + e.what());
    }
    // As the host writes a project: two-blank indent and a final line end.
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << doc.dump(2) << "\n";
    if (!out)
        throw Failure(file + ": il file non si può scrivere");
}

int Usage() {
    std::cerr << "uso: jsonpatch diff PRIMA DOPO | jsonpatch format PATCH | jsonpatch apply FILE PATCH\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    try {
        if (command == "diff" && argc == 4)
            std::cout << Layout(Json::diff(Read(argv[2]), Read(argv[3])), "diff");
        else if (command == "format" && argc == 3)
            std::cout << Layout(Read(argv[2]), argv[2]);
        else if (command == "apply" && argc == 4)
            Apply(argv[2], argv[3]);
        else
            return Usage();
    } catch (const Failure& e) {
        std::cerr << "jsonpatch: " << e.what() << "\n";
        return 2;
    }
    return 0;
}
