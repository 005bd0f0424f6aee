#include "host/app/Maglia.h"

#include "host/cad/Figura.h"
#include "host/ui/Driver.h"
#include "tolerance/TollStazFuoriTriang.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

namespace host {

namespace {

using cad::AnelloFigura;
using cad::Colore;
using cad::FormaFigura;
using cad::Tratto;

const Colore kMaglia{0.1, 0.35, 0.75};
const Colore kVelo{0.1, 0.35, 0.75, 0.07}; // the mesh's inside
const Colore kInterno{0.45, 0.45, 0.45};
const Colore kIn{0, 0.6, 0.2};
const Colore kFuori{0.85, 0.05, 0.05};

std::string Num(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    return buf;
}

CPuntoCad Cad(const CPoint3d& p) {
    return {p.x, p.y, 0};
}

// Where the station's distance meets the side: the foot of the perpendicular, or the nearer end when the
// foot falls beyond it (a station beyond a corner).
CPuntoCad PiuVicino(const CPuntoCad& s, const CPuntoCad& a, const CPuntoCad& b) {
    const double dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
    const double t = l2 > 0 ? std::clamp(((s.x - a.x) * dx + (s.y - a.y) * dy) / l2, 0.0, 1.0) : 0;
    return {a.x + t * dx, a.y + t * dy, 0};
}

WString W(const std::string& utf8) {
    return WString::FromUtf8(utf8);
}

std::string Esito(bool in) {
    return in ? "in tolleranza" : "fuori tolleranza";
}

} // namespace

int StampaMaglia(Project& project, const std::filesystem::path& file, std::ostream& out, std::ostream& err) {
    const cad::DatiRilievo rilievo{&project.cts, &project.cmp, &project.gps, project.nome};
    // The module decides, as its export does (and before the drawing computes any row 5).
    CTollStazFuoriTriang tool(nullptr, rilievo.cmp, rilievo.cts, rilievo.gps);
    tool.Esegui(false);
    const CPoint3dVector& maglia = tool.GetMaglia();
    if (maglia.GetSize() < 3) {
        const std::string messaggio = "Non è stata trovata una maglia fiduciale valida per il calcolo.";
        err << "pregeo-host: " << messaggio
            << " (punti fiduciali con coordinate: " << tool.GetValidi().GetSize() << ")\n";
        return 1;
    }

    cad::Sovrapposizione sopra;
    FormaFigura poligono{"maglia", W("Maglia fiduciale"), {}, true, {kMaglia, 2}, kVelo, {}};
    std::map<std::u16string, CPuntoCad> vertici;
    const int lati = maglia.GetSize() - 1;
    for (int i = 0; i < lati; ++i) {
        const CPoint3d& p = maglia.GetAt(i);
        poligono.punti.push_back(Cad(p));
        vertici[std::u16string(p.nome.view())] = Cad(p);
        poligono.titolo += (i ? u" - " : u": ") + p.nome;
        sopra.anelli.push_back({"vertice-maglia", p.nome, Cad(p), {kMaglia, 1.5}, 9});
    }
    sopra.forme.push_back(poligono);
    sopra.legenda.push_back({u"Maglia fiduciale", {kMaglia, 2}, kVelo, false});
    sopra.legenda.push_back({u"Vertice maglia", {kMaglia, 1.5}, std::nullopt, true});
    const CPoint3dVector& interni = tool.GetInterni();
    for (int i = 0; i < interni.GetSize(); ++i)
        sopra.anelli.push_back({"pf-interno",
                                interni.GetAt(i).nome + u" (interno alla maglia)",
                                Cad(interni.GetAt(i)),
                                {kInterno, 1.5, true},
                                9});
    if (interni.GetSize() > 0)
        sopra.legenda.push_back({u"PF interno", {kInterno, 1.5, true}, std::nullopt, true});

    const std::vector<CRisStazione>& risultati = tool.GetRisultati();
    int dentro = 0, inTolleranza = 0, fuoriTolleranza = 0, latiIn = 0, latiFuori = 0;
    std::vector<std::string> righe;
    for (const CStazioneEsaminata& s : tool.GetEsaminate()) {
        const CPuntoCad centro{s.x, s.y, 0};
        if (s.numRisultati == 0) {
            ++dentro;
            sopra.anelli.push_back(
                {"stazione interna", s.nome + u" (interna alla maglia)", centro, {kInterno, 1.2}, 12});
            continue;
        }
        bool tutti = true;
        WString titolo = s.nome;
        for (int k = s.primoRisultato; k < s.primoRisultato + s.numRisultati; ++k) {
            const CRisStazione& r = risultati[static_cast<std::size_t>(k)];
            tutti = tutti && r.inTolleranza;
            ++(r.inTolleranza ? latiIn : latiFuori);
            const Colore c = r.inTolleranza ? kIn : kFuori;
            const std::string classe = r.inTolleranza ? " in-tolleranza" : " fuori-tolleranza";
            const std::string lato = r.verticeA.ToUtf8() + "-" + r.verticeB.ToUtf8();
            const std::string testo = "Dist.Est. " + Num(r.distanzaEsterna) + ", Lung.Lato PF " +
                                      Num(r.lunghezzaLato) + ", Lato PF 30% " + Num(r.lato30) + ", " +
                                      Esito(r.inTolleranza);
            const CPuntoCad a = vertici.at(std::u16string(r.verticeA.view()));
            const CPuntoCad b = vertici.at(std::u16string(r.verticeB.view()));
            Colore velato = c;
            velato.a = 0.55;
            sopra.forme.push_back(
                {"lato" + classe, W(lato + ": " + testo), {a, b}, false, {velato, 5}, {}, {}});
            sopra.forme.push_back(
                {"distanza" + classe,
                 s.nome + W(" da " + lato + ": " + testo),
                 {centro, PiuVicino(centro, a, b)},
                 false,
                 {c, 1.5, true},
                 {},
                 W(Num(r.distanzaEsterna) + (r.inTolleranza ? " ≤ " : " > ") + Num(r.lato30)),
                 k - s.primoRisultato});
            titolo += W("\n" + lato + ": " + testo);
            righe.push_back("  " + ui::Printable(s.nome.ToUtf8()) + ": lato " + ui::Printable(lato) + ", " +
                            testo);
        }
        // A station beyond a corner is judged against two sides; one out of tolerance puts it out.
        ++(tutti ? inTolleranza : fuoriTolleranza);
        sopra.anelli.push_back({std::string("stazione") + (tutti ? " in-tolleranza" : " fuori-tolleranza"),
                                titolo,
                                centro,
                                {tutti ? kIn : kFuori, 2.5},
                                13});
    }
    if (dentro > 0)
        sopra.legenda.push_back({u"Stazione interna", {kInterno, 1.2}, std::nullopt, true});
    if (inTolleranza > 0)
        sopra.legenda.push_back({u"Stazione in toll.", {kIn, 2.5}, std::nullopt, true});
    if (fuoriTolleranza > 0)
        sopra.legenda.push_back({u"Stazione fuori toll.", {kFuori, 2.5}, std::nullopt, true});
    if (latiIn > 0)
        sopra.legenda.push_back({u"Lato in tolleranza", {kIn, 2}, std::nullopt, false});
    if (latiFuori > 0)
        sopra.legenda.push_back({u"Lato fuori toll.", {kFuori, 2}, std::nullopt, false});

    CGcadEng eng;
    cad::DisegnoRilievo disegno = cad::DisegnaRilievo(eng, rilievo);
    disegno.titolo += disegno.titolo.empty() ? "Maglia fiduciale" : " - maglia fiduciale";
    cad::OpzioniFigura opzioni;
    // The mesh and the stations examined fill the picture; the rest of the survey is cut at its edges.
    opzioni.finestra = cad::EstensioneDi(sopra);
    opzioni.sopra = &sopra;
    std::string error;
    if (!cad::ScriviFigura(eng, disegno, opzioni, file, error)) {
        err << "pregeo-host: " << ui::Printable(error) << "\n";
        return 1;
    }
    out << "Maglia: " << ui::Printable(file.string()) << " (" << lati << " lati, " << interni.GetSize()
        << " punti fiduciali interni)\n";
    out << "Stazioni esaminate: " << tool.GetEsaminate().size() << ", interne alla maglia: " << dentro
        << ", esterne in tolleranza: " << inTolleranza << ", esterne fuori tolleranza: " << fuoriTolleranza
        << "\n";
    for (const std::string& r : righe)
        out << r << "\n";
    return 0;
}

} // namespace host
