#include "pfimport/ElencoPFRilievo.h"

#include "rules/Regole.h"

void CElencoPFRilievo::Aggiungi(WString nome, const CEgn* origine, bool usabile,
                                std::unordered_set<std::u16string>& nomi) {
    nome.MakeUpper();
    if (ControlloNomePF(nome) != -1)
        return;
    if (m_Libretto)
        m_Libretto->CompletaNomePfPregeo(nome);
    if (!nomi.insert(nome.str()).second)
        return;
    CPoint3d p;
    p.nome = nome;
    if (usabile && origine && origine->EstValidoXY()) {
        p.x = origine->GetCoordX();
        p.y = origine->GetCoordY();
        p.z = IsRealeIndefinito(origine->GetCoordZ()) ? 0.0 : origine->GetCoordZ();
    }
    Add(p);
}

void CElencoPFRilievo::Raccogli() {
    RemoveAll();
    // Names seen so far: a survey names each fiducial point many times.
    std::unordered_set<std::u16string> nomi;
    if (m_Stazioni) {
        for (int j = 0; j < m_Stazioni->GetJobArSize(); ++j) {
            const CJob* job = m_Stazioni->GetJobAt(j);
            for (int s = 0; s < job->GetStaArSize(); ++s) {
                const CSta* sta = job->GetStaAt(s);
                const bool usabile = job->IsCdElabValid() && sta->EstValidoXY();
                for (int p = 0; p < sta->GetPunArSize(); ++p) {
                    const CPun* pun = sta->GetPunAt(p);
                    Aggiungi(pun->GetNome(), pun, usabile, nomi);
                }
            }
        }
    }
    if (m_Gps) {
        for (int g = 0; g < m_Gps->GetGrpArSize(); ++g) {
            const CGrpGps* grp = m_Gps->GetGrpAt(g);
            for (int p = 0; p < grp->GetPunArSize(); ++p) {
                const CPunGps* pun = grp->GetPunAt(p);
                Aggiungi(pun->GetNome(), pun, grp->IsCdElabValid(), nomi);
            }
        }
    }
    if (m_Libretto) {
        const CCtsRigArray& righe = m_Libretto->m_Righe45;
        for (int r = 0; r < righe.GetRigArSize(); ++r) {
            const CRig* rig = righe.GetRigAt(r);
            if (rig->GetTipoRiga() == '5' && rig->GetSpecRiga() == 0)
                Aggiungi(rig->GetLblNome1(), rig, true, nomi);
        }
    }
}
