#include "host/core/Parti.h"

#include <dlfcn.h>
#include <filesystem>
#include <map>
#include <mutex>

namespace host {

namespace {

const int kQui = 0;

// Beside the host library; beside the program when the host is linked into it (the tests).
std::filesystem::path Cartella() {
    Dl_info info{};
    if (dladdr(&kQui, &info) && info.dli_fname && info.dli_fname[0] == '/')
        return std::filesystem::path(info.dli_fname).parent_path();
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
}

} // namespace

void* FunzioneDiParte(const std::string& parte, const char* funzione, std::string& motivo) {
    static std::mutex m;
    static std::map<std::string, void*> caricate;
    std::lock_guard lock(m);
    const std::string nome = "libpregeo-" + parte + ".so";
    void*& h = caricate[parte];
    if (!h) {
        const std::filesystem::path libreria = Cartella() / nome;
        // Lazy binding: PROJ and its companions have thousands of symbols that a part never calls.
        h = dlopen(libreria.c_str(), RTLD_LAZY | RTLD_LOCAL);
        if (!h) {
            const char* perche = dlerror();
            caricate.erase(parte);
            motivo = "la parte del programma " + libreria.string() + " non si carica" +
                     (perche ? std::string(": ") + perche : std::string());
            return nullptr;
        }
    }
    dlerror();
    void* f = dlsym(h, funzione);
    if (!f)
        motivo = "la parte del programma " + nome + " non ha la funzione " + funzione;
    return f;
}

} // namespace host
