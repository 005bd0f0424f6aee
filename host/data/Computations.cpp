#include "hostapi/Computations.h"

#include <cmath>

CCalcRighePregeo::CCalcRighePregeo(CCts* booklet, CLibCmp* stations, CLibGps* gps, CGcadEng*)
    : m_Cts(booklet), m_Cmp(stations), m_Gps(gps) {}

namespace {

bool Valido(const CEgn* p) {
    return p && p->EstValidoXY() && !IsRealeIndefinito(p->GetCoordX()) && !IsRealeIndefinito(p->GetCoordY());
}

} // namespace

bool CCalcRighePregeo::CercaCoordinate(const WString& name, double& x, double& y) const {
    auto found = [&](const CEgn* p) {
        x = p->GetCoordX();
        y = p->GetCoordY();
        return true;
    };
    auto take = [&](const CEgn* p) { return Valido(p) && p->GetNome() == name && found(p); };
    if (m_Cts) {
        // A row 5 is named by its label; its own point name stays empty.
        const CCtsRigArray& rows = m_Cts->m_Righe45;
        for (int i = 0; i < rows.GetRigArSize(); ++i) {
            const CRig* r = rows.GetRigAt(i);
            if (r->GetTipoRiga() == '5' && r->GetLblNome1() == name && Valido(r))
                return found(r);
        }
    }
    if (m_Cmp) {
        for (int i = 0; i < m_Cmp->GetOriArSize(); ++i)
            if (take(m_Cmp->GetOriAt(i)))
                return true;
        for (int j = 0; j < m_Cmp->GetJobArSize(); ++j)
            for (int s = 0; s < m_Cmp->GetStaArSize(j); ++s) {
                if (take(m_Cmp->GetStaAt(j, s)))
                    return true;
                for (int k = 0; k < m_Cmp->GetPunArSize(j, s); ++k)
                    if (take(m_Cmp->GetPunAt(j, s, k)))
                        return true;
            }
    }
    if (m_Gps) {
        for (int g = 0; g < m_Gps->GetGrpArSize(); ++g) {
            if (take(m_Gps->GetGrpAt(g)))
                return true;
            for (int k = 0; k < m_Gps->GetPunArSize(g); ++k)
                if (take(m_Gps->GetPunAt(g, k)))
                    return true;
        }
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
