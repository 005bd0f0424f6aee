#include "distances/VerificaDistanze.h"

#include "hostapi/Conversions.h"
#include "hostapi/Settings.h"
#include "rules/ControlloLibretto.h"
#include "rules/Regole.h"

#include <algorithm>
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

CVerificaDistanze::Id CVerificaDistanze::IdNome(const WString& nome) {
    const auto [it, nuovo] = m_IdNomi.emplace(nome.str(), static_cast<Id>(m_Nomi.size()));
    if (nuovo) {
        m_Nomi.push_back(nome);
        const auto noto = m_IndiceNoti.find(nome.str());
        m_NotoDi.push_back(noto == m_IndiceNoti.end() ? -1 : static_cast<std::int64_t>(noto->second));
    }
    return it->second;
}

CVerificaDistanze::Id CVerificaDistanze::CercaNome(const WString& nome) const {
    const auto it = m_IdNomi.find(nome.str());
    return it == m_IdNomi.end() ? NESSUNO : it->second;
}

bool CVerificaDistanze::CoppiaNota(Id a, Id b, double& distanza) const {
    const std::int64_t na = m_NotoDi[a], nb = m_NotoDi[b];
    if (na < 0 || nb < 0 || na == nb)
        return false;
    // As listed, the earlier known point first.
    const CPuntoVerifica& p = m_Noti[static_cast<std::size_t>(std::min(na, nb))];
    const CPuntoVerifica& q = m_Noti[static_cast<std::size_t>(std::max(na, nb))];
    distanza = DistanzaPiana(p.x, p.y, q.x, q.y);
    return true;
}

bool CVerificaDistanze::IsCoppiaMisurata(Id a, Id b) const {
    for (const Coppia& c : m_CoppieMisurate)
        if ((c.a == a && c.b == b) || (c.a == b && c.b == a))
            return true;
    return false;
}

CCoppiaDistanza CVerificaDistanze::GetCoppiaMisurata(std::size_t i) const {
    const Coppia& c = m_CoppieMisurate[i];
    return {m_Nomi[c.a], m_Nomi[c.b], c.distanza};
}

void CVerificaDistanze::CostruisciNoti() {
    m_Noti.clear();
    m_IndiceNoti.clear();
    m_Nomi.clear();
    m_NotoDi.clear();
    m_IdNomi.clear();
    m_CoppieMisurate.clear();
    m_Risultati.clear();
    if (!m_pCmp)
        return;
    const CLibConOri& ori = *m_pCmp;
    for (int i = 0; i < ori.GetOriArSize(); ++i) {
        const COri* p = ori.GetOriAt(i);
        if (p && !p->IsCodedNP() && m_IndiceNoti.emplace(p->GetNome().str(), m_Noti.size()).second)
            m_Noti.push_back({p->GetNome(), p->GetCoordX(), p->GetCoordY()});
    }
}

void CVerificaDistanze::AggiungiMisurato(WString nome, double x, double y) {
    if (ControlloNomePF(nome) == REGOLA_OK) {
        if (m_pCts)
            m_pCts->CompletaNomePfPregeo(nome);
    } else if (!IsNoto(nome)) {
        return;
    }
    // Each name is measured once, at its first place: while building, a name is known only once measured.
    const std::size_t prima = m_Nomi.size();
    if (IdNome(nome) < prima)
        return;
    m_Misurati.push_back({nome, x, y});
}

void CVerificaDistanze::Costruisci() {
    CostruisciNoti();
    m_Misurati.clear();
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
    // The names are unique, so no candidate is a measured pair yet.
    std::vector<Id> ids;
    std::vector<char> completi;
    for (const CPuntoVerifica& p : m_Misurati) {
        ids.push_back(CercaNome(p.nome));
        completi.push_back(ControlloNomePFCompleto(p.nome) == REGOLA_OK);
    }
    double nota = 0;
    for (std::size_t i = 0; i < m_Misurati.size(); ++i)
        for (std::size_t j = i + 1; j < m_Misurati.size(); ++j)
            if ((completi[i] && completi[j]) || CoppiaNota(ids[i], ids[j], nota)) {
                const CPuntoVerifica& a = m_Misurati[i];
                const CPuntoVerifica& b = m_Misurati[j];
                m_CoppieMisurate.push_back({ids[i], ids[j], DistanzaPiana(a.x, a.y, b.x, b.y)});
            }
}

bool CVerificaDistanze::AggiungiCoppiaMisurata(WString nome1, WString nome2, double distanza) {
    for (WString* nome : {&nome1, &nome2})
        if (m_pCts && ControlloNomePF(*nome) == REGOLA_OK)
            m_pCts->CompletaNomePfPregeo(*nome);
    const Id a = IdNome(nome1), b = IdNome(nome2);
    if (IsCoppiaMisurata(a, b))
        return false;
    double nota = 0;
    if (!CoppiaNota(a, b, nota) &&
        (ControlloNomePFCompleto(nome1) != REGOLA_OK || ControlloNomePFCompleto(nome2) != REGOLA_OK))
        return false;
    m_CoppieMisurate.push_back({a, b, distanza});
    return true;
}

CVerificaDistanze::Risultato CVerificaDistanze::Confronta(std::uint32_t coppia, double confronto,
                                                          double tolleranza, Tipo tipo) const {
    const Coppia& c = m_CoppieMisurate[coppia];
    Risultato r{coppia, -1, 0, 0, tipo, ESITO_INDETERMINATO};
    double inferiore = 0, superiore = 0;
    if (tipo != Tipo::Nessuno) {
        r.confronto = confronto;
        r.tolleranza = tolleranza;
        r.esito = EntroTolleranza(std::fabs(Differenza(c.distanza, confronto)), tolleranza) ? ESITO_IN
                                                                                            : ESITO_FUORI;
        inferiore = Differenza(c.distanza, tolleranza);
        superiore = Somma(c.distanza, tolleranza);
    }
    if (tipo == Tipo::Nessuno || m_Nomi[c.a].IsEmpty() || m_Nomi[c.b].IsEmpty() ||
        IsRealeIndefinito(c.distanza) || IsRealeIndefinito(inferiore) || IsRealeIndefinito(superiore) ||
        IsRealeIndefinito(r.confronto))
        r.esito = ESITO_INDETERMINATO;
    return r;
}

CRisultatoDistanza CVerificaDistanze::GetRisultato(std::size_t i) const {
    static const WString kTipi[] = {WString(), kTipoMedia, kTipoTaf, kTipoLibretto};
    const Risultato& s = m_Risultati[i];
    const Coppia& c = m_CoppieMisurate[s.coppia];
    CRisultatoDistanza r;
    r.nome1 = m_Nomi[c.a];
    r.nome2 = m_Nomi[c.b];
    r.misurata = c.distanza;
    r.zona = m_Zona;
    r.tipo = kTipi[static_cast<int>(s.tipo)];
    r.esito = s.esito;
    if (s.tipo != Tipo::Nessuno) {
        r.confronto = s.confronto;
        r.tolleranza = s.tolleranza;
        r.differenza = std::fabs(Differenza(r.misurata, s.confronto));
        r.inferiore = Differenza(r.misurata, s.tolleranza);
        r.superiore = Somma(r.misurata, s.tolleranza);
    }
    if (s.estratta >= 0 && m_pCts)
        r.libretto = m_pCts->m_EstrMap.GetDistanzaAt(s.estratta)->GetRifLibretto();
    return r;
}

std::vector<CRisultatoDistanza> CVerificaDistanze::GetRisultati() const {
    std::vector<CRisultatoDistanza> tutti;
    tutti.reserve(m_Risultati.size());
    for (std::size_t i = 0; i < m_Risultati.size(); ++i)
        tutti.push_back(GetRisultato(i));
    return tutti;
}

std::size_t CVerificaDistanze::Calcola(const COpzioniTollDist& opzioni) {
    m_Risultati.clear();
    m_Zona = ZonaValida(opzioni.zona);
    // The imported distances whose two names are those of some pair, by the pair's numbers (the
    // smaller first) and then in the extract's order.
    struct Estratta {
        std::uint64_t chiave;
        std::int32_t indice;
    };
    std::vector<Estratta> estratte;
    const CLibEstrMap* estratto = m_pCts ? &m_pCts->m_EstrMap : nullptr;
    const int n = estratto ? estratto->GetDistanzaArSize() : 0;
    const auto chiave = [](Id a, Id b) {
        return a < b ? (std::uint64_t{a} << 32) | b : (std::uint64_t{b} << 32) | a;
    };
    for (int i = 0; i < n; ++i) {
        const CCtsDistanza& d = *estratto->GetDistanzaAt(i);
        const Id a = CercaNome(d.GetNome1()), b = CercaNome(d.GetNome2());
        if (a != NESSUNO && b != NESSUNO && a != b)
            estratte.push_back({chiave(a, b), i});
    }
    std::sort(estratte.begin(), estratte.end(), [](const Estratta& x, const Estratta& y) {
        return x.chiave != y.chiave ? x.chiave < y.chiave : x.indice < y.indice;
    });

    const double tollScala = TolleranzaScala(DenominatoreScala(opzioni.scala));
    for (std::uint32_t k = 0; k < m_CoppieMisurate.size(); ++k) {
        const Coppia& coppia = m_CoppieMisurate[k];
        const double tollZona = TolleranzaZona(opzioni.zona, coppia.distanza);
        const std::uint64_t cercata = chiave(coppia.a, coppia.b);
        auto it = std::lower_bound(estratte.begin(), estratte.end(), cercata,
                                   [](const Estratta& e, std::uint64_t c) { return e.chiave < c; });
        bool confrontata = false;
        if (opzioni.calcolo == 1) {
            for (; it != estratte.end() && it->chiave == cercata; ++it) {
                Risultato r = Confronta(k, estratto->GetDistanzaAt(it->indice)->GetDistanza(), tollZona,
                                        Tipo::Libretto);
                r.estratta = it->indice;
                m_Risultati.push_back(r);
                confrontata = true;
            }
        } else {
            // A distance imported without a value takes no part in the mean.
            double somma = 0;
            int conteggio = 0;
            for (; it != estratte.end() && it->chiave == cercata; ++it) {
                const double d = estratto->GetDistanzaAt(it->indice)->GetDistanza();
                if (!IsRealeIndefinito(d)) {
                    somma += d;
                    ++conteggio;
                }
            }
            if (conteggio > 0) {
                m_Risultati.push_back(Confronta(k, somma / conteggio, tollZona, Tipo::Media));
                confrontata = true;
            }
        }
        if (confrontata)
            continue;
        double nota = 0;
        if (CoppiaNota(coppia.a, coppia.b, nota))
            m_Risultati.push_back(Confronta(k, nota, tollScala, Tipo::Taf));
        else
            m_Risultati.push_back(Confronta(k, 0, 0, Tipo::Nessuno));
    }
    return m_Risultati.size();
}
