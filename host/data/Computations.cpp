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

} // namespace

// Every object that can give a name its coordinates, by name, in the order of the lookup; whether one has
// them is asked at each lookup.
struct CCalcRighePregeo::Indice {
    struct Voce {
        const CEgn* punto;
        const Voce* prossima; // the next object of the same name
    };
    std::vector<Voce> voci;
    std::unordered_map<std::u16string, std::size_t> prime; // each name's first object
};

bool CCalcRighePregeo::CercaCoordinate(const WString& name, double& x, double& y) const {
    if (!m_Indice) {
        auto indice = std::make_shared<Indice>();
        std::vector<std::pair<std::u16string, const CEgn*>> tutti;
        const auto add = [&](const CEgn* p, const WString& nome) {
            if (p)
                tutti.emplace_back(nome.view(), p);
        };
        if (m_Cts) {
            // A row 5 is named by its label; its own point name stays empty.
            const CCtsRigArray& rows = m_Cts->m_Righe45;
            for (int i = 0; i < rows.GetRigArSize(); ++i) {
                const CRig* r = rows.GetRigAt(i);
                if (r->GetTipoRiga() == '5')
                    add(r, r->GetLblNome1());
            }
        }
        if (m_Cmp) {
            for (int i = 0; i < m_Cmp->GetOriArSize(); ++i)
                add(m_Cmp->GetOriAt(i), m_Cmp->GetOriAt(i)->GetNome());
            for (int j = 0; j < m_Cmp->GetJobArSize(); ++j)
                for (int s = 0; s < m_Cmp->GetStaArSize(j); ++s) {
                    add(m_Cmp->GetStaAt(j, s), m_Cmp->GetStaAt(j, s)->GetNome());
                    for (int k = 0; k < m_Cmp->GetPunArSize(j, s); ++k)
                        add(m_Cmp->GetPunAt(j, s, k), m_Cmp->GetPunAt(j, s, k)->GetNome());
                }
        }
        if (m_Gps) {
            for (int g = 0; g < m_Gps->GetGrpArSize(); ++g) {
                add(m_Gps->GetGrpAt(g), m_Gps->GetGrpAt(g)->GetNome());
                for (int k = 0; k < m_Gps->GetPunArSize(g); ++k)
                    add(m_Gps->GetPunAt(g, k), m_Gps->GetPunAt(g, k)->GetNome());
            }
        }
        indice->voci.resize(tutti.size());
        // Chained from the last back, so each name's chain runs in the order of the lookup.
        for (std::size_t i = tutti.size(); i-- > 0;) {
            const auto [it, nuovo] = indice->prime.try_emplace(std::move(tutti[i].first), i);
            indice->voci[i] = {tutti[i].second, nuovo ? nullptr : &indice->voci[it->second]};
            it->second = i;
        }
        m_Indice = std::move(indice);
    }
    const auto it = m_Indice->prime.find(std::u16string(name.view()));
    if (it == m_Indice->prime.end())
        return false;
    for (const Indice::Voce* v = &m_Indice->voci[it->second]; v; v = v->prossima)
        if (Valido(v->punto)) {
            x = v->punto->GetCoordX();
            y = v->punto->GetCoordY();
            return true;
        }
    return false;
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
