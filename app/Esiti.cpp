#include "app/Esiti.h"

#include "host/cad/Rilievo.h"

#include <algorithm>
#include <optional>

namespace host {

namespace {

using Json = nlohmann::json;

const cad::Colore kIn{0, 0.6, 0.2};
const cad::Colore kFuori{0.85, 0.05, 0.05};
const cad::Colore kLato{0.1, 0.35, 0.75};

std::string Pulito(std::string s) {
    s.erase(s.find_last_not_of(' ') + 1);
    s.erase(0, std::min(s.find_first_not_of(' '), s.size()));
    return s;
}

// Every control of a dialog, those of its pages included.
void Controlli(const Json& controlli, std::vector<const Json*>& out) {
    if (!controlli.is_array())
        return;
    for (const Json& c : controlli) {
        out.push_back(&c);
        if (c.contains("controlli"))
            Controlli(c.at("controlli"), out);
    }
}

std::string Testo(const Json& cella) {
    return cella.is_object() && cella.contains("t") && cella.at("t").is_string() ? Pulito(cella.at("t")) : "";
}

// The image of a result cell: 0 in tolerance, 1 out ("Esiti.bmp").
std::optional<bool> Esito(const Json& cella) {
    if (!cella.is_object() || !cella.contains("img") || !cella.at("img").is_object())
        return std::nullopt;
    const Json& n = cella.at("img").value("n", Json());
    if (!n.is_number_integer() || (n != 0 && n != 1))
        return std::nullopt;
    return n == 0;
}

// The distance tool's result grid: a row per pair, judged when it has the outcome column.
void Distanze(const Json& finestra, std::vector<EsitoMostrato>& out) {
    std::vector<const Json*> controlli;
    if (finestra.contains("controlli"))
        Controlli(finestra.at("controlli"), controlli);
    for (const Json* c : controlli) {
        if (c->value("tipo", "") != "griglia" || !c->contains("griglia"))
            continue;
        const Json righe = c->at("griglia").value("righe", Json::array());
        const int fisse = c->at("griglia").value("fisse", 1);
        if (!righe.is_array() || righe.empty() || fisse < 1)
            continue;
        const auto colonna = [&](const char* titolo) -> int {
            for (std::size_t k = 0; k < righe[0].size(); ++k)
                if (Testo(righe[0][k]) == titolo)
                    return static_cast<int>(k);
            return -1;
        };
        const int esito = colonna("Esito"), a = colonna("1°Punto"), b = colonna("2°Punto"),
                  diff = colonna("Diff."), toll = colonna("Toll.");
        if (esito < 0 || a < 0 || b < 0)
            continue;
        for (std::size_t r = static_cast<std::size_t>(fisse); r < righe.size(); ++r) {
            const Json& riga = righe[r];
            if (!riga.is_array() || riga.size() <= static_cast<std::size_t>(std::max({esito, a, b})))
                continue;
            const std::optional<bool> in = Esito(riga[esito]);
            if (!in)
                continue;
            EsitoMostrato e{{Testo(riga[a]), Testo(riga[b])}, *in, {}};
            if (diff >= 0 && toll >= 0 && riga.size() > static_cast<std::size_t>(std::max(diff, toll)))
                e.testo = "Diff. " + Testo(riga[diff]) + ", Toll. " + Testo(riga[toll]);
            out.push_back(std::move(e));
        }
    }
}

// The survey object's results: one internal point at a time, its outcome in words.
void OggettoRilievo(const Json& finestra, std::vector<EsitoMostrato>& out) {
    std::vector<const Json*> controlli;
    if (finestra.contains("controlli"))
        Controlli(finestra.at("controlli"), controlli);
    std::string esito, interna, esterna, trenta;
    std::vector<std::string> nomi;
    for (const Json* c : controlli) {
        const int id = c->value("id", 0);
        const std::string testo =
            c->contains("testo") && c->at("testo").is_string() ? Pulito(c->at("testo")) : "";
        if (id == 2302)
            esito = testo;
        else if (id == 2299)
            interna = testo;
        else if (id == 2300)
            esterna = testo;
        else if (id == 2301)
            trenta = testo;
        else if (id == 2352 && c->contains("griglia")) {
            const Json righe = c->at("griglia").value("righe", Json::array());
            for (std::size_t r = 1; r < righe.size() && r <= 4; ++r)
                nomi.push_back(righe[r].is_array() && righe[r].size() > 1 ? Testo(righe[r][1]) : "");
        }
    }
    if ((esito != "In tolleranza" && esito != "Fuori tolleranza") || nomi.size() != 4)
        return;
    out.push_back({nomi, esito == "In tolleranza",
                   "Dist.Interna " + interna + ", Dist.Esterna " + esterna + ", 30% Dist.Int. " + trenta});
}

} // namespace

std::vector<EsitoMostrato> EsitiMostrati(const std::string& strumento, const std::vector<Json>& finestre) {
    std::vector<EsitoMostrato> tutti;
    for (const Json& f : finestre) {
        if (!f.is_object())
            continue;
        if (strumento == "FPregeoTollDistanze")
            Distanze(f, tutti);
        else if (strumento == "FPregeoTollOggRilievoDist" && f.value("id", 0) == 12224)
            OggettoRilievo(f, tutti);
    }
    // A dialog is shown again after every action in it: each outcome once.
    std::vector<EsitoMostrato> out;
    for (EsitoMostrato& e : tutti)
        if (std::none_of(out.begin(), out.end(), [&](const EsitoMostrato& o) { return o.nomi == e.nomi; }))
            out.push_back(std::move(e));
    return out;
}

void DisegnaEsitiMostrati(const std::string& strumento, const std::vector<EsitoMostrato>& esiti,
                          Project& project, cad::Sovrapposizione& sopra) {
    const cad::IndiceCoordinate indice(
        cad::DatiRilievo{&project.cts, &project.cmp, &project.gps, project.nome});
    const auto dove = [&](const std::string& nome) -> std::optional<CPuntoCad> {
        double x = 0, y = 0;
        if (!indice.Cerca(WString::FromUtf8(nome), x, y))
            return std::nullopt;
        return CPuntoCad{x, y, 0};
    };
    bool in = false, fuori = false, lati = false;
    std::vector<std::vector<std::string>> latiDisegnati;
    for (const EsitoMostrato& e : esiti) {
        const cad::Colore colore = e.inTolleranza ? kIn : kFuori;
        const std::string classe = e.inTolleranza ? " in-tolleranza" : " fuori-tolleranza";
        const WString esito = WString::FromUtf8(e.inTolleranza ? "in tolleranza" : "fuori tolleranza");
        if (strumento == "FPregeoTollDistanze" && e.nomi.size() == 2) {
            const auto a = dove(e.nomi[0]), b = dove(e.nomi[1]);
            if (!a || !b)
                continue;
            (e.inTolleranza ? in : fuori) = true;
            sopra.forme.push_back(
                {"distanza" + classe,
                 WString::FromUtf8(e.nomi[0] + " - " + e.nomi[1] + ": " + e.testo + ", ") + esito,
                 {*a, *b},
                 false,
                 {colore, 2.5},
                 {},
                 {}});
        } else if (strumento == "FPregeoTollOggRilievoDist" && e.nomi.size() == 4) {
            const auto esterno = dove(e.nomi[0]), v1 = dove(e.nomi[1]), v2 = dove(e.nomi[2]),
                       interno = dove(e.nomi[3]);
            if (!esterno || !v1 || !v2 || !interno)
                continue;
            (e.inTolleranza ? in : fuori) = true;
            lati = true;
            if (std::find(latiDisegnati.begin(), latiDisegnati.end(), std::vector{e.nomi[1], e.nomi[2]}) ==
                latiDisegnati.end()) {
                latiDisegnati.push_back({e.nomi[1], e.nomi[2]});
                sopra.forme.push_back({"lato",
                                       WString::FromUtf8(e.nomi[1] + " - " + e.nomi[2]),
                                       {*v1, *v2},
                                       false,
                                       {kLato, 3},
                                       {},
                                       {}});
            }
            sopra.anelli.push_back(
                {"esterno" + classe,
                 WString::FromUtf8(e.nomi[0] + " (esterno), con " + e.nomi[3] + ": " + e.testo + ", ") +
                     esito,
                 *esterno,
                 {colore, 2.5},
                 13});
            sopra.anelli.push_back({"interno" + classe,
                                    WString::FromUtf8(e.nomi[3] + " (interno): " + e.testo + ", ") + esito,
                                    *interno,
                                    {colore, 2},
                                    10});
        }
    }
    if (lati)
        sopra.legenda.push_back({u"Lato della maglia", {kLato, 3}, std::nullopt, false});
    const bool anelli = strumento == "FPregeoTollOggRilievoDist";
    if (in)
        sopra.legenda.push_back({u"In tolleranza", {kIn, 2.5}, std::nullopt, anelli});
    if (fuori)
        sopra.legenda.push_back({u"Fuori tolleranza", {kFuori, 2.5}, std::nullopt, anelli});
}

} // namespace host
