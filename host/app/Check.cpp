#include "host/app/Check.h"

#include "host/ui/Driver.h"
#include "rules/ControlloLibretto.h"

#include <nlohmann/json.hpp>

#include <string>

namespace host {

namespace {

// The list's texts break lines with "\r"; continuation lines are indented under the first.
void StampaVoce(std::ostream& out, bool errore, const WString& testo) {
    const std::string s = testo.ToUtf8();
    out << (errore ? "[E] " : "[A] ");
    std::size_t inizio = 0;
    bool prima = true;
    while (inizio < s.size()) {
        std::size_t fine = s.find('\r', inizio);
        if (fine == std::string::npos)
            fine = s.size();
        if (!prima)
            out << "    ";
        out << ui::Printable(std::string_view(s).substr(inizio, fine - inizio)) << "\n";
        prima = false;
        inizio = fine + 1;
    }
    if (prima)
        out << "\n";
}

} // namespace

int StampaControllo(Project& project, bool json, std::ostream& out) {
    CControlloLibretto controllo(nullptr, &project.cts, &project.cmp, &project.gps, nullptr);
    controllo.ControllaTutto();
    CErrAvvList& lista = controllo;
    const int voci = lista.GetMsgArSize();
    const int avvertimenti = lista.GetAvvArSize();
    const int errori = voci - avvertimenti;

    if (json) {
        nlohmann::ordered_json doc;
        doc["titolo"] = lista.GetTitolo().ToUtf8();
        doc["opzioneVista1"] = lista.GetOpzioneVista1();
        doc["opzioneVista2"] = lista.GetOpzioneVista2();
        doc["voci"] = nlohmann::ordered_json::array();
        for (int i = 0; i < voci; ++i)
            doc["voci"].push_back({{"errore", lista.IsErroreAt(i)}, {"testo", lista.GetMsgAt(i).ToUtf8()}});
        doc["errori"] = errori;
        doc["avvertimenti"] = avvertimenti;
        out << doc.dump(2) << "\n";
    } else {
        out << ui::Printable(lista.GetTitolo().ToUtf8()) << "\n";
        for (int i = 0; i < voci; ++i)
            StampaVoce(out, lista.IsErroreAt(i), lista.GetMsgAt(i));
        if (voci == 0)
            out << "Nessun errore e nessun avvertimento.\n";
        out << "Errori: " << errori << ", avvertimenti: " << avvertimenti << "\n";
    }
    return errori > 0 ? 1 : 0;
}

} // namespace host
