#include "rules/Regole.h"

#include <cmath>

namespace {

double Millimetri(double v) {
    return ArrotondatoAtDec(v, 3);
}

WString NomeConfronto(const WString& nome) {
    return StringTrimBoth(StringToUpper(nome));
}

} // namespace

int VerificaProlungamento(double L, double a, double* eccedenza, double* limite) {
    double e = 0;
    if (a < 0)
        e = -a;
    else if (a > L)
        e = a - L;
    // Both sides are rounded to the millimetre first, so a point exactly at L / 4 stays in tolerance.
    e = std::fabs(Millimetri(e));
    const double lim = std::fabs(Millimetri(L / 4.0));
    if (eccedenza)
        *eccedenza = e;
    if (limite)
        *limite = lim;
    if (e > lim)
        return e > 50.0 ? 1 : 2;
    return 0;
}

int VerificaSquadro(double L, double* squadro, bool allowThird, double* limite) {
    double s = squadro ? std::fabs(Millimetri(*squadro)) : 0;
    if (squadro)
        *squadro = s;
    if (!allowThird)
        return s >= 3.0 ? 4 : 0;
    const double lim = Millimetri(L / 3.0);
    if (limite)
        *limite = lim;
    if (s >= lim)
        return s >= 16.0 ? 1 : 3;
    if (s >= 16.0)
        return 2;
    return 0;
}

bool IsPuntoRilevato(WString nome, CLibGps* gps, CLibCmp* stazioni, CCts* libretto) {
    const WString cercato = NomeConfronto(nome);
    const auto uguale = [&cercato](const CEgn* p) {
        return p && !p->IsCodedNP() && NomeConfronto(p->GetNome()) == cercato;
    };
    if (stazioni) {
        for (int j = 0; j < stazioni->GetJobArSize(); ++j) {
            const CJob* job = stazioni->GetJobAt(j);
            if (!job || job->GetCodeNP())
                continue;
            for (int s = 0; s < stazioni->GetStaArSize(j); ++s) {
                if (uguale(stazioni->GetStaAt(j, s)))
                    return true;
                // Points count even when their station is excluded.
                for (int k = 0; k < stazioni->GetPunArSize(j, s); ++k)
                    if (uguale(stazioni->GetPunAt(j, s, k)))
                        return true;
            }
        }
    }
    if (gps) {
        for (int g = 0; g < gps->GetGrpArSize(); ++g) {
            const CGrpGps* gruppo = gps->GetGrpAt(g);
            if (!gruppo || gruppo->IsCodedNP())
                continue;
            if (uguale(gruppo))
                return true;
            for (int k = 0; k < gps->GetPunArSize(g); ++k)
                if (uguale(gps->GetPunAt(g, k)))
                    return true;
        }
    }
    if (stazioni && stazioni->GetOriArSizePregeo() >= 1)
        for (int i = 0; i < stazioni->GetOriArSize(); ++i)
            if (uguale(stazioni->GetOriAt(i)))
                return true;
    if (libretto) {
        int righe5 = 0;
        const CCtsRigArray& vista = libretto->m_Righe45;
        for (int i = 0; i < vista.GetRigArSize(); ++i) {
            const CRig* r = vista.GetRigAt(i);
            if (r && r->GetTipoRiga() == '5' && r->GetSpecRiga() == 0 &&
                NomeConfronto(r->GetLblNome1()) == cercato)
                ++righe5;
        }
        if (righe5 > 1)
            return true;
    }
    return false;
}
