#include "hostapi/Computations.h"

#include <cmath>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

CCalcRighePregeo::CCalcRighePregeo(CCts* booklet, CLibCmp* stations, CLibGps* gps, CGcadEng*)
    : m_Cts(booklet), m_Cmp(stations), m_Gps(gps) {}

namespace {

bool Valido(const CEgn* p) {
    return p && p->EstValidoXY() && !IsRealeIndefinito(p->GetCoordX()) && !IsRealeIndefinito(p->GetCoordY());
}

// The walk the index stands for: a row 5 by its label, then orientation points, stations and their
// observed points, GPS bases and points, the first with valid coordinates.
template <typename F> void OgniOggetto(const CCts* cts, const CLibCmp* cmp, const CLibGps* gps, F f) {
    if (cts) {
        // A row 5 is named by its label; its own point name stays empty.
        const CCtsRigArray& rows = cts->m_Righe45;
        for (int i = 0; i < rows.GetRigArSize(); ++i) {
            const CRig* r = rows.GetRigAt(i);
            if (r->GetTipoRiga() == '5' && f(r, r->GetLblNome1(), true))
                return;
        }
    }
    if (cmp) {
        for (int i = 0; i < cmp->GetOriArSize(); ++i)
            if (f(cmp->GetOriAt(i), cmp->GetOriAt(i)->GetNome(), false))
                return;
        for (int j = 0; j < cmp->GetJobArSize(); ++j)
            for (int s = 0; s < cmp->GetStaArSize(j); ++s) {
                if (f(cmp->GetStaAt(j, s), cmp->GetStaAt(j, s)->GetNome(), false))
                    return;
                for (int k = 0; k < cmp->GetPunArSize(j, s); ++k)
                    if (f(cmp->GetPunAt(j, s, k), cmp->GetPunAt(j, s, k)->GetNome(), false))
                        return;
            }
    }
    if (gps) {
        for (int g = 0; g < gps->GetGrpArSize(); ++g) {
            if (f(gps->GetGrpAt(g), gps->GetGrpAt(g)->GetNome(), false))
                return;
            for (int k = 0; k < gps->GetPunArSize(g); ++k)
                if (f(gps->GetPunAt(g, k), gps->GetPunAt(g, k)->GetNome(), false))
                    return;
        }
    }
}

} // namespace

// Every object of the walk by name, in the walk's order. It is a cache: what it gives is checked against
// the object as it is now, and a name it cannot answer for is walked for.
struct CCalcRighePregeo::Indice {
    struct Voce {
        const CEgn* punto;
        const Voce* prossima; // the next object of the same name
        const CRig* riga;     // a row 5, named by its label
    };
    std::vector<Voce> voci;
    std::unordered_map<std::u16string, std::size_t> prime; // each name's first object
};

bool CCalcRighePregeo::CercaCoordinate(const WString& name, double& x, double& y) const {
    const auto found = [&](const CEgn* p) {
        x = p->GetCoordX();
        y = p->GetCoordY();
        return true;
    };
    if (!m_Indice) {
        auto indice = std::make_shared<Indice>();
        std::vector<std::pair<std::u16string, const CEgn*>> tutti;
        std::vector<const CRig*> righe;
        OgniOggetto(m_Cts, m_Cmp, m_Gps, [&](const CEgn* p, const WString& nome, bool riga) {
            if (p) {
                tutti.emplace_back(nome.view(), p);
                righe.push_back(riga ? static_cast<const CRig*>(p) : nullptr);
            }
            return false;
        });
        indice->voci.resize(tutti.size());
        // Chained from the last back, so each name's chain runs in the order of the walk.
        for (std::size_t i = tutti.size(); i-- > 0;) {
            const auto [it, nuovo] = indice->prime.try_emplace(std::move(tutti[i].first), i);
            indice->voci[i] = {tutti[i].second, nuovo ? nullptr : &indice->voci[it->second], righe[i]};
            it->second = i;
        }
        m_Indice = std::move(indice);
    }
    const auto it = m_Indice->prime.find(std::u16string(name.view()));
    if (it != m_Indice->prime.end())
        for (const Indice::Voce* v = &m_Indice->voci[it->second]; v; v = v->prossima) {
            const CEgn* p = v->punto;
            if (Valido(p) && (v->riga ? v->riga->GetLblNome1() : p->GetNome()) == name)
                return found(p);
        }
    // Nothing there: a point added or renamed since the index was made may still have the name.
    bool trovato = false;
    OgniOggetto(m_Cts, m_Cmp, m_Gps, [&](const CEgn* p, const WString& nome, bool) {
        trovato = p && Valido(p) && nome == name && found(p);
        return trovato;
    });
    return trovato;
}

bool CCalcRighePregeo::CalcolaSngRiga45(CRig* row) const {
    if (!row || !m_Cts || row->GetTipoRiga() != '5' || row->GetSpecRiga() != 0)
        return false;
    const CCtsRigArray& rows = m_Cts->m_Righe45;
    int index = -1;
    if (!rows.GetIndiciDiRig(row, index))
        return false;
    const CRig* riga4 = nullptr;
    for (int i = index - 1; i >= 0 && !riga4; --i) {
        const CRig* r = rows.GetRigAt(i);
        if (r->GetTipoRiga() == '4' && r->GetSpecRiga() == 0)
            riga4 = r;
    }
    double ox = 0, oy = 0, ax = 0, ay = 0;
    if (!riga4 || !CercaCoordinate(riga4->GetLblNome1(), ox, oy) ||
        !CercaCoordinate(riga4->GetLblNome2(), ax, ay))
        return false;
    const double length = std::hypot(ax - ox, ay - oy);
    const double prog = row->GetDatoRea1();
    const double squadro = IsRealeIndefinito(row->GetDatoRea2()) ? 0.0 : row->GetDatoRea2();
    if (length <= 0 || IsRealeIndefinito(prog))
        return false;
    const double ux = (ax - ox) / length, uy = (ay - oy) / length;
    // Squadro is measured to the right of the alignment, looking from origin to orientation.
    row->SetCoordXY(ox + prog * ux + squadro * uy, oy + prog * uy - squadro * ux);
    row->CalcolaValiditaXYZ();
    return true;
}

bool CCalcRighePregeo::CalcolaSngRiga7(CRig* row) const {
    if (!row || row->GetVrtArSize() < 3)
        return false;
    for (int i = 0; i < row->GetVrtArSize(); ++i) {
        CCtsVrt* v = row->GetVrtAt(i);
        double x = 0, y = 0;
        if (!CercaCoordinate(v->GetNome(), x, y))
            return false;
        v->SetCoordXY(x, y);
        v->CalcolaValiditaXYZ();
    }
    CRig::CalcolaAreaInterna(row);
    return !IsRealeIndefinito(row->GetDatoRea1());
}

int ControlloNomePF8(const WString& name) {
    // PFnn/ffff/cccc with an optional fifth municipality character for the section.
    const int n = name.GetLength();
    if (n != 14 && n != 15)
        return 1;
    if (name.Left(2) != u"PF" || name.GetAt(4) != u'/' || name.GetAt(9) != u'/')
        return 1;
    auto digit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    auto alnum = [&](char16_t c) { return digit(c) || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); };
    if (!digit(name.GetAt(2)) || !digit(name.GetAt(3)))
        return 1;
    for (int i = 5; i < 9; ++i)
        if (!alnum(name.GetAt(i)))
            return 1;
    for (int i = 10; i < n; ++i)
        if (!alnum(name.GetAt(i)))
            return 1;
    return -1;
}
