// libpregeo-terminale.so: a person's terminal, its lines edited with libedit.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace host::parti {

// What completes the word before the cursor: it starts at `start` of the line, and may become any of the
// candidates.
struct Completion {
    std::size_t start = 0;
    std::vector<std::string> candidates;
};

class RigheModificate {
public:
    virtual ~RigheModificate() = default;
    // Shows the prompt and reads one line, without its end; false when the input has ended.
    virtual bool Leggi(const std::string& prompt, std::string& riga) = 0;
};

// PregeoTerminaleRighe(storia, completa): a new line editor, the caller's to delete; the history is kept
// in that file unless it is empty.
using CreaRighe = RigheModificate*(const std::filesystem::path& storia,
                                   std::function<Completion(std::string_view)> completa);

} // namespace host::parti
