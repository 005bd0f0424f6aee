#include "app/Indica.h"

#include "app/Check.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace host {

namespace {

using Json = nlohmann::ordered_json;

std::string Pulito(std::string s) {
    const auto spazio = [](unsigned char c) { return std::isspace(c) || c == ';'; };
    while (!s.empty() && spazio(static_cast<unsigned char>(s.back())))
        s.pop_back();
    std::size_t i = 0;
    while (i < s.size() && spazio(static_cast<unsigned char>(s[i])))
        ++i;
    return s.substr(i);
}

bool Inizia(std::string_view s, std::string_view con) {
    return s.substr(0, con.size()) == con;
}

// Labels whose value is one point's name. Others ("Quota - attendibilità", "Nota", "Mappale") carry values.
bool NominaUnPunto(std::string_view etichetta) {
    static constexpr std::string_view kEtichette[] = {"Nome Punto",
                                                      "Nome Stazione",
                                                      "Nome Stazione GPS",
                                                      "Punto",
                                                      "Punto Origine",
                                                      "Punto Orientamento",
                                                      "Punto Indietro",
                                                      "Punto Avanti",
                                                      "Identificativo Punto",
                                                      "Identificativo punto",
                                                      "Identificativo Punto Stazione",
                                                      "Nome vertice baseline iniziale GPS",
                                                      "Nome vertice baseline finale GPS"};
    if (std::find(std::begin(kEtichette), std::end(kEtichette), etichetta) != std::end(kEtichette))
        return true;
    // "Coordinata Nord del punto", "Nota altimetrica del punto", "Coord. X di", ...
    const auto finisce = [&](std::string_view f) {
        return etichetta.size() >= f.size() && etichetta.substr(etichetta.size() - f.size()) == f;
    };
    return finisce(" del punto") || (Inizia(etichetta, "Coord. ") && finisce(" di"));
}

std::string U8(const WString& s) {
    return s.ToUtf8();
}

} // namespace

std::vector<std::string> NomiNelDettaglio(const std::string& dettaglio) {
    std::vector<std::string> nomi;
    const auto aggiungi = [&](std::string nome) {
        nome = Pulito(std::move(nome));
        if (!nome.empty() && std::find(nomi.begin(), nomi.end(), nome) == nomi.end())
            nomi.push_back(std::move(nome));
    };
    // Parts "label: value", one after the other, ", " between them.
    std::size_t inizio = 0;
    while (inizio < dettaglio.size()) {
        const std::size_t dueP = dettaglio.find(": ", inizio);
        if (dueP == std::string::npos)
            break;
        const std::string etichetta = Pulito(dettaglio.substr(inizio, dueP - inizio));
        const std::size_t fine = std::min(dettaglio.find(", ", dueP + 2), dettaglio.size());
        const std::string valore = dettaglio.substr(dueP + 2, fine - dueP - 2);
        if (etichetta == "Stazioni" || etichetta == "Allineamento") {
            // Two names: "A - B;" and "A-B".
            const std::string_view sep = etichetta == "Stazioni" ? " - " : "-";
            const std::size_t k = valore.find(sep);
            if (k != std::string::npos) {
                aggiungi(valore.substr(0, k));
                aggiungi(valore.substr(k + sep.size()));
            }
        } else if (NominaUnPunto(etichetta)) {
            aggiungi(valore);
        }
        inizio = fine + 2;
    }
    return nomi;
}

EditorDiRiga EditorDellaRiga(const std::string& tipoRiga, std::optional<int> riga) {
    // The four list editors share their grid and its "Mod." column: a tap there opens the row.
    const auto lista = [&](const char* strumento) {
        return riga && *riga > 0 ? EditorDiRiga{strumento, "tap 2373 " + std::to_string(*riga) + " 2"}
                                 : EditorDiRiga{};
    };
    if (tipoRiga == "0")
        return {"FPregeoEditRiga0", ""};
    if (tipoRiga == "9")
        return {"FPregeoEditRiga9", ""};
    if (tipoRiga == "3")
        return lista("FPregeoEditRiga3");
    if (tipoRiga == "4" || tipoRiga == "5" || tipoRiga == "4L" || tipoRiga == "5L")
        return lista("FPregeoEditRiga4And5");
    if (tipoRiga == "7")
        return lista("FPregeoEditRiga7");
    if (tipoRiga == "8")
        return lista("FPregeoEditRiga8");
    // Stations and observations have no editor; a note (row 6) may stand in any list.
    return {};
}

namespace {

// Without a name in the detail: the row's own points, or its row 7.
void NomiDellaRiga(const std::string& tipo, std::size_t i, const Project& project, Indicazione& ind) {
    const auto rigaDi = [&](const CCtsRigArray& righe) -> const CRig* {
        return i < static_cast<std::size_t>(righe.GetRigArSize()) ? righe.GetRigAt(static_cast<int>(i))
                                                                  : nullptr;
    };
    const auto nome = [&](const WString& w) {
        const std::string n = U8(w);
        if (!n.empty() && std::find(ind.nomi.begin(), ind.nomi.end(), n) == ind.nomi.end())
            ind.nomi.push_back(n);
    };
    if (tipo == "3") {
        if (const CRig* r = rigaDi(project.cts.m_Righe3))
            for (int k = 0; k < r->GetVrtArSize(); ++k)
                nome(r->GetVrtAt(k)->GetNome());
    } else if (tipo == "4" || tipo == "4L" || tipo == "5" || tipo == "5L") {
        if (const CRig* r = rigaDi(project.cts.m_Righe45)) {
            nome(r->GetLblNome1());
            if (tipo == "4")
                nome(r->GetLblNome2());
        }
    } else if (tipo == "7") {
        // The drawing numbers the rows 7 alone; the check counts the notes among them.
        const CCtsRigArray& righe = project.cts.m_Righe7;
        if (i < static_cast<std::size_t>(righe.GetRigArSize()) &&
            righe.GetRigAt(static_cast<int>(i))->GetTipoRiga() == '7') {
            ind.riga7 = 1;
            for (std::size_t k = 0; k < i; ++k)
                ind.riga7 += righe.GetRigAt(static_cast<int>(k))->GetTipoRiga() == '7' ? 1 : 0;
        }
    } else if (tipo == "8") {
        if (i < static_cast<std::size_t>(project.cmp.GetOriArSize()))
            nome(project.cmp.GetOriAt(static_cast<int>(i))->GetNome());
    }
}

} // namespace

Indicazione Indica(const Json& voce, const Project& project) {
    Indicazione ind;
    const std::string tipo = voce.value("tipoRiga", "");
    std::optional<int> riga;
    if (voce.contains("riga") && voce.at("riga").is_number_integer())
        riga = voce.at("riga").get<int>();
    ind.editor = EditorDellaRiga(tipo, riga);
    ind.nomi = NomiNelDettaglio(voce.value("dettaglio", ""));
    if (ind.nomi.empty() && riga && *riga > 0)
        NomiDellaRiga(tipo, static_cast<std::size_t>(*riga - 1), project, ind);
    for (std::string& n : ind.nomi) {
        // The drawing names fiducial points in full.
        WString w = WString::FromUtf8(n);
        project.cts.CompletaNomePfPregeo(w);
        n = U8(w);
    }
    return ind;
}

Json ControlloIndicato(Project& project) {
    Json doc = ControlloInJson(project);
    for (Json& voce : doc.at("voci")) {
        const Indicazione ind = Indica(voce, project);
        const auto oNull = [](const std::string& s) { return s.empty() ? Json() : Json(s); };
        voce["indica"] = {{"nomi", ind.nomi},
                          {"riga7", ind.riga7 > 0 ? Json(ind.riga7) : Json()},
                          {"strumento", oNull(ind.editor.strumento)},
                          {"azione", oNull(ind.editor.azione)}};
    }
    return doc;
}

} // namespace host
