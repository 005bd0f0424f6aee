#include "rules/ErrAvvList.h"

#include "rules/Regole.h"

namespace {

WString TestoGenerico(int code) {
    switch (code) {
    case 22:
        return u"- il punto selezionato è errato.\r";
    case 63:
        return u"- E' stato selezionata una linea che non corrisponde ad un lato della maglia fiduciale.\r";
    case 93:
        return u"- Gli Angoli verticali di alcuni Punti di dettaglio sono maggiori di 200g.\r I punti sono "
               u"stati "
               u"considerati come osservati con Mirino capovolto\r e i relativi Angoli orizzontali sono "
               u"stati "
               u"ruotati di 200g.\r";
    case 94:
        return u"- il nome della particella non può essere uguale ad un altro. La particella non verrà "
               u"creata.\r";
    case 96:
        return u"- Non è stata scritta la relazione tecnica.\r";
    default:
        return WString();
    }
}

} // namespace

void CErrAvvGenerico::AddMsg(bool isError, int code, WString detail) {
    if (code < 0)
        return;
    WString testo = isError ? u"Errore! " : u"Attenzione! ";
    testo += detail;
    testo += TestoGenerico(code);
    m_Voci.Aggiungi(testo, isError);
}

void CErrAvvGenerico::ControllaLineaMaglia(WString nome1, WString nome2) {
    if (ControlloNomePF(nome1) != REGOLA_OK && ControlloNomePF(nome2) != REGOLA_OK)
        AddMsg(true, 63, WString());
    SetOpzioni(true);
}

void CErrAvvGenerico::ControllaRelazione() {
    if (m_pCts && m_pCts->GetRelazArSize() == 0)
        AddMsg(true, 96, WString());
}

void CErrAvvGenerico::ControllaNomeParticella(WString nome) {
    if (m_pCts && nome.CompareNoCase(u"ACQUA") != 0 && nome.CompareNoCase(u"STRADA") != 0) {
        const CCtsParticelleArray& particelle = m_pCts->m_Particelle;
        for (int i = 0; i < particelle.GetParticellaArSize(); ++i) {
            const CCtsParticella* p = particelle.GetParticellaAt(i);
            if (p && p->GetNome().Compare(nome) == 0) {
                AddMsg(true, 94, WString());
                break;
            }
        }
    }
    SetOpzioni(false);
}

void CErrAvvGenerico::ControllaPuntoSelezionato(WString nome) {
    if (ControlloNomePunto(nome) != REGOLA_OK)
        AddMsg(false, 22, nome);
}

void CErrAvvGenerico::ControllaAngoliVerticali() {
    if (!m_pLibCmp)
        return;
    for (int j = 0; j < m_pLibCmp->GetJobArSize(); ++j) {
        const CJob* job = m_pLibCmp->GetJobAt(j);
        if (!job || job->GetCodeNP())
            continue;
        for (int s = 0; s < m_pLibCmp->GetStaArSize(j); ++s) {
            const CSta* sta = m_pLibCmp->GetStaAt(j, s);
            if (!sta || sta->IsCodedNP())
                continue;
            for (int k = 0; k < m_pLibCmp->GetPunArSize(j, s); ++k) {
                const CPun* p = m_pLibCmp->GetPunAt(j, s, k);
                if (!p || p->IsCodedNP())
                    continue;
                // Work on copies: the check must not turn the survey's readings.
                double zenitale = p->GetDato1();
                double azimutale = p->GetDato2();
                if (CalcoloDrittoOCap(zenitale, azimutale)) {
                    AddMsg(false, 93, WString());
                    SetOpzioni(false);
                    return;
                }
            }
        }
    }
}
