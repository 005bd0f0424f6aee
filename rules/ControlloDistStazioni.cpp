// Station distance check: a distance measured from both of its ends must agree within 0.04 m.
#include "hostapi/Conversions.h"
#include "rules/ControlloLibretto.h"

#include <cmath>

void CControlloLibretto::ControllaDistStazioni() {
    if (!m_pCts || !m_pLibCmp)
        return;
    const auto partecipa = [this](int j) {
        const CJob* job = m_pLibCmp->GetJobAt(j);
        return job && !job->GetCodeNP();
    };
    for (int j = 0; j < m_pLibCmp->GetJobArSize(); ++j) {
        if (!partecipa(j))
            continue;
        for (int s = 0; s < m_pLibCmp->GetStaArSize(j); ++s) {
            const CSta* sta = m_pLibCmp->GetStaAt(j, s);
            if (sta && !sta->IsCodedNP())
                m_NomiDistStazioni.insert(sta->GetNome());
        }
    }
    const CCalcDsOr& calcolo = m_pLibCmp->GetCalcDsOr();
    for (int j = 0; j < m_pLibCmp->GetJobArSize(); ++j) {
        if (!partecipa(j))
            continue;
        for (int s = 0; s < m_pLibCmp->GetStaArSize(j); ++s) {
            const CSta* sta = m_pLibCmp->GetStaAt(j, s);
            if (!sta || sta->IsCodedNP())
                continue;
            for (int k = 0; k < m_pLibCmp->GetPunArSize(j, s); ++k) {
                const CPun* p = m_pLibCmp->GetPunAt(j, s, k);
                if (!p || p->IsCodedNP() || !p->IsCodedPO() || !m_NomiDistStazioni.contains(p->GetNome()))
                    continue;
                const double d = calcolo.CalcDistOr(p->GetDato0(), p->GetDato1());
                // An observation without a distance (a direction only) has nothing to compare.
                if (IsRealeIndefinito(d))
                    continue;
                m_OssReciproche.push_back({sta->GetNome(), p->GetNome(), d});
            }
        }
    }
    // Both records of a pair are marked, so that a further observation of the same two stations cannot
    // pair with either of them again and report the pair twice.
    const auto segna = [](COssReciproca& o) {
        o.stazione = u"*";
        o.punto = u"**";
    };
    const std::size_t n = m_OssReciproche.size();
    for (std::size_t i = 0; i < n; ++i) {
        COssReciproca& a = m_OssReciproche[i];
        for (std::size_t j = 0; j < n; ++j) {
            COssReciproca& b = m_OssReciproche[j];
            if (j == i || b.stazione != a.punto || b.punto != a.stazione)
                continue;
            if (ArrotondatoAtDec(std::fabs(a.distanza - b.distanza), 2) > 0.04)
                AddMsgPregeo(-1, WString(), true, 92, u"Stazioni: " + a.stazione + u" - " + a.punto + u";");
            segna(a);
            segna(b);
            break;
        }
    }
}
