// libpregeo-esporta.so: the file writing, for pregeo-host to load when it exports.
#include "host/export/Esporta.h"

extern "C" __attribute__((visibility("default"))) void
PregeoEsportaScrivi(const host::esporta::Rilievo& rilievo, const std::filesystem::path& file,
                    bool sovrascrivi, host::esporta::Esito& esito) {
    esito = host::esporta::Scrivi(rilievo, file, sovrascrivi);
}
