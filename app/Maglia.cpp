#include "app/Maglia.h"

#include "host/cad/Figura.h"
#include "host/ui/Driver.h"
#include "tolerance/TollOggRilSup.h"
#include "tolerance/TollStazFuoriTriang.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>
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
const Colore kParteInterna{0.15, 0.55, 0.85, 0.35};
const Colore kParteEsterna{0.95, 0.6, 0.05, 0.5};

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

std::vector<CPuntoCad> Punti(const CPoint3dVector& v) {
    std::vector<CPuntoCad> punti;
    for (int i = 0; i < v.GetSize(); ++i)
        punti.push_back(Cad(v.GetAt(i)));
    return punti;
}

} // namespace

std::vector<std::string> DisegnaSuperfici(const std::vector<CRisSuperficie>& risultati,
                                          cad::Sovrapposizione& sopra) {
    std::vector<std::string> righe;
    std::vector<FormaFigura> contorni; // above every piece
    bool parteIn = false, parteFuori = false, rigaIn = false, rigaFuori = false;
    for (const CRisSuperficie& r : risultati) {
        const std::string nome = r.riga->GetLblNome1().ToUtf8();
        for (const CParteSuperficie& parte : r.parti) {
            (parte.interna ? parteIn : parteFuori) = true;
            Colore bordo = parte.interna ? kParteInterna : kParteEsterna;
            bordo.a = 0.9;
            FormaFigura f{parte.interna ? "parte interna" : "parte esterna",
                          W(nome + (parte.interna ? ": parte interna, " : ": parte esterna, ") +
                            Num(parte.area) + " m²"),
                          Punti(parte.contorno),
                          true,
                          {bordo, 0.8},
                          parte.interna ? kParteInterna : kParteEsterna,
                          {}};
            for (const CPoint3dVector& buco : parte.buchi)
                f.buchi.push_back(Punti(buco));
            sopra.forme.push_back(std::move(f));
        }
        (r.inTolleranza ? rigaIn : rigaFuori) = true;
        std::vector<CPuntoCad> punti;
        std::string vertici;
        const int n = r.riga->GetVrtArSize();
        for (int i = 0; i < n; ++i) {
            const CCtsVrt& v = *r.riga->GetVrtAt(i);
            vertici += (i ? "-" : "") + v.GetNome().ToUtf8();
            if (i + 1 < n) // the last is the first again
                punti.push_back({v.GetCoordX(), v.GetCoordY(), 0});
        }
        const std::string testo = "Sup.Int. " + Num(r.supInterna) + ", Sup.Int.30% " + Num(r.supInterna30) +
                                  ", Sup.Est. " + Num(r.supEsterna) + ", " + Esito(r.inTolleranza);
        contorni.push_back({r.inTolleranza ? "superficie in-tolleranza" : "superficie fuori-tolleranza",
                            W(nome + " (" + vertici + "): " + testo),
                            punti,
                            true,
                            {r.inTolleranza ? kIn : kFuori, 2},
                            {},
                            W(nome + ": Est. " + Num(r.supEsterna) + (r.inTolleranza ? " ≤ " : " > ") +
                              Num(r.supInterna30) + " m²"),
                            // neighbouring rows keep their labels apart
                            static_cast<int>(contorni.size())});
        righe.push_back("  " + ui::Printable(nome) + ": superficie " + ui::Printable(vertici) + ", " + testo);
    }
    sopra.forme.insert(sopra.forme.end(), contorni.begin(), contorni.end());
    if (parteIn)
        sopra.legenda.push_back({u"Parte interna", {kParteInterna, 0.8}, kParteInterna, false});
    if (parteFuori)
        sopra.legenda.push_back({u"Parte esterna", {kParteEsterna, 0.8}, kParteEsterna, false});
    if (rigaIn)
        sopra.legenda.push_back({u"Superficie in toll.", {kIn, 2}, std::nullopt, false});
    if (rigaFuori)
        sopra.legenda.push_back({u"Superficie fuori toll.", {kFuori, 2}, std::nullopt, false});
    return righe;
}

std::map<std::u16string, CPuntoCad> DisegnaMaglia(const CTollStazFuoriTriang& tool,
                                                  cad::Sovrapposizione& sopra) {
    const CPoint3dVector& maglia = tool.GetMaglia();
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
    return vertici;
}

StazioniDisegnate DisegnaStazioni(const CTollStazFuoriTriang& tool,
                                  const std::map<std::u16string, CPuntoCad>& vertici,
                                  cad::Sovrapposizione& sopra) {
    const std::vector<CRisStazione>& risultati = tool.GetRisultati();
    int latiIn = 0, latiFuori = 0;
    StazioniDisegnate esito;
    int& dentro = esito.dentro;
    int& inTolleranza = esito.inTolleranza;
    int& fuoriTolleranza = esito.fuoriTolleranza;
    std::vector<std::string>& righe = esito.righe;
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
    return esito;
}

std::optional<GiudizioMaglia> GiudicaMaglia(Project& project, bool soloMaglia, std::string& why) {
    GiudizioMaglia g;
    const cad::DatiRilievo rilievo{&project.cts, &project.cmp, &project.gps, project.nome};
    // The module decides, as its export does (and before the drawing computes any row 5).
    CTollStazFuoriTriang tool(nullptr, rilievo.cmp, rilievo.cts, rilievo.gps);
    tool.Esegui(false);
    const CPoint3dVector& maglia = tool.GetMaglia();
    if (maglia.GetSize() < 3) {
        why = "Non è stata trovata una maglia fiduciale valida per il calcolo. (punti fiduciali con "
              "coordinate: " +
              std::to_string(tool.GetValidi().GetSize()) + ")";
        return std::nullopt;
    }
    const auto vertici = DisegnaMaglia(tool, g.sopra);
    g.lati = maglia.GetSize() - 1;
    g.interni = tool.GetInterni().GetSize();
    if (soloMaglia)
        return g;
    const StazioniDisegnate stazioni = DisegnaStazioni(tool, vertici, g.sopra);

    // The surface tool on the same data; it computes in memory only the rows 5 still without a place.
    CTollOggRilSup superfici(nullptr, rilievo.cmp, rilievo.cts, rilievo.gps);
    superfici.Esegui(false);
    const std::vector<std::string> righeSuperfici = DisegnaSuperfici(superfici.GetRisultati(), g.sopra);

    std::ostringstream out;
    out << "Stazioni esaminate: " << tool.GetEsaminate().size()
        << ", interne alla maglia: " << stazioni.dentro
        << ", esterne in tolleranza: " << stazioni.inTolleranza
        << ", esterne fuori tolleranza: " << stazioni.fuoriTolleranza << "\n";
    for (const std::string& r : stazioni.righe)
        out << r << "\n";
    const auto fuori = std::count_if(superfici.GetRisultati().begin(), superfici.GetRisultati().end(),
                                     [](const CRisSuperficie& r) { return !r.inTolleranza; });
    out << "Superfici esaminate: " << superfici.GetRisultati().size()
        << ", in tolleranza: " << superfici.GetRisultati().size() - static_cast<std::size_t>(fuori)
        << ", fuori tolleranza: " << fuori << "\n";
    for (const std::string& r : righeSuperfici)
        out << r << "\n";
    g.sommario = out.str();
    return g;
}

int StampaMaglia(Project& project, const std::filesystem::path& file, std::ostream& out, std::ostream& err) {
    std::string why;
    const std::optional<GiudizioMaglia> g = GiudicaMaglia(project, false, why);
    if (!g) {
        err << "pregeo-host: " << why << "\n";
        return 1;
    }
    const cad::DatiRilievo rilievo{&project.cts, &project.cmp, &project.gps, project.nome};
    const cad::Sovrapposizione& sopra = g->sopra;
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
    out << "Maglia: " << ui::Printable(file.string()) << " (" << g->lati << " lati, " << g->interni
        << " punti fiduciali interni)\n"
        << g->sommario;
    return 0;
}

} // namespace host
