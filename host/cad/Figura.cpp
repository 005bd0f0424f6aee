// Pictures of the drawing. One scene, drawn through a painter: the SVG painter writes the XML itself so
// that names stay text (cairo's SVG writes glyph outlines), the PNG painter draws with cairo, loaded with
// its part (libpregeo-figure.so) only when a PNG is asked for.
#include "host/cad/Figura.h"

#include "host/core/Limits.h"
#include "host/core/Parti.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <numbers>
#include <optional>
#include <set>
#include <sstream>

namespace host::cad {

namespace {

using P = parti::Punto;

// What lies beyond any survey's reach is left out of a picture (undefined coordinates too).
bool Usabile(const CPuntoCad& q) {
    return IsUsableCoordinate(q.x) && IsUsableCoordinate(q.y);
}

bool Usabili(const std::vector<CPuntoCad>& punti) {
    return std::all_of(punti.begin(), punti.end(), Usabile);
}

bool Usabili(const FormaFigura& f) {
    return Usabili(f.punti) && std::all_of(f.buchi.begin(), f.buchi.end(),
                                           [](const std::vector<CPuntoCad>& b) { return Usabili(b); });
}

using Carattere = parti::Carattere;

class Pittore {
public:
    virtual ~Pittore() = default;
    virtual void Inizia(int w, int h) = 0;
    virtual void ApriGruppo(const std::string&, const std::string&, const WString&) {}
    virtual void ChiudiGruppo() {}
    // What is drawn until FineRitaglio shows only inside the rectangle.
    virtual void Ritaglia(double x, double y, double w, double h) = 0;
    virtual void FineRitaglio() = 0;
    virtual void Spezzata(const std::vector<P>& punti, bool chiusa, const Tratto* tratto,
                          const Colore* fondo) = 0;
    // A polygon with holes: the first ring its outline, the others the holes (filled even-odd).
    virtual void Poligono(const std::vector<std::vector<P>>& anelli, const Tratto* tratto,
                          const Colore* fondo) = 0;
    virtual void Cerchio(P c, double r, const Tratto* tratto, const Colore* fondo) = 0;
    virtual void Testo(P at, const WString& testo, const Carattere& c) = 0;
    virtual bool Fine(const std::filesystem::path& file, std::string& error) = 0;
};

// ---------------------------------------------------------------------------------------------------
// SVG

// As "%.2f" writes it; a picture of a large survey writes hundreds of thousands.
std::string Num(double v) {
    char buf[400];
    const auto [end, error] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
    if (error != std::errc()) {
        std::snprintf(buf, sizeof buf, "%.2f", v);
        return buf;
    }
    return std::string(buf, end);
}

std::string Rgb(const Colore& c) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", static_cast<int>(std::lround(c.r * 255)),
                  static_cast<int>(std::lround(c.g * 255)), static_cast<int>(std::lround(c.b * 255)));
    return buf;
}

class PittoreSvg : public Pittore {
public:
    void Inizia(int w, int h) override {
        m_Out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << w << "\" height=\"" << h
              << "\" viewBox=\"0 0 " << w << " " << h << "\">\n"
              << "<rect width=\"" << w << "\" height=\"" << h << "\" fill=\"#ffffff\"/>\n";
    }
    void ApriGruppo(const std::string& id, const std::string& classe, const WString& titolo) override {
        m_Out << "<g id=\"" << id << "\" class=\"" << classe << "\">";
        if (!titolo.IsEmpty())
            m_Out << "<title>" << TestoXml(titolo) << "</title>";
        m_Out << "\n";
    }
    void ChiudiGruppo() override { m_Out << "</g>\n"; }
    void Ritaglia(double x, double y, double w, double h) override {
        m_Out << "<defs><clipPath id=\"area\"><rect x=\"" << Num(x) << "\" y=\"" << Num(y) << "\" width=\""
              << Num(w) << "\" height=\"" << Num(h)
              << "\"/></clipPath></defs>\n<g clip-path=\"url(#area)\">\n";
    }
    void FineRitaglio() override { m_Out << "</g>\n"; }
    void Spezzata(const std::vector<P>& punti, bool chiusa, const Tratto* tratto,
                  const Colore* fondo) override {
        m_Out << (chiusa ? "<polygon" : "<polyline") << " points=\"";
        for (std::size_t i = 0; i < punti.size(); ++i)
            m_Out << (i ? " " : "") << Num(punti[i].x) << "," << Num(punti[i].y);
        m_Out << "\"" << Stile(tratto, fondo) << "/>\n";
    }
    void Poligono(const std::vector<std::vector<P>>& anelli, const Tratto* tratto,
                  const Colore* fondo) override {
        m_Out << "<path d=\"";
        for (std::size_t a = 0; a < anelli.size(); ++a)
            for (std::size_t i = 0; i < anelli[a].size(); ++i)
                m_Out << (a || i ? " " : "") << (i ? "L" : "M") << Num(anelli[a][i].x) << ","
                      << Num(anelli[a][i].y) << (i + 1 == anelli[a].size() ? " Z" : "");
        m_Out << "\" fill-rule=\"evenodd\"" << Stile(tratto, fondo) << "/>\n";
    }
    void Cerchio(P c, double r, const Tratto* tratto, const Colore* fondo) override {
        m_Out << "<circle cx=\"" << Num(c.x) << "\" cy=\"" << Num(c.y) << "\" r=\"" << Num(r) << "\""
              << Stile(tratto, fondo) << "/>\n";
    }
    void Testo(P at, const WString& testo, const Carattere& c) override {
        m_Out << "<text x=\"" << Num(at.x) << "\" y=\"" << Num(at.y)
              << "\" font-family=\"DejaVu Sans, sans-serif\""
              << " font-size=\"" << Num(c.corpo) << "\" fill=\"" << Rgb(c.colore) << "\"";
        if (c.grassetto)
            m_Out << " font-weight=\"bold\"";
        if (c.corsivo)
            m_Out << " font-style=\"italic\"";
        if (c.centrato)
            m_Out << " text-anchor=\"middle\"";
        m_Out << ">" << TestoXml(testo) << "</text>\n";
    }
    std::string Testo() {
        m_Out << "</svg>\n";
        return m_Out.str();
    }
    bool Fine(const std::filesystem::path& file, std::string& error) override {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        const std::string text = Testo();
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            error = "cannot write " + file.string();
            return false;
        }
        return true;
    }

private:
    static std::string Stile(const Tratto* tratto, const Colore* fondo) {
        std::string s = " fill=\"" + (fondo ? Rgb(*fondo) : std::string("none")) + "\"";
        if (fondo && fondo->a < 1)
            s += " fill-opacity=\"" + Num(fondo->a) + "\"";
        if (!tratto)
            return s + " stroke=\"none\"";
        s += " stroke=\"" + Rgb(tratto->colore) + "\" stroke-width=\"" + Num(tratto->spessore) + "\"";
        if (tratto->colore.a < 1)
            s += " stroke-opacity=\"" + Num(tratto->colore.a) + "\"";
        if (tratto->tratteggio)
            s += " stroke-dasharray=\"4,3\"";
        return s;
    }

    std::ostringstream m_Out;
};

// ---------------------------------------------------------------------------------------------------
// PNG

class PittorePng : public Pittore {
public:
    PittorePng() {
        if (auto* crea = FunzioneDi<parti::CreaTela>("figure", "PregeoFigureTela", m_Motivo))
            m_Tela.reset(crea());
    }
    // Whether cairo is there to draw; the reason, in Italian, when it is not.
    bool Pronto(std::string& motivo) const {
        motivo = m_Motivo;
        return m_Tela != nullptr;
    }
    void Inizia(int w, int h) override { m_Tela->Inizia(w, h); }
    void Ritaglia(double x, double y, double w, double h) override { m_Tela->Ritaglia(x, y, w, h); }
    void FineRitaglio() override { m_Tela->FineRitaglio(); }
    void Spezzata(const std::vector<P>& punti, bool chiusa, const Tratto* tratto,
                  const Colore* fondo) override {
        m_Tela->Spezzata(punti, chiusa, tratto, fondo);
    }
    void Poligono(const std::vector<std::vector<P>>& anelli, const Tratto* tratto,
                  const Colore* fondo) override {
        m_Tela->Poligono(anelli, tratto, fondo);
    }
    void Cerchio(P c, double r, const Tratto* tratto, const Colore* fondo) override {
        m_Tela->Cerchio(c, r, tratto, fondo);
    }
    void Testo(P at, const WString& testo, const Carattere& c) override {
        m_Tela->Testo(at, testo.ToUtf8(), c);
    }
    bool Fine(const std::filesystem::path& file, std::string& error) override {
        return m_Tela->Fine(file.string(), error);
    }

private:
    std::unique_ptr<parti::TelaPng> m_Tela;
    std::string m_Motivo;
};

// ---------------------------------------------------------------------------------------------------
// The scene

constexpr int kLarghezza = 1000;
constexpr double kMargine = 40;
constexpr double kDestra = 170; // names run to the right of their points; the legend stands there
constexpr double kTitolo = 30;

constexpr double kCorpoNome = 11;
constexpr double kCorpoRiga = 13;
constexpr double kCorpoSopra = 10;

const Colore kRosso{0.85, 0.05, 0.05};
const Colore kBianco{1, 1, 1};

class Scena {
public:
    Scena(const CGcadEng& eng, const DisegnoRilievo& disegno, const OpzioniFigura& opzioni)
        : m_Eng(eng), m_Disegno(disegno), m_Opz(opzioni) {
        const Finestra& f = opzioni.finestra;
        const double dx = std::max(f.xMax - f.xMin, 1e-6), dy = std::max(f.yMax - f.yMin, 1e-6);
        m_W = kLarghezza;
        const double largo = m_W - kMargine - kDestra;
        const double alto = largo * dy / dx + 2 * kMargine + kTitolo;
        m_H = static_cast<int>(std::clamp(alto, 400.0, 1400.0));
        m_Scala = std::min(largo / dx, (m_H - 2 * kMargine - kTitolo) / dy);
        m_Ox = kMargine + largo / 2 - (f.xMin + f.xMax) / 2 * m_Scala;
        m_Oy = (m_H + kTitolo) / 2.0 + (f.yMin + f.yMax) / 2 * m_Scala;
    }

    void Disegna(Pittore& p) {
        p.Inizia(m_W, m_H);
        std::vector<int> ents;
        CGcadEntIterator it(&m_Eng, 1);
        for (int e = it.First(); e != 0; e = it.Next())
            ents.push_back(e);
        PosaLeEtichette(ents);
        // Bottom to top: rows 7, lines, labels of rows, points; below the title.
        p.Ritaglia(0, kTitolo + 4, m_W, m_H - kTitolo - 4);
        for (int e : ents)
            if (m_Eng.GetTipoEnt(e) == TipoEntCad::Polilinea)
                Poligono(p, e);
        for (int e : ents)
            if (m_Eng.GetTipoEnt(e) == TipoEntCad::Linea)
                Linea(p, e);
        if (m_Opz.sopra)
            Sopra(p, *m_Opz.sopra);
        for (int e : ents)
            if (m_Eng.GetTipoEnt(e) == TipoEntCad::Testo)
                Etichetta(p, e);
        for (int e : ents)
            if (m_Eng.IsInsert(e))
                Punto(p, e);
        if (m_Opz.sopra)
            EtichetteSopra(p, *m_Opz.sopra);
        p.FineRitaglio();
        Cornice(p);
    }

private:
    P Schermo(const CPuntoCad& q) const { return {m_Ox + q.x * m_Scala, m_Oy - q.y * m_Scala}; }
    bool Dentro(const CPuntoCad& q) const {
        const Finestra& f = m_Opz.finestra;
        const double tol = (f.xMax - f.xMin) * 1e-9;
        return q.x >= f.xMin - tol && q.x <= f.xMax + tol && q.y >= f.yMin - tol && q.y <= f.yMax + tol;
    }
    bool DelModulo(int e) const { return e > m_Disegno.marca; }
    // Where a point is drawn: its place, or with aiMargini, for one beyond the window, the edge of the
    // drawing area on the way from its middle to the point. Nothing when it is not drawn.
    std::optional<P> PostoPunto(const CPuntoCad& q, bool& fuori) const {
        fuori = false;
        if (Dentro(q))
            return Schermo(q);
        if (!m_Opz.aiMargini || !Usabile(q))
            return std::nullopt;
        const double bordo = 22;
        const P centro{(kMargine + m_W - kDestra) / 2, (kTitolo + 4 + m_H) / 2.0};
        const double mx = (m_W - kDestra - kMargine) / 2 + kMargine / 2 - bordo;
        const double my = (m_H - kTitolo - 4) / 2.0 - bordo - 12; // clear of the scale bar
        const P s = Schermo(q);
        const double dx = s.x - centro.x, dy = s.y - centro.y;
        const double t = std::min(dx != 0 ? mx / std::abs(dx) : 1e300, dy != 0 ? my / std::abs(dy) : 1e300);
        if (!(t < 1))
            return s;
        fuori = true;
        return P{centro.x + dx * t, centro.y + dy * t};
    }
    // The arrow beside a point drawn at the edge, pointing where it really is.
    void Freccia(Pittore& p, P c, const CPuntoCad& q) {
        const P s = Schermo(q);
        const double dx = s.x - c.x, dy = s.y - c.y, l = std::hypot(dx, dy);
        if (l <= 0)
            return;
        const double ux = dx / l, uy = dy / l;
        const P punta{c.x + ux * 19, c.y + uy * 19}, base{c.x + ux * 11, c.y + uy * 11};
        const Colore grigio{0.35, 0.35, 0.35};
        p.Spezzata(
            {{punta.x, punta.y}, {base.x - uy * 4, base.y + ux * 4}, {base.x + uy * 4, base.y - ux * 4}},
            true, nullptr, &grigio);
    }
    bool Scelta(int e) const { return m_Eng.IsSelectThisEnt(e); }
    std::vector<P> Punti(int e) const {
        std::vector<P> out;
        for (const CPuntoCad& q : m_Eng.GetPuntiEnt(e))
            out.push_back(Schermo(q));
        return out;
    }

    void Poligono(Pittore& p, int e) {
        if (!Usabili(m_Eng.GetPuntiEnt(e)))
            return;
        const Riga7Disegnata* r = RigaDi(m_Disegno, m_Eng, e);
        const bool chiusa = m_Eng.IsPolilineaChiusa(e), scelta = Scelta(e);
        Tratto t{r ? Colore{0.55, 0.35, 0.1} : Colore{0.8, 0.1, 0.6}, 1.3};
        Colore fondo = scelta ? Colore{1, 0.45, 0.1, 0.35} : Colore{1, 0.8, 0.2, 0.2};
        if (scelta)
            t = {kRosso, 2.5};
        const WString titolo =
            r ? WString::FromUtf8("Riga 7 n. " + std::to_string(r->numero) + " ") + r->riga->GetLblNome1()
              : WString();
        p.ApriGruppo("e" + std::to_string(e),
                     std::string(r ? "riga7" : "polilinea") + (scelta ? " scelta" : ""), titolo);
        p.Spezzata(Punti(e), chiusa, &t, chiusa ? &fondo : nullptr);
        p.ChiudiGruppo();
    }

    void Linea(Pittore& p, int e) {
        if (!Usabili(m_Eng.GetPuntiEnt(e)))
            return;
        Tratto t;
        std::string classe;
        const int tipo = m_Eng.GetUserTypeOfEnt(e);
        if (DelModulo(e)) {
            // What the module drew: its feedback lines and the side it found.
            t = m_Eng.GetDisegnoEnt(e) == DISEGNO_TEMPORANEO ? Tratto{{0.75, 0, 0.75}, 2.2}
                                                             : Tratto{{1, 0.5, 0}, 3};
            classe = "linea-modulo";
        } else if (tipo == UT_BASE_GPS) {
            t = {{0.2, 0.6, 0.3, 0.8}, 0.8, true};
            classe = "base-gps";
        } else {
            t = {{0.55, 0.55, 0.6, 0.7}, 0.6, tipo == UT_OSSERVAZIONE};
            classe = "osservazione";
        }
        if (Scelta(e)) {
            t.colore = kRosso;
            classe += " scelta";
        }
        p.ApriGruppo("e" + std::to_string(e), classe, WString());
        p.Spezzata(Punti(e), false, &t, nullptr);
        p.ChiudiGruppo();
    }

    void Sopra(Pittore& p, const Sovrapposizione& sopra) {
        int n = 0;
        for (const FormaFigura& f : sopra.forme) {
            if (!Usabili(f))
                continue;
            std::vector<P> punti;
            for (const CPuntoCad& q : f.punti)
                punti.push_back(Schermo(q));
            p.ApriGruppo("f" + std::to_string(n++), f.classe, f.titolo);
            if (f.chiusa && !f.buchi.empty()) {
                std::vector<std::vector<P>> anelli{punti};
                for (const std::vector<CPuntoCad>& buco : f.buchi) {
                    anelli.emplace_back();
                    for (const CPuntoCad& q : buco)
                        anelli.back().push_back(Schermo(q));
                }
                p.Poligono(anelli, &f.tratto, f.fondo ? &*f.fondo : nullptr);
            } else {
                p.Spezzata(punti, f.chiusa, &f.tratto, f.chiusa && f.fondo ? &*f.fondo : nullptr);
            }
            p.ChiudiGruppo();
        }
        n = 0;
        for (const AnelloFigura& a : sopra.anelli) {
            if (!Usabile(a.centro))
                continue;
            p.ApriGruppo("a" + std::to_string(n++), a.classe, a.titolo);
            p.Cerchio(Schermo(a.centro), a.raggio, &a.tratto, nullptr);
            p.ChiudiGruppo();
        }
    }

    // Where each label goes, or that it is left out: the selection's names first, then the findings laid
    // over the survey, the rows' labels, and the other points' names. No label covers another.
    void PosaLeEtichette(const std::vector<int>& ents) {
        PosaEtichette posa;
        // The frame's room first: north arrow, scale bar, legend (its entries counted as Cornice draws them).
        std::set<int> tipi;
        for (int e : ents) {
            bool fuori = false;
            if (m_Eng.IsInsert(e) && PostoPunto(m_Eng.GetPuntiEnt(e).front(), fuori))
                tipi.insert(m_Eng.GetUserTypeOfEnt(e) & (0xF | UT_FIDUCIALE));
        }
        std::size_t voci = 0;
        for (const int t : {UT_PUNTO_ORIENTAMENTO | UT_FIDUCIALE, UT_PUNTO_ORIENTAMENTO, UT_STAZIONE,
                            UT_PUNTO_RILEVATO, UT_PUNTO_RIGA5, UT_GRUPPO_GPS, UT_PUNTO_GPS})
            voci += tipi.contains(t) ? 1 : 0;
        if (m_Opz.sopra)
            voci += m_Opz.sopra->legenda.size();
        const double w = m_W, h = m_H, basso = h - kMargine / 2;
        posa.Posa({{m_W - kDestra + 18, basso - 16.0 * static_cast<double>(voci) - 6, w, h}});
        posa.Posa({{m_W - kMargine / 2 - 20, kTitolo + 8, w, kTitolo + 50}});
        if (m_Opz.scala)
            posa.Posa({{0, basso - 14, kMargine / 2 + (m_W - kMargine - kDestra) / 5 + 70, h}});
        const auto posaPunto = [&](int e) {
            bool fuori = false;
            const std::optional<P> posto = PostoPunto(m_Eng.GetPuntiEnt(e).front(), fuori);
            if (!posto)
                return;
            const P c = *posto;
            if (fuori) { // the arrow's room
                const P s = Schermo(m_Eng.GetPuntiEnt(e).front());
                const double l = std::hypot(s.x - c.x, s.y - c.y);
                const P f{c.x + (s.x - c.x) / l * 15, c.y + (s.y - c.y) / l * 15};
                posa.Posa({{f.x - 5, f.y - 5, f.x + 5, f.y + 5}});
            }
            const WString nome = NomeInsert(m_Eng, e);
            const bool g = Scelta(e);
            const double w = RiquadroTesto(0, 0, nome, kCorpoNome, g, false).x1;
            // Right above, right below, left above, left below, above, below.
            const std::vector<P> basi{{c.x + 8, c.y - 7},      {c.x + 8, c.y + 15},
                                      {c.x - 8 - w, c.y - 7},  {c.x - 8 - w, c.y + 15},
                                      {c.x - w / 2, c.y - 11}, {c.x - w / 2, c.y + 21}};
            std::vector<Riquadro> posti;
            for (const P& b : basi)
                posti.push_back(RiquadroTesto(b.x, b.y, nome, kCorpoNome, g, false));
            const int i = posa.Posa(posti);
            if (i >= 0)
                m_Posti[e] = basi[static_cast<std::size_t>(i)];
        };
        for (int e : ents)
            if (m_Eng.IsInsert(e) && Scelta(e))
                posaPunto(e);
        if (m_Opz.sopra) {
            const auto& forme = m_Opz.sopra->forme;
            m_PostiSopra.assign(forme.size(), std::nullopt);
            for (std::size_t n = 0; n < forme.size(); ++n) {
                const FormaFigura& f = forme[n];
                if (f.etichetta.IsEmpty() || f.punti.empty() || !Usabili(f))
                    continue;
                CPuntoCad m{0, 0, 0};
                for (const CPuntoCad& q : f.punti) {
                    m.x += q.x / static_cast<double>(f.punti.size());
                    m.y += q.y / static_cast<double>(f.punti.size());
                }
                const P at = Schermo(m);
                std::vector<P> basi;
                for (int k : {0, 1, -1, 2, -2, 3, -3})
                    basi.push_back({at.x + 4, at.y + 12 * (f.rigaEtichetta + k)});
                std::vector<Riquadro> posti;
                for (const P& b : basi)
                    posti.push_back(RiquadroTesto(b.x, b.y, f.etichetta, kCorpoSopra, true, false));
                const int i = posa.Posa(posti);
                if (i >= 0)
                    m_PostiSopra[n] = basi[static_cast<std::size_t>(i)];
            }
        }
        for (int e : ents)
            if (m_Eng.GetTipoEnt(e) == TipoEntCad::Testo) {
                const CPuntoCad q = m_Eng.GetPuntiEnt(e).front();
                if (!Dentro(q))
                    continue;
                const P at = Schermo(q);
                const WString testo = m_Eng.GetTestoEnt(e);
                const std::vector<P> basi{at, {at.x, at.y - 14}, {at.x, at.y + 14}};
                std::vector<Riquadro> posti;
                for (const P& b : basi)
                    posti.push_back(RiquadroTesto(b.x, b.y, testo, kCorpoRiga, false, true));
                const int i = posa.Posa(posti);
                if (i >= 0)
                    m_Posti[e] = basi[static_cast<std::size_t>(i)];
            }
        for (int e : ents)
            if (m_Eng.IsInsert(e) && !Scelta(e))
                posaPunto(e);
    }

    void EtichetteSopra(Pittore& p, const Sovrapposizione& sopra) {
        for (std::size_t n = 0; n < sopra.forme.size() && n < m_PostiSopra.size(); ++n) {
            if (!m_PostiSopra[n])
                continue;
            const FormaFigura& f = sopra.forme[n];
            Carattere c;
            c.corpo = kCorpoSopra;
            c.grassetto = true;
            c.colore = f.tratto.colore;
            c.colore.a = 1;
            p.ApriGruppo("f" + std::to_string(n) + "t", "etichetta-sopra", WString());
            p.Testo(*m_PostiSopra[n], f.etichetta, c);
            p.ChiudiGruppo();
        }
    }

    void Etichetta(Pittore& p, int e) {
        const auto posto = m_Posti.find(e);
        if (posto == m_Posti.end())
            return;
        Carattere c;
        c.corpo = kCorpoRiga;
        c.corsivo = true;
        c.centrato = true;
        c.colore = Scelta(e) ? kRosso : Colore{0.45, 0.28, 0.05};
        p.ApriGruppo("e" + std::to_string(e), "etichetta", WString());
        p.Testo(posto->second, m_Eng.GetTestoEnt(e), c);
        p.ChiudiGruppo();
    }

    void Simbolo(Pittore& p, P c, int tipo) {
        const Tratto sottile{{0.1, 0.1, 0.1}, 1};
        switch (tipo & 0xF) {
        case UT_STAZIONE: {
            const Tratto t{{0.1, 0.3, 0.8}, 1.6};
            p.Spezzata({{c.x, c.y - 7}, {c.x + 6.5, c.y + 4.5}, {c.x - 6.5, c.y + 4.5}}, true, &t, &kBianco);
            p.Cerchio(c, 1.2, nullptr, &t.colore);
            break;
        }
        case UT_PUNTO_RILEVATO:
            p.Cerchio(c, 2.6, nullptr, &sottile.colore);
            break;
        case UT_PUNTO_RIGA5: {
            const Tratto t{{0.7, 0.35, 0}, 1.5};
            p.Cerchio(c, 3.5, &t, &kBianco);
            break;
        }
        case UT_PUNTO_GPS: {
            const Tratto t{{0, 0.5, 0.25}, 1.5};
            p.Spezzata({{c.x - 4, c.y - 4}, {c.x + 4, c.y - 4}, {c.x + 4, c.y + 4}, {c.x - 4, c.y + 4}}, true,
                       &t, &kBianco);
            break;
        }
        case UT_GRUPPO_GPS: {
            const Colore verde{0, 0.5, 0.25};
            p.Spezzata({{c.x, c.y - 6}, {c.x + 6, c.y}, {c.x, c.y + 6}, {c.x - 6, c.y}}, true, nullptr,
                       &verde);
            break;
        }
        case UT_PUNTO_ORIENTAMENTO:
            if (tipo & UT_FIDUCIALE) {
                const Tratto t{{0.75, 0, 0}, 1.6};
                p.Cerchio(c, 5.5, &t, &kBianco);
                p.Spezzata({{c.x - 8, c.y}, {c.x + 8, c.y}}, false, &t, nullptr);
                p.Spezzata({{c.x, c.y - 8}, {c.x, c.y + 8}}, false, &t, nullptr);
            } else {
                const Tratto t{{0.5, 0.1, 0.6}, 1.6};
                p.Cerchio(c, 4.5, &t, &kBianco);
            }
            break;
        default:
            p.Spezzata({{c.x - 4, c.y - 4}, {c.x + 4, c.y + 4}}, false, &sottile, nullptr);
            p.Spezzata({{c.x - 4, c.y + 4}, {c.x + 4, c.y - 4}}, false, &sottile, nullptr);
        }
    }

    void Punto(Pittore& p, int e) {
        const CPuntoCad q = m_Eng.GetPuntiEnt(e).front();
        bool fuori = false;
        const std::optional<P> posto = PostoPunto(q, fuori);
        if (!posto)
            return;
        const P c = *posto;
        const int tipo = m_Eng.GetUserTypeOfEnt(e);
        const bool scelta = Scelta(e);
        const WString nome = NomeInsert(m_Eng, e);
        p.ApriGruppo("e" + std::to_string(e),
                     std::string("punto") + (scelta ? " scelto" : "") + (fuori ? " fuori-scala" : ""),
                     fuori ? nome + u" (fuori scala, nella direzione della freccia)" : nome);
        if (fuori)
            Freccia(p, c, q);
        if (scelta) {
            const Tratto anello{kRosso, 2};
            const Colore alone{1, 0, 0, 0.15};
            p.Cerchio(c, 11, &anello, &alone);
        }
        Simbolo(p, c, tipo);
        // A name with no room of its own stays in the point's title.
        if (const auto posto = m_Posti.find(e); posto != m_Posti.end()) {
            Carattere car;
            car.corpo = kCorpoNome;
            car.grassetto = scelta;
            if (scelta)
                car.colore = kRosso;
            p.Testo(posto->second, nome, car);
        }
        p.ChiudiGruppo();
        m_Tipi.push_back(tipo);
    }

    // Title, north arrow, scale bar and the legend of the symbols drawn.
    void Cornice(Pittore& p) {
        Carattere titolo;
        titolo.corpo = 14;
        titolo.grassetto = true;
        p.ApriGruppo("cornice", "cornice", WString());
        if (!m_Disegno.titolo.empty())
            p.Testo({kMargine / 2, 22}, WString::FromUtf8(m_Disegno.titolo), titolo);

        const P n{m_W - kMargine / 2 - 10, kTitolo + 10};
        const Colore nero{0.1, 0.1, 0.1};
        p.Spezzata({{n.x, n.y}, {n.x + 7, n.y + 22}, {n.x, n.y + 16}, {n.x - 7, n.y + 22}}, true, nullptr,
                   &nero);
        Carattere nord;
        nord.corpo = 12;
        nord.grassetto = true;
        nord.centrato = true;
        p.Testo({n.x, n.y + 36}, u"N", nord);

        if (m_Opz.scala) {
            // A bar of 1, 2 or 5 times a power of ten, about a fifth of the picture wide.
            const double metri = (m_W - kMargine - kDestra) / m_Scala / 5;
            const double dieci = std::pow(10, std::floor(std::log10(metri)));
            const double passo = metri >= 5 * dieci ? 5 * dieci : metri >= 2 * dieci ? 2 * dieci : dieci;
            const double lungo = passo * m_Scala, y = m_H - kMargine / 2;
            const Tratto t{nero, 2};
            p.Spezzata({{kMargine / 2, y - 5},
                        {kMargine / 2, y},
                        {kMargine / 2 + lungo, y},
                        {kMargine / 2 + lungo, y - 5}},
                       false, &t, nullptr);
            Carattere c;
            c.corpo = 11;
            char buf[32];
            std::snprintf(buf, sizeof buf, "%g m", passo);
            p.Testo({kMargine / 2 + lungo + 6, y}, WString::FromUtf8(buf), c);
        }

        struct Voce {
            int tipo;
            const char16_t* testo;
        };
        const Voce voci[] = {{UT_PUNTO_ORIENTAMENTO | UT_FIDUCIALE, u"Punto fiduciale"},
                             {UT_PUNTO_ORIENTAMENTO, u"Punto di orientamento"},
                             {UT_STAZIONE, u"Stazione"},
                             {UT_PUNTO_RILEVATO, u"Punto rilevato"},
                             {UT_PUNTO_RIGA5, u"Punto di riga 5"},
                             {UT_GRUPPO_GPS, u"Base GPS"},
                             {UT_PUNTO_GPS, u"Punto GPS"}};
        double y = m_H - kMargine / 2;
        for (auto v = std::rbegin(voci); v != std::rend(voci); ++v) {
            const bool presente = std::any_of(m_Tipi.begin(), m_Tipi.end(), [&](int t) {
                return (t & 0xF) == (v->tipo & 0xF) && ((t & UT_FIDUCIALE) == (v->tipo & UT_FIDUCIALE));
            });
            if (!presente)
                continue;
            Simbolo(p, {m_W - kDestra + 30, y - 4}, v->tipo);
            Carattere c;
            c.corpo = 10;
            p.Testo({m_W - kDestra + 44, y}, v->testo, c);
            y -= 16;
        }
        if (m_Opz.sopra)
            for (auto v = m_Opz.sopra->legenda.rbegin(); v != m_Opz.sopra->legenda.rend(); ++v) {
                const P c{m_W - kDestra + 30, y - 4};
                if (v->anello)
                    p.Cerchio(c, 6, &v->tratto, nullptr);
                else if (v->fondo)
                    p.Spezzata(
                        {{c.x - 7, c.y - 5}, {c.x + 7, c.y - 5}, {c.x + 7, c.y + 5}, {c.x - 7, c.y + 5}},
                        true, &v->tratto, &*v->fondo);
                else
                    p.Spezzata({{c.x - 9, c.y}, {c.x + 9, c.y}}, false, &v->tratto, nullptr);
                Carattere car;
                car.corpo = 10;
                p.Testo({m_W - kDestra + 44, y}, v->testo, car);
                y -= 16;
            }
        p.ChiudiGruppo();
    }

    const CGcadEng& m_Eng;
    const DisegnoRilievo& m_Disegno;
    const OpzioniFigura& m_Opz;
    int m_W = 0;
    int m_H = 0;
    double m_Scala = 1;
    double m_Ox = 0;
    double m_Oy = 0;
    std::vector<int> m_Tipi;
    std::unordered_map<int, P> m_Posti;         // of the names of points and the labels of rows
    std::vector<std::optional<P>> m_PostiSopra; // of the labels of what is laid over
};

// The bounds of what a picture must hold, with a margin.
class Limiti {
public:
    void Aggiungi(const CPuntoCad& q) {
        if (!Usabile(q))
            return;
        xMin = primo ? q.x : std::min(xMin, q.x);
        xMax = primo ? q.x : std::max(xMax, q.x);
        yMin = primo ? q.y : std::min(yMin, q.y);
        yMax = primo ? q.y : std::max(yMax, q.y);
        primo = false;
    }
    void Aggiungi(const CGcadEng& eng, int e) {
        for (const CPuntoCad& q : eng.GetPuntiEnt(e))
            Aggiungi(q);
    }
    Finestra ConMargine(double minimo) const {
        if (primo)
            return {0, 0, 100, 100};
        double x0 = xMin, y0 = yMin, x1 = xMax, y1 = yMax;
        double dx = x1 - x0, dy = y1 - y0;
        if (dx < minimo) {
            x0 -= (minimo - dx) / 2;
            x1 += (minimo - dx) / 2;
            dx = minimo;
        }
        if (dy < minimo) {
            y0 -= (minimo - dy) / 2;
            y1 += (minimo - dy) / 2;
            dy = minimo;
        }
        const double m = std::max(dx, dy) * 0.05;
        return {x0 - m, y0 - m, x1 + m, y1 + m};
    }

private:
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    bool primo = true;
};

} // namespace

bool SiSovrappongono(const Riquadro& a, const Riquadro& b) {
    return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

Riquadro RiquadroTesto(double x, double y, const WString& testo, double corpo, bool grassetto,
                       bool centrato) {
    // Digits and most capitals advance about 0.64 em in DejaVu Sans (0.70 bold); a few capitals reach 0.8.
    double em = 0;
    for (const char16_t c : testo.view())
        em += (c >= u'A' && c <= u'Z' && c != u'I' && c != u'J') || c == u'm' || c == u'w' || c == u'W'
                  ? 0.8
                  : (grassetto ? 0.72 : 0.66);
    const double w = em * corpo;
    const double x0 = centrato ? x - w / 2 : x;
    return {x0, y - 0.95 * corpo, x0 + w, y + 0.3 * corpo};
}

int PosaEtichette::Posa(const std::vector<Riquadro>& posti) {
    const auto cella = [](double v) { return static_cast<long long>(std::floor(v / kCella)); };
    const auto chiave = [](long long cx, long long cy) { return cx * 2000003LL + cy; };
    for (std::size_t i = 0; i < posti.size(); ++i) {
        const Riquadro& r = posti[i];
        // Far beyond any picture: it would not be seen.
        if (!(std::abs(r.x0) < 1e6 && std::abs(r.x1) < 1e6 && std::abs(r.y0) < 1e6 && std::abs(r.y1) < 1e6))
            return -1;
        bool libero = true;
        for (long long cx = cella(r.x0); libero && cx <= cella(r.x1); ++cx)
            for (long long cy = cella(r.y0); libero && cy <= cella(r.y1); ++cy) {
                const auto c = m_Celle.find(chiave(cx, cy));
                if (c != m_Celle.end())
                    for (std::size_t k : c->second)
                        if (SiSovrappongono(r, m_Posate[k])) {
                            libero = false;
                            break;
                        }
            }
        if (!libero)
            continue;
        for (long long cx = cella(r.x0); cx <= cella(r.x1); ++cx)
            for (long long cy = cella(r.y0); cy <= cella(r.y1); ++cy)
                m_Celle[chiave(cx, cy)].push_back(m_Posate.size());
        m_Posate.push_back(r);
        return static_cast<int>(i);
    }
    return -1;
}

Finestra EstensioneDi(const CGcadEng& eng, const std::vector<int>& ents) {
    Limiti l;
    for (int e : ents)
        l.Aggiungi(eng, e);
    return l.ConMargine(20);
}

Finestra EstensioneDi(const Sovrapposizione& sopra) {
    Limiti l;
    for (const FormaFigura& f : sopra.forme)
        for (const CPuntoCad& q : f.punti)
            l.Aggiungi(q);
    for (const AnelloFigura& a : sopra.anelli)
        l.Aggiungi(a.centro);
    return l.ConMargine(20);
}

Finestra EstensioneRilievo(const CGcadEng& eng) {
    Limiti l;
    bool qualcosa = false;
    CGcadEntIterator it(&eng, 1);
    for (int e = it.First(); e != 0; e = it.Next()) {
        const int tipo = eng.GetUserTypeOfEnt(e) & 0xF;
        const bool proprio = eng.IsInsert(e) ? tipo != UT_PUNTO_ORIENTAMENTO && tipo != UT_GRUPPO_GPS
                                             : eng.GetTipoEnt(e) == TipoEntCad::Polilinea;
        if (proprio) {
            l.Aggiungi(eng, e);
            qualcosa = true;
        }
    }
    return qualcosa ? l.ConMargine(20) : Estensione(eng);
}

Finestra Estensione(const CGcadEng& eng) {
    Limiti l;
    CGcadEntIterator it(&eng, 1);
    for (int e = it.First(); e != 0; e = it.Next())
        l.Aggiungi(eng, e);
    return l.ConMargine(20);
}

std::string FormatoFigura(const std::filesystem::path& file) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == ".svg")
        return "svg";
    if (ext == ".png")
        return "png";
    return {};
}

bool ScriviFigura(const CGcadEng& eng, const DisegnoRilievo& disegno, const OpzioniFigura& opzioni,
                  const std::filesystem::path& file, std::string& error) {
    const std::string formato = FormatoFigura(file);
    if (formato.empty()) {
        error = "a picture is a .svg or .png file: " + file.string();
        return false;
    }
    std::unique_ptr<Pittore> pittore;
    if (formato == "svg") {
        pittore = std::make_unique<PittoreSvg>();
    } else {
        auto png = std::make_unique<PittorePng>();
        if (!png->Pronto(error))
            return false;
        pittore = std::move(png);
    }
    Scena(eng, disegno, opzioni).Disegna(*pittore);
    return pittore->Fine(file, error);
}

namespace {
const Sovrapposizione* g_SopraLeViste = nullptr;
} // namespace

const Sovrapposizione* SopraLeViste() {
    return g_SopraLeViste;
}

void ImpostaSopraLeViste(const Sovrapposizione* sopra) {
    g_SopraLeViste = sopra;
}

std::string FiguraSvg(const CGcadEng& eng, const DisegnoRilievo& disegno, const OpzioniFigura& opzioni) {
    PittoreSvg pittore;
    Scena(eng, disegno, opzioni).Disegna(pittore);
    // Without the XML declaration: a page holds the picture inline.
    const std::string testo = pittore.Testo();
    return testo.substr(testo.find("<svg"));
}

std::string BitmapPng(const CBitmap& bitmap, std::optional<COLORREF> mask) {
    const int w = bitmap.GetWidth(), h = bitmap.GetHeight();
    if (w <= 0 || h <= 0)
        return {};
    std::string motivo;
    auto* const png = FunzioneDi<parti::PngDaPixel>("figure", "PregeoFigurePng", motivo);
    if (!png) {
        NotifyInput("immagine non disponibile: " + motivo);
        return {};
    }
    std::vector<std::uint32_t> pixel(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF c = bitmap.GetPixel(x, y);
            // Premultiplied: a transparent pixel is all zero.
            pixel[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] =
                mask && (c & 0xFFFFFF) == *mask
                    ? 0
                    : 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        }
    std::string out;
    png(pixel.data(), w, h, out);
    return out;
}

std::string TestoXml(const WString& text) {
    WString kept;
    const std::u16string_view v = text.view();
    for (std::size_t i = 0; i < v.size(); ++i) {
        const char16_t c = v[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF, low = c >= 0xDC00 && c <= 0xDFFF;
        if (high && i + 1 < v.size() && v[i + 1] >= 0xDC00 && v[i + 1] <= 0xDFFF) {
            kept += c;
            kept += v[++i];
            continue;
        }
        if (high || low || c == 0xFFFE || c == 0xFFFF || (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r'))
            continue;
        kept += c;
    }
    std::string out;
    for (char c : kept.ToUtf8()) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        case '\t':
            out += "&#9;";
            break;
        case '\n':
            out += "&#10;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace host::cad
