// GPS baseline and celerimetric station checks of the booklet checker.
//
// The chaining queries ask whether a name occurs among everything surveyed before a station or a group,
// which walked naively costs the square of the survey. CRicercaRilievo answers them from tables built
// once per family. The counters the queries keep are only ever tested against zero, and a query that
// finds nothing has compared everything before it, so the tables add the size of the searched range:
// exact when nothing is found, and above zero whenever something is.
#include "hostapi/Conversions.h"
#include "rules/ControlloLibretto.h"
#include "rules/IndicePunti.h"
#include "rules/Regole.h"
#include "rules/TabellaNomi.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <memory>
#include <unordered_map>
#include <vector>

namespace {

bool Escluso(const CEgn* p) {
    return !p || p->IsCodedNP();
}

bool JobEscluso(const CJob* job) {
    return !job || job->GetCodeNP();
}

int Clamp(int v, int basso, int alto) {
    return v < basso ? basso : (v > alto ? alto : v);
}

constexpr int MAI = INT_MAX;

} // namespace

class CRicercaRilievo {
public:
    CRicercaRilievo(const CLibCmp* cmp, const CLibGps* gps, const CCts* cts) {
        std::size_t stima = 0;
        if (gps)
            for (int g = 0; g < gps->GetGrpArSize(); ++g)
                stima += 1 + static_cast<std::size_t>(gps->GetPunArSize(g));
        if (cmp)
            for (int j = 0; j < cmp->GetJobArSize(); ++j)
                for (int s = 0; s < cmp->GetStaArSize(j); ++s)
                    stima += 1 + static_cast<std::size_t>(cmp->GetPunArSize(j, s));
        m_Nomi.reserve(stima);
        if (gps)
            CostruisciGps(*gps);
        if (cmp) {
            CostruisciStazioni(*cmp);
            for (int i = 0; i < cmp->GetOriArSize(); ++i) {
                const COri* o = cmp->GetOriAt(i);
                if (!Escluso(o) && !m_Nomi[o->GetNome()].ori)
                    m_Nomi[o->GetNome()].ori = o;
            }
        }
        if (cts) {
            const CCtsRigArray& vista = cts->m_Righe45;
            for (int i = 0; i < vista.GetRigArSize(); ++i) {
                const CRig* r = vista.GetRigAt(i);
                if (r && r->GetTipoRiga() == '5' && r->GetSpecRiga() == 0)
                    m_Nomi[r->GetLblNome1()].allineamento = true;
            }
        }
    }

    bool IsBattutaDaGps(const WString& nome, int n, int& punti) const {
        n = Clamp(n, 0, static_cast<int>(m_PuntiGpsPrima.size()) - 1);
        punti += m_PuntiGpsPrima[static_cast<std::size_t>(n)];
        const Voce* v = Cerca(nome);
        return v && v->gruppoGps < n;
    }
    bool IsPuntoGps(const WString& nome, int& nomi) const {
        nomi += m_NomiGps;
        const Voce* v = Cerca(nome);
        return v && v->gruppoGps != MAI;
    }
    bool IsBattutaPrima(const WString& nome, int job, int stazione, int& punti) const {
        if (!Valido(job, stazione))
            return false;
        const Lavoro& l = m_Lavori[static_cast<std::size_t>(job)];
        punti += l.puntiPrima + l.puntiPrimaStazione[static_cast<std::size_t>(stazione)];
        const Voce* v = Cerca(nome);
        return v && (v->PrimaStazione(job) < stazione || v->lavoroBattuta < job);
    }
    bool IsDefinitoPrima(const WString& nome, int job, int stazione, int& nomi) const {
        if (!Valido(job, stazione))
            return false;
        const Lavoro& l = m_Lavori[static_cast<std::size_t>(job)];
        nomi += l.nomiPrima + l.nomiPrimaStazione[static_cast<std::size_t>(stazione)];
        const Voce* v = Cerca(nome);
        return v && (v->PrimaStazione(job) < stazione || v->lavoroDefinito < job);
    }
    bool IsStazioneAllineamento(const WString& nome) const {
        const Voce* v = Cerca(nome);
        return v && v->allineamento;
    }
    const COri* GetOri(const WString& nome) const {
        const Voce* v = Cerca(nome);
        return v ? v->ori : nullptr;
    }

private:
    // Everything the queries need to know about one name, so that each name is hashed once.
    struct Voce {
        int gruppoGps = MAI;      // first GPS group naming it (group or point, not excluded)
        int lavoroBattuta = MAI;  // first job where it counts as observed, for later jobs
        int lavoroDefinito = MAI; // first job where it counts as defined, for later jobs
        bool allineamento = false;
        const COri* ori = nullptr;
        // Within each job, the first station (not excluded) naming or observing it; jobs in order.
        int job = -1;
        int stazione = MAI;
        std::vector<std::pair<int, int>> altriJob;

        void SegnaStazione(int j, int s) {
            if (job < 0) {
                job = j;
                stazione = s;
            } else if (job != j && (altriJob.empty() || altriJob.back().first != j)) {
                altriJob.emplace_back(j, s);
            }
        }
        int PrimaStazione(int j) const {
            if (job == j)
                return stazione;
            const auto it =
                std::lower_bound(altriJob.begin(), altriJob.end(), std::pair<int, int>(j, INT_MIN));
            return it != altriJob.end() && it->first == j ? it->second : MAI;
        }
    };

    struct Lavoro {
        // Points and names compared by a query about station i of this job, within the job and before it.
        std::vector<int> puntiPrimaStazione;
        std::vector<int> nomiPrimaStazione;
        int puntiPrima = 0;
        int nomiPrima = 0;
    };

    const Voce* Cerca(const WString& nome) const { return m_Nomi.Trova(nome); }

    bool Valido(int job, int stazione) const {
        return job >= 0 && job < static_cast<int>(m_Lavori.size()) && stazione >= 0 &&
               stazione < static_cast<int>(m_Lavori[static_cast<std::size_t>(job)].puntiPrimaStazione.size());
    }

    static void Minimo(int& campo, int valore) {
        if (valore < campo)
            campo = valore;
    }

    void CostruisciGps(const CLibGps& gps) {
        m_PuntiGpsPrima.assign(1, 0);
        for (int g = 0; g < gps.GetGrpArSize(); ++g) {
            const CGrpGps* grp = gps.GetGrpAt(g);
            int punti = 0;
            if (!Escluso(grp)) {
                Minimo(m_Nomi[grp->GetNome()].gruppoGps, g);
                ++m_NomiGps;
                for (int k = 0; k < grp->GetPunArSize(); ++k) {
                    const CPunGps* p = grp->GetPunAt(k);
                    if (Escluso(p))
                        continue;
                    Minimo(m_Nomi[p->GetNome()].gruppoGps, g);
                    ++punti;
                }
                m_NomiGps += punti;
            }
            m_PuntiGpsPrima.push_back(m_PuntiGpsPrima.back() + punti);
        }
    }

    void CostruisciStazioni(const CLibCmp& cmp) {
        int puntiPrima = 0;
        int nomiPrima = 0;
        m_Lavori.resize(static_cast<std::size_t>(cmp.GetJobArSize()));
        for (int j = 0; j < cmp.GetJobArSize(); ++j) {
            const CJob* job = cmp.GetJobAt(j);
            const bool jobValido = !JobEscluso(job);
            Lavoro& l = m_Lavori[static_cast<std::size_t>(j)];
            l.puntiPrima = puntiPrima;
            l.nomiPrima = nomiPrima;
            const int numStazioni = job ? job->GetStaArSize() : 0;
            int punti = 0, nomi = 0, puntiStazioniEscluse = 0;
            for (int s = 0; s < numStazioni; ++s) {
                l.puntiPrimaStazione.push_back(punti);
                l.nomiPrimaStazione.push_back(nomi);
                const CSta* sta = job->GetStaAt(s);
                if (!sta)
                    continue;
                const bool staEsclusa = sta->IsCodedNP();
                Voce& vs = m_Nomi[sta->GetNome()];
                if (!staEsclusa) {
                    vs.SegnaStazione(j, s);
                    ++nomi;
                }
                // Later jobs: any station answers "observed before"; only stations that count define names.
                if (jobValido) {
                    Minimo(vs.lavoroBattuta, j);
                    if (!staEsclusa)
                        Minimo(vs.lavoroDefinito, j);
                }
                for (int k = 0; k < sta->GetPunArSize(); ++k) {
                    const CPun* p = sta->GetPunAt(k);
                    if (Escluso(p))
                        continue;
                    Voce& vp = m_Nomi[p->GetNome()];
                    if (jobValido)
                        Minimo(vp.lavoroDefinito, j);
                    if (staEsclusa) {
                        ++puntiStazioniEscluse;
                        continue;
                    }
                    vp.SegnaStazione(j, s);
                    if (jobValido)
                        Minimo(vp.lavoroBattuta, j);
                    ++punti;
                    ++nomi;
                }
            }
            if (jobValido) {
                puntiPrima += punti;
                nomiPrima += nomi + puntiStazioniEscluse;
            }
        }
    }

    CTabellaNomi<Voce> m_Nomi;
    std::vector<int> m_PuntiGpsPrima{0};
    int m_NomiGps = 0;
    std::vector<Lavoro> m_Lavori;
};

namespace {

// Installs the tables for one family and removes them when it ends.
class RicercaAttiva {
public:
    RicercaAttiva(bool veloce, const CRicercaRilievo*& slot, const CLibCmp* cmp, const CLibGps* gps,
                  const CCts* cts)
        : m_Slot(slot), m_Precedente(slot) {
        if (veloce && !slot) {
            m_Tabelle = std::make_unique<CRicercaRilievo>(cmp, gps, cts);
            slot = m_Tabelle.get();
        }
    }
    ~RicercaAttiva() { m_Slot = m_Precedente; }
    RicercaAttiva(const RicercaAttiva&) = delete;
    RicercaAttiva& operator=(const RicercaAttiva&) = delete;

private:
    const CRicercaRilievo*& m_Slot;
    const CRicercaRilievo* m_Precedente;
    std::unique_ptr<CRicercaRilievo> m_Tabelle;
};

bool Contiene(const std::vector<WString>& elenco, const WString& nome) {
    for (const WString& n : elenco)
        if (n.Compare(nome) == 0)
            return true;
    return false;
}

// Base minus start, missing when either end is missing.
double Componente(double fine, double inizio) {
    return IsRealeIndefinito(fine) || IsRealeIndefinito(inizio) ? REALE_INDEFINITO : fine - inizio;
}

bool DataValida(const CPunGps* p) {
    return p->GetDay() >= 1 && p->GetDay() <= 31 && p->GetMonth() >= 1 && p->GetMonth() <= 12 &&
           p->GetYear() > 1900 && p->GetTod() != 0;
}

} // namespace

void CControlloLibretto::ControllaGps() {
    if (!m_pLibGps || !m_VerPregeo.IsVerMaggioreDi(VER_PREGEO_1007))
        return;
    const RicercaAttiva ricerca(m_RicercaVeloce, m_pRicerca, m_pLibCmp, m_pLibGps, m_pCts);
    for (int g = 0; g < m_pLibGps->GetGrpArSize(); ++g) {
        const CGrpGps* grp = m_pLibGps->GetGrpAt(g);
        if (Escluso(grp))
            continue;
        m_MisurePresenti = 1;
        m_nPuntiPrecedenti = 0;

        for (int k = 0; k < grp->GetPunArSize(); ++k) {
            const CPunGps* p = grp->GetPunAt(k);
            if (!Escluso(p) && !DataValida(p)) {
                AddMsgPregeo(-1, WString(), false, 97, WString());
                break;
            }
        }

        const WString nome = grp->GetNome();
        const auto errore = [&](int code, const WString& detail) {
            AddMsgPregeo(-1, u"1", true, code, detail);
        };
        errore(ControlloNomeNumerico(nome), u"Nome vertice baseline iniziale GPS: " + nome);
        if (g == 0) {
            m_StazioniSegnalate.push_back(nome);
        } else if (!IsBattutaDaGps(nome, g) && !IsStazioneAllineamento(nome) &&
                   !Contiene(m_GpsSegnalati, nome) && m_nPuntiPrecedenti > 0) {
            errore(56, u"Nome Stazione GPS: " + nome);
            m_GpsSegnalati.push_back(nome);
        }
        double x0 = 0, y0 = 0, z0 = 0;
        grp->GetGeocCeFaMis(x0, y0, z0);
        errore(ControlloRange7_3(x0), u"Coord. X di " + nome);
        errore(ControlloRange7_3(y0), u"Coord. Y di " + nome);
        errore(ControlloRange7_3(z0), u"Coord. Z di " + nome);
        errore(ControlloRange2_3(grp->GetBaseAltAnt()), u"Altezza Antenna baseline iniziale: " + nome);
        const WString notaGruppo = grp->GetSecScri();
        AddMsgPregeo(-1, u"1", false, ControlloMax40(notaGruppo), u"Nota: " + notaGruppo);
        errore(ControlloPdopGdop(grp->m_PDOP, grp->m_GDOP), u"PDOP, GPDP ");

        for (int k = 0; k < grp->GetPunArSize(); ++k) {
            const CPunGps* p = grp->GetPunAt(k);
            if (Escluso(p))
                continue;
            const WString punto = p->GetNome();
            const auto erroreP = [&](int code, const WString& detail) {
                AddMsgPregeo(-1, u"2", true, code, detail);
            };
            erroreP(ControlloNomePunto(punto), u"Nome vertice baseline finale GPS: " + punto);
            erroreP(ControllaQuotaPf(punto), u"Nome Punto: " + punto);
            double x1 = 0, y1 = 0, z1 = 0;
            p->GetGeocCeFaMis(x1, y1, z1);
            const double dx = Componente(x1, x0), dy = Componente(y1, y0), dz = Componente(z1, z0);
            erroreP(ControlloRange7_3(dx), u"Coord. X di: " + punto);
            erroreP(ControlloRange7_3(dy), u"Coord. Y di: " + punto);
            erroreP(ControlloRange7_3(dz), u"Coord. Z di: " + punto);
            const double lunghezza = IsRealeIndefinito(dx) || IsRealeIndefinito(dy) || IsRealeIndefinito(dz)
                                         ? REALE_INDEFINITO
                                         : std::sqrt(dx * dx + dy * dy + dz * dz);
            erroreP(ControlloCovarianza(lunghezza, p->GetPosCov_xx(), p->GetPosCov_xy(), p->GetPosCov_xz(),
                                        p->GetPosCov_yy(), p->GetPosCov_yz(), p->GetPosCov_zz()),
                    u"Matrice di Covarianza di " + punto);
            erroreP(ControlloPdopGdop(p->GetPdop(), p->GetGdop()), u"PDOP, GPDP di " + punto);
            erroreP(ControlloRange2_3(p->GetAltAnt()), u"Altezza Antenna di " + punto);
            const WString nota = p->GetCode();
            AddMsgPregeo(-1, u"2", false, ControlloMax40(nota), u"Nota: " + nota);
            if (SoloCifre(nota))
                erroreP(100, u"Nota: " + nota);
        }
    }
}

void CControlloLibretto::ControllaStazioni() {
    if (!m_pCts || !m_pLibCmp || !m_pLibGps || !m_VerPregeo.IsVerMaggioreDi(VER_PREGEO_1007))
        return;
    const RicercaAttiva ricerca(m_RicercaVeloce, m_pRicerca, m_pLibCmp, m_pLibGps, m_pCts);
    int gruppi = 0;
    for (int g = 0; g < m_pLibGps->GetGrpArSize(); ++g)
        if (!Escluso(m_pLibGps->GetGrpAt(g)))
            ++gruppi;
    const int formato = m_pCts->m_FormatoPunti;
    const CCalcDsOr& calcolo = m_pLibCmp->GetCalcDsOr();
    bool primoJob = true;
    int stessoFoglio = 0, altroFoglio = 0;
    int definitiPrima = 0;

    for (int j = 0; j < m_pLibCmp->GetJobArSize(); ++j) {
        if (JobEscluso(m_pLibCmp->GetJobAt(j)))
            continue;
        // The survey's first station has nothing before it to be observed from or to observe.
        bool primaStazione = primoJob;
        for (int i = 0; i < m_pLibCmp->GetStaArSize(j); ++i) {
            const CSta* sta = m_pLibCmp->GetStaAt(j, i);
            if (Escluso(sta))
                continue;
            const bool inizio = primaStazione;
            primaStazione = false;
            m_MisurePresenti = 1;
            m_nPuntiPrecedenti = 0;
            const WString nome = sta->GetNome();
            const auto erroreS = [&](int code, const WString& detail) {
                AddMsgPregeo(-1, u"1", true, code, detail);
            };

            if (gruppi == 0 && m_StazioniSegnalate.empty())
                m_StazioniSegnalate.push_back(nome);
            if (!(inizio && gruppi == 0) && !IsBattutaDaGps(nome, m_pLibGps->GetGrpArSize()) &&
                !IsBattutaPrima(nome, j, i) && !IsStazioneAllineamento(nome) &&
                !Contiene(m_StazioniSegnalate, nome) && m_nPuntiPrecedenti >= 1) {
                erroreS(56, u"Nome Stazione: " + nome);
                m_StazioniSegnalate.push_back(nome);
            }
            erroreS(ControlloNomeNumerico(nome), u"Nome Stazione: " + nome);
            const WString iden = sta->GetIden();
            AddMsgPregeo(-1, u"1", false, ControlloMax40(iden),
                         u"Nota " + iden + u" della Stazione: " + nome);
            if (SoloCifre(iden))
                erroreS(100, u"Nota: " + iden);

            for (int k = 0; k < sta->GetPunArSize(); ++k) {
                const CPun* p = sta->GetPunAt(k);
                if (Escluso(p))
                    continue;
                const WString punto = p->GetNome();
                const auto erroreP = [&](int code, const WString& detail) {
                    AddMsgPregeo(-1, u"2", true, code, detail);
                };
                double zenit = p->GetDato1();
                double direzione = p->GetDato2();
                CalcoloDrittoOCap(zenit, direzione);
                double orizzontale = calcolo.CalcDistOr(p->GetDato0(), zenit);
                if (IsRealeIndefinito(orizzontale))
                    orizzontale = 0;

                erroreP(ControlloNomePunto(punto), u"Nome Punto: " + punto);
                erroreP(ControlloRange0_400(direzione), u"Direzione azimutale del punto: " + punto);
                if (formato == 0) {
                    erroreP(ControlloRange0_99999(orizzontale), u"Distanza orizzontale del punto: " + punto);
                } else if (formato == 1 || formato == 2) {
                    erroreP(ControlloRange0_400(zenit), u"Direzione zenitale del punto: " + punto);
                    erroreP(ControlloRange0_99999(p->GetDato0()), u"Distanza inclinata del punto: " + punto);
                }
                if (formato == 2) {
                    erroreP(ControlloRangeInteri9(p->GetAltPri()), u"Altezza mira del punto: " + punto);
                    if (ControlloNomePF(punto) == REGOLA_OK)
                        ControllaAltimetriaPf(punto, p->IsCoded3D(), stessoFoglio, altroFoglio);
                }
                const WString nota = p->GetCode();
                AddMsgPregeo(-1, u"2", false, ControlloMax40(nota), u"Nota: " + nota);
                if (SoloCifre(nota))
                    erroreP(100, u"Nota: " + nota);

                m_nNomiPrecedenti = 0;
                if (m_pLibGps->GetGrpArSize() > 0 && IsPuntoGps(punto))
                    ++definitiPrima;
                if (!inizio && IsDefinitoPrima(punto, j, i))
                    ++definitiPrima;
            }

            if (definitiPrima > 0)
                definitiPrima = 0;
            else if (!(inizio && gruppi == 0) && m_nNomiPrecedenti > 0)
                erroreS(55, u"Nome Stazione: " + nome);
        }
        if (stessoFoglio >= 2 && altroFoglio >= 1)
            AddMsgPregeo(-1, u"2", true, 99, WString());
        primoJob = false;
    }
}

void CControlloLibretto::ControllaAltimetriaPf(const WString& nome, bool is3D, int& stessoFoglio,
                                               int& altroFoglio) {
    const bool conFoglio = nome.GetLength() >= 5 && m_VerPregeo.IsVerMaggioreOrUgualeA(VER_PREGEO_1009);
    const bool foglioLibretto = conFoglio && nome.Mid(5, 4) == m_pCts->GetFogl();
    if (is3D) {
        const int quota = ControllaQuotaPf(nome);
        AddMsgPregeo(-1, u"2", true, quota, u"Nome Punto: " + nome);
        if (nome.GetLength() < 5 || foglioLibretto)
            ++stessoFoglio;
        else if (conFoglio && quota == 57)
            ++altroFoglio;
        return;
    }
    if (conFoglio && !foglioLibretto)
        return;
    AddMsgPregeo(-1, u"2", false, 58, u"Nome Punto: " + nome);
    ++stessoFoglio;
}

bool CControlloLibretto::IsBattutaDaGps(WString nome, int numGruppi) {
    if (!m_pLibGps)
        return false;
    if (m_pRicerca)
        return m_pRicerca->IsBattutaDaGps(nome, numGruppi, m_nPuntiPrecedenti);
    for (int g = 0; g < numGruppi && g < m_pLibGps->GetGrpArSize(); ++g) {
        const CGrpGps* grp = m_pLibGps->GetGrpAt(g);
        if (Escluso(grp))
            continue;
        if (grp->GetNome().Compare(nome) == 0)
            return true;
        for (int k = 0; k < grp->GetPunArSize(); ++k) {
            const CPunGps* p = grp->GetPunAt(k);
            if (Escluso(p))
                continue;
            ++m_nPuntiPrecedenti;
            if (p->GetNome().Compare(nome) == 0)
                return true;
        }
    }
    return false;
}

bool CControlloLibretto::IsBattutaPrima(WString nome, int job, int stazione) {
    if (!m_pLibCmp)
        return false;
    if (m_pRicerca)
        return m_pRicerca->IsBattutaPrima(nome, job, stazione, m_nPuntiPrecedenti);
    const auto puntiDi = [&](const CSta* sta) {
        for (int k = 0; k < sta->GetPunArSize(); ++k) {
            const CPun* p = sta->GetPunAt(k);
            if (Escluso(p))
                continue;
            ++m_nPuntiPrecedenti;
            if (p->GetNome().Compare(nome) == 0)
                return true;
        }
        return false;
    };
    const CJob* corrente = m_pLibCmp->GetJobAt(job);
    for (int s = 0; corrente && s < stazione && s < corrente->GetStaArSize(); ++s) {
        const CSta* sta = corrente->GetStaAt(s);
        if (Escluso(sta))
            continue;
        if (sta->GetNome().Compare(nome) == 0 || puntiDi(sta))
            return true;
    }
    for (int j = 0; j < job && j < m_pLibCmp->GetJobArSize(); ++j) {
        const CJob* precedente = m_pLibCmp->GetJobAt(j);
        if (JobEscluso(precedente))
            continue;
        for (int s = 0; s < precedente->GetStaArSize(); ++s) {
            const CSta* sta = precedente->GetStaAt(s);
            if (!sta)
                continue;
            if (sta->GetNome().Compare(nome) == 0)
                return true;
            if (!sta->IsCodedNP() && puntiDi(sta))
                return true;
        }
    }
    return false;
}

bool CControlloLibretto::IsStazioneAllineamento(WString nome) {
    if (m_pRicerca)
        return m_pRicerca->IsStazioneAllineamento(nome);
    if (!m_pCts)
        return false;
    const CCtsRigArray& vista = m_pCts->m_Righe45;
    for (int i = 0; i < vista.GetRigArSize(); ++i) {
        const CRig* r = vista.GetRigAt(i);
        if (r && r->GetTipoRiga() == '5' && r->GetSpecRiga() == 0 && r->GetLblNome1().Compare(nome) == 0)
            return true;
    }
    return false;
}

bool CControlloLibretto::IsPuntoGps(WString nome) {
    if (!m_pLibGps)
        return false;
    if (m_pRicerca)
        return m_pRicerca->IsPuntoGps(nome, m_nNomiPrecedenti);
    for (int g = 0; g < m_pLibGps->GetGrpArSize(); ++g) {
        const CGrpGps* grp = m_pLibGps->GetGrpAt(g);
        if (Escluso(grp))
            continue;
        ++m_nNomiPrecedenti;
        if (grp->GetNome().Compare(nome) == 0)
            return true;
        for (int k = 0; k < grp->GetPunArSize(); ++k) {
            const CPunGps* p = grp->GetPunAt(k);
            if (Escluso(p))
                continue;
            ++m_nNomiPrecedenti;
            if (p->GetNome().Compare(nome) == 0)
                return true;
        }
    }
    return false;
}

bool CControlloLibretto::IsDefinitoPrima(WString nome, int job, int stazione) {
    if (!m_pLibCmp)
        return false;
    if (m_pRicerca)
        return m_pRicerca->IsDefinitoPrima(nome, job, stazione, m_nNomiPrecedenti);
    const auto uguale = [&](const CEgn* p) {
        ++m_nNomiPrecedenti;
        return p->GetNome().Compare(nome) == 0;
    };
    const CJob* corrente = m_pLibCmp->GetJobAt(job);
    for (int s = 0; corrente && s < stazione && s < corrente->GetStaArSize(); ++s) {
        const CSta* sta = corrente->GetStaAt(s);
        if (Escluso(sta))
            continue;
        if (uguale(sta))
            return true;
        for (int k = 0; k < sta->GetPunArSize(); ++k)
            if (!Escluso(sta->GetPunAt(k)) && uguale(sta->GetPunAt(k)))
                return true;
    }
    for (int j = 0; j < job && j < m_pLibCmp->GetJobArSize(); ++j) {
        const CJob* precedente = m_pLibCmp->GetJobAt(j);
        if (JobEscluso(precedente))
            continue;
        for (int s = 0; s < precedente->GetStaArSize(); ++s) {
            const CSta* sta = precedente->GetStaAt(s);
            if (!sta)
                continue;
            if (!sta->IsCodedNP() && uguale(sta))
                return true;
            // In an earlier job a point counts even when its station is excluded.
            for (int k = 0; k < sta->GetPunArSize(); ++k)
                if (!Escluso(sta->GetPunAt(k)) && uguale(sta->GetPunAt(k)))
                    return true;
        }
    }
    return false;
}

int CControlloLibretto::ControllaQuotaPf(WString nome) {
    if (ControlloNomePF(nome) != REGOLA_OK || !m_pCts || !m_pLibCmp)
        return REGOLA_OK;
    m_pCts->CompletaNomePfPregeo(nome);
    const COri* punto = nullptr;
    if (m_pRicerca) {
        punto = m_pRicerca->GetOri(nome);
    } else {
        for (int i = 0; i < m_pLibCmp->GetOriArSize() && !punto; ++i) {
            const COri* o = m_pLibCmp->GetOriAt(i);
            if (!Escluso(o) && o->GetNome().Compare(nome) == 0)
                punto = o;
        }
    }
    if (punto && (IsRealeIndefinito(punto->GetCoordZ()) || punto->GetAttendibV() == 0))
        return 57;
    return REGOLA_OK;
}
