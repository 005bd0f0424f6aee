#include "resources/FileTesto.h"

std::optional<WString> AvvisoFileSupporto(const std::vector<CFileSupportoLetto>& files) {
    std::vector<WString> illeggibili;
    WString danneggiati;
    int scartate = 0;
    for (const CFileSupportoLetto& f : files) {
        if (!f.letto) {
            illeggibili.push_back(f.file);
        } else if (f.righeScartate > 0) {
            danneggiati +=
                f.righeScartate == 1
                    ? WString::Formatted(u"Impossibile leggere 1 riga del file di supporto %s.\n", f.file)
                    : WString::Formatted(u"Impossibile leggere %d righe del file di supporto %s.\n",
                                         f.righeScartate, f.file);
            scartate += f.righeScartate;
        }
    }
    if (illeggibili.empty() && scartate == 0)
        return std::nullopt;
    WString testo;
    if (!illeggibili.empty()) {
        testo = illeggibili.size() == 1 ? u"Impossibile leggere il file di supporto "
                                        : u"Impossibile leggere i file di supporto ";
        for (std::size_t i = 0; i < illeggibili.size(); ++i)
            testo += (i > 0 ? u", " : u"") + illeggibili[i];
        testo += u".\nGli elenchi che ne dipendono restano vuoti.";
        if (scartate > 0)
            testo += u"\n";
    }
    if (scartate > 0) {
        testo += danneggiati;
        testo += scartate == 1 ? u"La riga illeggibile resta fuori dagli elenchi."
                               : u"Le righe illeggibili restano fuori dagli elenchi.";
    }
    return testo;
}
