#include "host/cad/Rilievo.h"

#include "host/cad/EngineImpl.h"
#include "host/core/Limits.h"
#include "host/project/Project.h"
#include "host/ui/Driver.h"
#include "hostapi/Computations.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace host::cad {

DatiRilievo DatiDi(ICarviloDati* host) {
    // The host's own interface is read without being asked: the module's calls are what it records.
    if (auto* dati = dynamic_cast<HostData*>(host)) {
        Project& p = dati->GetProject();
        return {&p.cts, &p.cmp, &p.gps, p.nome};
    }
    if (!host)
        return {};
    return {host->GetCts(), host->GetLibCmp(), host->GetLibGps(), host->GetNomeProgetto().ToUtf8()};
}

namespace {

// A point beyond any survey's reach is left out, as one without coordinates: it would shrink the rest
// of the picture to nothing.
bool HaXY(const CEgn& p) {
    return IsUsableCoordinate(p.GetCoordX()) && IsUsableCoordinate(p.GetCoordY());
}

class Disegnatore {
public:
    Disegnatore(CGcadEng& eng, DisegnoRilievo& disegno) : m_Eng(eng), m_Disegno(disegno) {}

    // The insert of a survey object: the one already drawn for its name and place, or a new one.
    int Punto(const CEgn& p, int tipo) { return Punto(p, tipo, p.GetNome(), p.GetSecScri()); }
    int Punto(const CEgn& p, int tipo, const WString& nome, const WString& secondoTesto) {
        if (!HaXY(p))
            return 0;
        if (const int gia = Trova(nome, p.GetCoordX(), p.GetCoordY())) {
            // One point, several objects: the first secondary text given is the point's.
            WString secondo;
            if (m_Eng.GetValAttrib(m_Eng.GetAttribNo(gia, 1), secondo) && secondo.IsEmpty())
                m_Eng.SetValAttrib(m_Eng.GetAttribNo(gia, 1), secondoTesto);
            return gia;
        }
        if (p.IsCodedNP())
            tipo |= UT_NP;
        const int ins = m_Eng.CreateInsert(tipo & 0xF, p.GetCoordX(), p.GetCoordY(), p.GetCoordZ());
        m_Eng.AddAttrib(ins, nome);
        m_Eng.AddAttrib(ins, secondoTesto);
        m_Eng.SetUserInfoToEnt(ins, tipo, 0);
        m_Eng.AddAndDrawEntToList(ins, DISEGNO_RILIEVO);
        m_Punti[nome.str()].push_back(ins);
        ++m_Disegno.punti;
        return ins;
    }

    // A line between two inserts, once for each pair.
    void Linea(int da, int a, int tipo) {
        if (da == 0 || a == 0 || da == a)
            return;
        const auto [x, y] = std::minmax(da, a);
        if (!m_Linee.insert((std::uint64_t(static_cast<unsigned>(x)) << 32) | static_cast<unsigned>(y))
                 .second)
            return;
        const CPuntoCad p = m_Eng.GetPuntiEnt(da)[0], q = m_Eng.GetPuntiEnt(a)[0];
        const int line = m_Eng.CreateLine(p.x, p.y, 0, q.x, q.y, 0);
        m_Eng.SetUserInfoToEnt(line, tipo, 0);
        m_Eng.AddAndDrawEntToList(line, DISEGNO_RILIEVO);
    }

private:
    int Trova(const WString& nome, double x, double y) const {
        const auto stessoNome = m_Punti.find(nome.str());
        if (stessoNome == m_Punti.end())
            return 0;
        for (const int ins : stessoNome->second) {
            const CPuntoCad p = m_Eng.GetPuntiEnt(ins)[0];
            if (std::hypot(p.x - x, p.y - y) < STESSO_PUNTO)
                return ins;
        }
        return 0;
    }

    CGcadEng& m_Eng;
    DisegnoRilievo& m_Disegno;
    // The inserts of each name in the order drawn, and the lines drawn, so that a survey is drawn in
    // time proportional to its size.
    std::unordered_map<std::u16string, std::vector<int>> m_Punti;
    std::unordered_set<std::uint64_t> m_Linee;
};

// The centre of a polygon's area, the mean of its vertices when it has none.
CPuntoCad Baricentro(const std::vector<CPuntoCad>& v) {
    double a = 0, cx = 0, cy = 0, mx = 0, my = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const CPuntoCad& p = v[i];
        const CPuntoCad& q = v[(i + 1) % v.size()];
        const double c = p.x * q.y - q.x * p.y;
        a += c;
        cx += (p.x + q.x) * c;
        cy += (p.y + q.y) * c;
        mx += p.x;
        my += p.y;
    }
    if (std::fabs(a) < 1e-9)
        return {mx / static_cast<double>(v.size()), my / static_cast<double>(v.size()), 0};
    return {cx / (3 * a), cy / (3 * a), 0};
}

void DisegnaRiga7(CGcadEng& eng, const IndiceCoordinate& indice, Riga7Disegnata& r) {
    const CRig& riga = *r.riga;
    std::vector<CPuntoCad> vertici;
    for (int i = 0; i < riga.GetVrtArSize(); ++i) {
        const WString nome = riga.GetVrtAt(i)->GetNome();
        double x = 0, y = 0;
        if (!indice.Cerca(nome, x, y)) {
            r.nonDisegnata = "il vertice " + ui::Quote(nome) + " non ha coordinate";
            return;
        }
        vertici.push_back({x, y, 0});
    }
    const int n = riga.GetVrtArSize();
    const bool chiusa = n >= 3 && riga.GetVrtAt(0)->GetNome() == riga.GetVrtAt(n - 1)->GetNome();
    if (chiusa)
        vertici.pop_back();
    if (vertici.size() < 2) {
        r.nonDisegnata = "ha meno di due vertici";
        return;
    }
    const auto dato = reinterpret_cast<std::uintptr_t>(r.riga);
    const int poligono = eng.CreatePolyline(vertici, chiusa);
    eng.SetUserInfoToEnt(poligono, UT_RIGA7, dato);
    eng.AddAndDrawEntToList(poligono, DISEGNO_RILIEVO);
    const CPuntoCad c = Baricentro(vertici);
    const WString nome =
        riga.GetLblNome1().IsEmpty() ? WString::Formatted(u"riga %d", r.numero) : riga.GetLblNome1();
    const int etichetta = eng.CreateText(c.x, c.y, nome);
    eng.SetUserInfoToEnt(etichetta, UT_RIGA7, dato);
    eng.AddAndDrawEntToList(etichetta, DISEGNO_RILIEVO);
    r.entita = {poligono, etichetta};
}

} // namespace

IndiceCoordinate::IndiceCoordinate(const DatiRilievo& dati) {
    if (dati.cts) {
        const CCtsRigArray& righe = dati.cts->m_Righe45;
        for (int i = 0; i < righe.GetRigArSize(); ++i)
            if (const CRig* r = righe.GetRigAt(i); r->GetTipoRiga() == '5')
                Aggiungi(r, r->GetLblNome1());
    }
    if (dati.cmp) {
        const CLibCmp& cmp = *dati.cmp;
        for (int i = 0; i < cmp.GetOriArSize(); ++i)
            Aggiungi(cmp.GetOriAt(i), cmp.GetOriAt(i)->GetNome());
        for (int j = 0; j < cmp.GetJobArSize(); ++j)
            for (int s = 0; s < cmp.GetStaArSize(j); ++s) {
                Aggiungi(cmp.GetStaAt(j, s), cmp.GetStaAt(j, s)->GetNome());
                for (int k = 0; k < cmp.GetPunArSize(j, s); ++k)
                    Aggiungi(cmp.GetPunAt(j, s, k), cmp.GetPunAt(j, s, k)->GetNome());
            }
    }
    if (dati.gps) {
        const CLibGps& gps = *dati.gps;
        for (int g = 0; g < gps.GetGrpArSize(); ++g) {
            Aggiungi(gps.GetGrpAt(g), gps.GetGrpAt(g)->GetNome());
            for (int k = 0; k < gps.GetPunArSize(g); ++k)
                Aggiungi(gps.GetPunAt(g, k), gps.GetPunAt(g, k)->GetNome());
        }
    }
}

void IndiceCoordinate::Aggiungi(const CEgn* p, const WString& nome) {
    // The first object of a name with coordinates is the one the lookup finds.
    if (p && p->EstValidoXY() && HaXY(*p))
        m_Punti.emplace(nome.str(), std::make_pair(p->GetCoordX(), p->GetCoordY()));
}

bool IndiceCoordinate::Cerca(const WString& nome, double& x, double& y) const {
    const auto it = m_Punti.find(nome.str());
    if (it == m_Punti.end())
        return false;
    x = it->second.first;
    y = it->second.second;
    return true;
}

DisegnoRilievo DisegnaRilievo(CGcadEng& eng, const DatiRilievo& dati) {
    DisegnoRilievo disegno;
    Disegnatore d(eng, disegno);
    if (dati.cmp) {
        CLibCmp& cmp = *dati.cmp;
        for (int i = 0; i < cmp.GetOriArSize(); ++i) {
            const COri& o = *cmp.GetOriAt(i);
            d.Punto(o, UT_PUNTO_ORIENTAMENTO | (o.GetTipoPunto() == TIPO_PUNTO_FIDUCIALE ? UT_FIDUCIALE : 0));
        }
        for (int j = 0; j < cmp.GetJobArSize(); ++j)
            for (int s = 0; s < cmp.GetStaArSize(j); ++s)
                d.Punto(*cmp.GetStaAt(j, s), UT_STAZIONE);
    }
    if (dati.gps) {
        CLibGps& gps = *dati.gps;
        for (int g = 0; g < gps.GetGrpArSize(); ++g)
            d.Punto(*gps.GetGrpAt(g), UT_GRUPPO_GPS);
        for (int g = 0; g < gps.GetGrpArSize(); ++g)
            for (int k = 0; k < gps.GetPunArSize(g); ++k)
                d.Punto(*gps.GetPunAt(g, k), UT_PUNTO_GPS);
    }
    if (dati.cmp) {
        CLibCmp& cmp = *dati.cmp;
        for (int j = 0; j < cmp.GetJobArSize(); ++j)
            for (int s = 0; s < cmp.GetStaArSize(j); ++s)
                for (int k = 0; k < cmp.GetPunArSize(j, s); ++k)
                    d.Punto(*cmp.GetPunAt(j, s, k), UT_PUNTO_RILEVATO);
    }
    if (dati.cts) {
        // A row 5 is named by its label; its note says what the point is.
        const CCalcRighePregeo calcolo(dati.cts, dati.cmp, dati.gps, &eng);
        const CCtsRigArray& righe = dati.cts->m_Righe45;
        for (int i = 0; i < righe.GetRigArSize(); ++i) {
            CRig* riga = righe.GetRigAt(i);
            if (riga->GetTipoRiga() != '5')
                continue;
            if (!riga->EstValidoXY())
                calcolo.CalcolaSngRiga45(riga);
            if (riga->EstValidoXY())
                d.Punto(*riga, UT_PUNTO_RIGA5, riga->GetLblNome1(), riga->GetLblMater());
        }
    }
    if (dati.cmp) {
        CLibCmp& cmp = *dati.cmp;
        for (int j = 0; j < cmp.GetJobArSize(); ++j)
            for (int s = 0; s < cmp.GetStaArSize(j); ++s) {
                const int stazione = d.Punto(*cmp.GetStaAt(j, s), UT_STAZIONE);
                for (int k = 0; k < cmp.GetPunArSize(j, s); ++k)
                    d.Linea(stazione, d.Punto(*cmp.GetPunAt(j, s, k), UT_PUNTO_RILEVATO), UT_OSSERVAZIONE);
            }
    }
    if (dati.gps) {
        CLibGps& gps = *dati.gps;
        for (int g = 0; g < gps.GetGrpArSize(); ++g) {
            const int base = d.Punto(*gps.GetGrpAt(g), UT_GRUPPO_GPS);
            for (int k = 0; k < gps.GetPunArSize(g); ++k)
                d.Linea(base, d.Punto(*gps.GetPunAt(g, k), UT_PUNTO_GPS), UT_BASE_GPS);
        }
    }
    if (dati.cts) {
        // After the rows 5 got their coordinates, as the booklet keeps them.
        const IndiceCoordinate indice(dati);
        const CCtsRigArray& righe = dati.cts->m_Righe7;
        for (int i = 0; i < righe.GetRigArSize(); ++i) {
            const CRig* riga = righe.GetRigAt(i);
            if (riga->GetTipoRiga() != '7')
                continue;
            Riga7Disegnata r;
            r.riga = riga;
            r.numero = static_cast<int>(disegno.righe7.size()) + 1;
            DisegnaRiga7(eng, indice, r);
            disegno.righe7.push_back(std::move(r));
        }
    }
    disegno.marca = eng.GetImpl().prossimo - 1;
    disegno.cts = dati.cts;

    disegno.titolo = dati.nome;
    if (dati.cts) {
        const std::string comune = dati.cts->GetCdCm().ToUtf8(), foglio = dati.cts->GetFogl().ToUtf8();
        if (!comune.empty() || !foglio.empty())
            disegno.titolo += (disegno.titolo.empty() ? "" : " - ") + std::string("Comune ") +
                              (comune.empty() ? "?" : comune) + ", foglio " + (foglio.empty() ? "?" : foglio);
    }
    return disegno;
}

const Riga7Disegnata* RigaDi(const DisegnoRilievo& disegno, const CGcadEng& eng, int ent) {
    if (eng.GetUserTypeOfEnt(ent) != UT_RIGA7)
        return nullptr;
    const std::uintptr_t dato = eng.GetUserDataOfEnt(ent);
    for (const auto& r : disegno.righe7)
        if (reinterpret_cast<std::uintptr_t>(r.riga) == dato)
            return &r;
    return nullptr;
}

WString NomeInsert(const CGcadEng& eng, int ent) {
    WString nome;
    eng.GetValAttrib(eng.GetAttribNo(ent, 0), nome);
    return nome;
}

std::string Descrivi(const CGcadEng& eng, const DisegnoRilievo& disegno, int ent) {
    std::string out = "#" + std::to_string(ent);
    if (const Riga7Disegnata* r = RigaDi(disegno, eng, ent))
        return out + ui::Parole(" row ", " riga ") + std::to_string(r->numero) + " " +
               ui::Quote(r->riga->GetLblNome1());
    switch (eng.GetTipoEnt(ent)) {
    case TipoEntCad::Insert:
        return out + " " + ui::Quote(NomeInsert(eng, ent));
    case TipoEntCad::Linea:
        return out + ui::Parole(" line", " linea");
    case TipoEntCad::Polilinea:
        return out + ui::Parole(" polyline", " polilinea");
    case TipoEntCad::Testo:
        return out + ui::Parole(" text ", " testo ") + ui::Quote(eng.GetTestoEnt(ent));
    default:
        return out;
    }
}

} // namespace host::cad
