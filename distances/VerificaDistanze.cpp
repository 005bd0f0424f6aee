#include "distances/VerificaDistanze.h"

#include "hostapi/Conversions.h"
#include "hostapi/Settings.h"
#include "rules/ControlloLibretto.h"
#include "rules/Regole.h"

#include <cmath>

namespace {

constexpr const char16_t* kSezione = u"PregeoTollDist";
constexpr const char16_t* kTipoMedia = u"Media-Mis.";
constexpr const char16_t* kTipoTaf = u"Dist.Taf.";
constexpr const char16_t* kTipoLibretto = u"Libretto: ";
constexpr int kRiga5Mancante = 47;

struct CFormulaZona {
    double base;
    double perMetro;
    double oltre300;
};
constexpr CFormulaZona kZone[ZONE_TOLLERANZA] = {
    {0.05, 0.0013, 0.45}, {0.05, 0.0016, 0.55}, {0.1, 0.002, 0.7}};

std::pair<WString, WString> ChiaveCoppia(const WString& a, const WString& b) {
    return a < b ? std::make_pair(a, b) : std::make_pair(b, a);
}

// Arithmetic on values that may be undefined: 1.7e200 - 1.7e200 must not come out as 0.
double Somma(double a, double b) {
    return IsRealeIndefinito(a) || IsRealeIndefinito(b) ? REALE_INDEFINITO : a + b;
}
double Differenza(double a, double b) {
    return IsRealeIndefinito(a) || IsRealeIndefinito(b) ? REALE_INDEFINITO : a - b;
}

int ZonaValida(int zona) {
    return zona >= 0 && zona < ZONE_TOLLERANZA ? zona : 0;
}

} // namespace

double TolleranzaZona(int zona, double d) {
    if (IsRealeIndefinito(d))
        return REALE_INDEFINITO;
    const CFormulaZona& f = kZone[ZonaValida(zona)];
    return d <= 300 ? f.base + f.perMetro * d : f.oltre300;
}

double TolleranzaScala(std::int32_t denominatore) {
    if (denominatore >= 4000)
        return 3.0;
    if (denominatore >= 3000)
        return 2.5;
    if (denominatore >= 2000)
        return 2.0;
    return 1.5;
}

std::int32_t DenominatoreScala(std::int32_t indice) {
    constexpr std::int32_t kScale[] = {500, 1000, 2000, 4000};
    return indice >= 0 && indice < 4 ? kScale[indice] : kScale[0];
}

bool EntroTolleranza(double differenza, double tolleranza) {
    // To the micrometre: a difference equal to the tolerance must not fall out by a rounding of the sums.
    return ArrotondatoAtDec(differenza, 6) <= ArrotondatoAtDec(tolleranza, 6);
}

double DistanzaPiana(double x1, double y1, double x2, double y2) {
    if (IsRealeIndefinito(x1) || IsRealeIndefinito(y1) || IsRealeIndefinito(x2) || IsRealeIndefinito(y2))
        return REALE_INDEFINITO;
    return std::hypot(x2 - x1, y2 - y1);
}

COpzioniTollDist COpzioniTollDist::Leggi() {
    const CIniFile ini;
    COpzioniTollDist o;
    o.zona = ZonaValida(ini.GetShort(kSezione, u"Zone", 0));
    o.calcolo = ini.GetShort(kSezione, u"Calc", 0) == 1 ? 1 : 0;
    const std::int32_t scala = ini.GetLong(kSezione, u"Scale", 0);
    o.scala = scala >= 0 && scala < 4 ? scala : 0;
    return o;
}

bool COpzioniTollDist::Scrivi(bool confronto) const {
    CIniFile ini;
    if (!ini.WriteShort(kSezione, u"Zone", static_cast<short>(zona)))
        return false;
    return !confronto || (ini.WriteShort(kSezione, u"Calc", static_cast<short>(calcolo)) &&
                          ini.WriteLong(kSezione, u"Scale", scala));
}

CIntervalloDistanza::CIntervalloDistanza(const WString& a, const WString& b, double d, int zona)
    : nome1(a), nome2(b), misurata(d) {
    Calcola(zona);
}

void CIntervalloDistanza::Calcola(int zona) {
    zona = ZonaValida(zona);
    tolleranza = TolleranzaZona(zona, misurata);
    inferiore = Differenza(misurata, tolleranza);
    superiore = Somma(misurata, tolleranza);
    zonaMostrata = zona + 1;
}

// ---------------------------------------------------------------------------------------------------

bool CVerificaDistanze::IsNoto(const WString& nome) const {
    for (const CPuntoVerifica& p : m_Noti)
        if (p.nome == nome)
            return true;
    return false;
}

const CCoppiaDistanza* CVerificaDistanze::CoppiaNota(const WString& a, const WString& b) const {
    const auto it = m_IndiceNote.find(ChiaveCoppia(a, b));
    return it == m_IndiceNote.end() ? nullptr : &m_CoppieNote[it->second];
}

bool CVerificaDistanze::IsCoppiaMisurata(const WString& a, const WString& b) const {
    for (const CCoppiaDistanza& c : m_CoppieMisurate)
        if (c.Unisce(a, b))
            return true;
    return false;
}

void CVerificaDistanze::CostruisciNoti() {
    m_Noti.clear();
    m_CoppieNote.clear();
    m_IndiceNote.clear();
    if (!m_pCmp)
        return;
    const CLibConOri& ori = *m_pCmp;
    for (int i = 0; i < ori.GetOriArSize(); ++i) {
        const COri* p = ori.GetOriAt(i);
        if (p && !p->IsCodedNP() && !IsNoto(p->GetNome()))
            m_Noti.push_back({p->GetNome(), p->GetCoordX(), p->GetCoordY()});
    }
    for (std::size_t i = 0; i < m_Noti.size(); ++i)
        for (std::size_t j = i + 1; j < m_Noti.size(); ++j) {
            const CPuntoVerifica& a = m_Noti[i];
            const CPuntoVerifica& b = m_Noti[j];
            if (a.nome == b.nome ||
                !m_IndiceNote.emplace(ChiaveCoppia(a.nome, b.nome), m_CoppieNote.size()).second)
                continue;
            m_CoppieNote.push_back({a.nome, b.nome, DistanzaPiana(a.x, a.y, b.x, b.y)});
        }
}

void CVerificaDistanze::AggiungiMisurato(WString nome, double x, double y) {
    if (ControlloNomePF(nome) == REGOLA_OK) {
        if (m_pCts)
            m_pCts->CompletaNomePfPregeo(nome);
    } else if (!IsNoto(nome)) {
        return;
    }
    for (const CPuntoVerifica& p : m_Misurati)
        if (p.nome == nome)
            return;
    m_Misurati.push_back({nome, x, y});
}

void CVerificaDistanze::Costruisci() {
    CostruisciNoti();
    m_Misurati.clear();
    m_CoppieMisurate.clear();
    if (m_pCmp)
        for (int j = 0; j < m_pCmp->GetJobArSize(); ++j) {
            const CJob* job = m_pCmp->GetJobAt(j);
            if (job->GetCodeNP())
                continue;
            for (int s = 0; s < job->GetStaArSize(); ++s) {
                const CSta* sta = job->GetStaAt(s);
                if (sta->IsCodedNP())
                    continue;
                for (int p = 0; p < sta->GetPunArSize(); ++p) {
                    const CPun* pun = sta->GetPunAt(p);
                    if (!pun->IsCodedNP())
                        AggiungiMisurato(pun->GetNome(), pun->GetCoordX(), pun->GetCoordY());
                }
            }
        }
    if (m_pGps)
        for (int g = 0; g < m_pGps->GetGrpArSize(); ++g) {
            const CGrpGps* grp = m_pGps->GetGrpAt(g);
            if (grp->IsCodedNP())
                continue;
            for (int p = 0; p < grp->GetPunArSize(); ++p) {
                const CPunGps* pun = grp->GetPunAt(p);
                if (!pun->IsCodedNP())
                    AggiungiMisurato(pun->GetNome(), pun->GetCoordX(), pun->GetCoordY());
            }
        }
    if (m_pCts) {
        bool primaRiga4 = true;
        const CCtsRigArray& righe = m_pCts->m_Righe45;
        for (int r = 0; r < righe.GetRigArSize(); ++r) {
            CRig* riga = righe.GetRigAt(r);
            if (riga->GetSpecRiga() != 0)
                continue;
            if (riga->GetTipoRiga() == '5') {
                AggiungiMisurato(riga->GetLblNome1(), riga->GetCoordX(), riga->GetCoordY());
            } else if (riga->GetTipoRiga() == '4' && primaRiga4) {
                primaRiga4 = false;
                // The alignment's origin counts only when a row 5 gives its distance to the orientation
                // point, or the survey measures it otherwise.
                CControlloLibretto controllo(riga, m_pCts, m_pCmp, m_pGps, nullptr);
                if (controllo.ControllaRiga5Distanza(riga->GetLblNome1(), riga->GetLblNome2()) ==
                    kRiga5Mancante)
                    continue;
                WString nome = riga->GetLblNome1();
                if (ControlloNomePF(nome) == REGOLA_OK)
                    m_pCts->CompletaNomePfPregeo(nome);
                double x = REALE_INDEFINITO;
                double y = REALE_INDEFINITO;
                for (int i = 0; m_pCmp && i < m_pCmp->GetOriArSize(); ++i)
                    if (const COri* p = m_pCmp->GetOriAt(i); p && p->GetNome() == nome) {
                        x = p->GetCoordX();
                        y = p->GetCoordY();
                        break;
                    }
                AggiungiMisurato(nome, x, y);
            }
        }
    }
    for (std::size_t i = 0; i < m_Misurati.size(); ++i)
        for (std::size_t j = i + 1; j < m_Misurati.size(); ++j) {
            // The names are unique, so no candidate is a measured pair yet.
            const CPuntoVerifica& a = m_Misurati[i];
            const CPuntoVerifica& b = m_Misurati[j];
            if (CoppiaNota(a.nome, b.nome) || (ControlloNomePFCompleto(a.nome) == REGOLA_OK &&
                                               ControlloNomePFCompleto(b.nome) == REGOLA_OK))
                m_CoppieMisurate.push_back({a.nome, b.nome, DistanzaPiana(a.x, a.y, b.x, b.y)});
        }
}

bool CVerificaDistanze::AggiungiCoppiaMisurata(WString nome1, WString nome2, double distanza) {
    for (WString* nome : {&nome1, &nome2})
        if (m_pCts && ControlloNomePF(*nome) == REGOLA_OK)
            m_pCts->CompletaNomePfPregeo(*nome);
    if (IsCoppiaMisurata(nome1, nome2))
        return false;
    if (!CoppiaNota(nome1, nome2) &&
        (ControlloNomePFCompleto(nome1) != REGOLA_OK || ControlloNomePFCompleto(nome2) != REGOLA_OK))
        return false;
    m_CoppieMisurate.push_back({nome1, nome2, distanza});
    return true;
}

CRisultatoDistanza CVerificaDistanze::Confronta(const CCoppiaDistanza& coppia,
                                                const COpzioniTollDist& opzioni, double confronto,
                                                double tolleranza, const WString& tipo) const {
    CRisultatoDistanza r;
    r.nome1 = coppia.nome1;
    r.nome2 = coppia.nome2;
    r.misurata = coppia.distanza;
    r.zona = ZonaValida(opzioni.zona);
    if (!tipo.IsEmpty()) {
        r.tipo = tipo;
        r.confronto = confronto;
        r.tolleranza = tolleranza;
        r.differenza = std::fabs(Differenza(r.misurata, confronto));
        r.esito = EntroTolleranza(r.differenza, tolleranza) ? ESITO_IN : ESITO_FUORI;
        r.inferiore = Differenza(r.misurata, tolleranza);
        r.superiore = Somma(r.misurata, tolleranza);
    }
    if (r.tipo.IsEmpty() || r.nome1.IsEmpty() || r.nome2.IsEmpty() || IsRealeIndefinito(r.misurata) ||
        IsRealeIndefinito(r.inferiore) || IsRealeIndefinito(r.superiore) || IsRealeIndefinito(r.confronto))
        r.esito = ESITO_INDETERMINATO;
    return r;
}

const std::vector<CRisultatoDistanza>& CVerificaDistanze::Calcola(const COpzioniTollDist& opzioni) {
    m_Risultati.clear();
    const CLibEstrMap* estratto = m_pCts ? &m_pCts->m_EstrMap : nullptr;
    const int n = estratto ? estratto->GetDistanzaArSize() : 0;
    auto stessiPunti = [](const CCoppiaDistanza& c, const CCtsDistanza& d) {
        return c.Unisce(d.GetNome1(), d.GetNome2());
    };
    for (const CCoppiaDistanza& coppia : m_CoppieMisurate) {
        const double tollZona = TolleranzaZona(opzioni.zona, coppia.distanza);
        bool confrontata = false;
        if (opzioni.calcolo == 1) {
            for (int i = 0; i < n; ++i) {
                const CCtsDistanza& d = *estratto->GetDistanzaAt(i);
                if (!stessiPunti(coppia, d))
                    continue;
                CRisultatoDistanza r = Confronta(coppia, opzioni, d.GetDistanza(), tollZona, kTipoLibretto);
                r.libretto = d.GetRifLibretto();
                m_Risultati.push_back(r);
                confrontata = true;
            }
        } else {
            // A distance imported without a value takes no part in the mean.
            double somma = 0;
            int conteggio = 0;
            for (int i = 0; i < n; ++i) {
                const CCtsDistanza& d = *estratto->GetDistanzaAt(i);
                if (stessiPunti(coppia, d) && !IsRealeIndefinito(d.GetDistanza())) {
                    somma += d.GetDistanza();
                    ++conteggio;
                }
            }
            if (conteggio > 0) {
                m_Risultati.push_back(Confronta(coppia, opzioni, somma / conteggio, tollZona, kTipoMedia));
                confrontata = true;
            }
        }
        if (confrontata)
            continue;
        if (const CCoppiaDistanza* nota = CoppiaNota(coppia.nome1, coppia.nome2))
            m_Risultati.push_back(Confronta(coppia, opzioni, nota->distanza,
                                            TolleranzaScala(DenominatoreScala(opzioni.scala)), kTipoTaf));
        else
            m_Risultati.push_back(Confronta(coppia, opzioni, 0, 0, WString()));
    }
    return m_Risultati;
}
