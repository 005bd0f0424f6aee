// Row checks (rows 3, 4, 5, 6, 7), orientation points, alignment limits, point lookup and the point index.
#include "hostapi/Conversions.h"
#include "rules/ControlloLibretto.h"
#include "rules/IndicePunti.h"
#include "rules/Regole.h"

#include <climits>
#include <cmath>
#include <unordered_set>

namespace {

bool IsNomeFiduciale(const WString& nome) {
    return nome.GetLength() > 2 && (nome[0] == u'P' || nome[0] == u'p') &&
           (nome[1] == u'F' || nome[1] == u'f') && ControlloNomePF(nome) == REGOLA_OK;
}

WString Completato(const CCts* cts, WString nome) {
    if (cts && IsNomeFiduciale(nome))
        cts->CompletaNomePfPregeo(nome);
    return nome;
}

bool IsRiga4Standard(const CRig* r) {
    return r && r->GetTipoRiga() == '4' && r->GetSpecRiga() != 1 && r->GetSpecRiga() != 2;
}

bool IsRiga5Standard(const CRig* r) {
    return r && r->GetTipoRiga() == '5' && r->GetSpecRiga() == 0;
}

// Two different vertices with one name, the closing vertex of a polygon of more than 3 excepted.
int ControlloVerticiDuplicati(const CRig* riga) {
    const int n = riga->GetVrtArSize();
    const auto nome = [riga](int i) {
        const CCtsVrt* v = riga->GetVrtAt(i);
        return v ? v->GetNome() : WString();
    };
    int ultimo = n;
    if (n > 3 && nome(0) == nome(n - 1))
        ultimo = n - 1;
    std::unordered_set<WString, HashNome> visti;
    for (int i = 0; i < ultimo; ++i)
        if (!visti.insert(nome(i)).second)
            return 40;
    return REGOLA_OK;
}

// The angle correction as the booklet stores it, an integer; a value that no integer holds is out of range.
int CorrezioneAngolare(double valore) {
    if (IsRealeIndefinito(valore) || !(std::fabs(valore) < 1e9))
        return 13;
    return ControlloCorrezioneAngolare(static_cast<int>(valore));
}

} // namespace

CIndicePunti::CIndicePunti(CLibGps* gps, CLibCmp* stazioni, CCts* libretto) {
    // Every name goes in completed, as the row checks complete every name they look up: a short fiducial
    // name from one source must meet its full form from another.
    const auto aggiungi = [&](std::initializer_list<int> insiemi, const WString& nome) {
        unsigned char bits = 0;
        for (int i : insiemi)
            if (i >= 1 && i <= NUM_INSIEMI)
                bits |= Bit(i);
        if (bits)
            Segna(bits, Completato(libretto, nome));
    };
    const auto seFiduciale = [](const WString& nome, int insieme) {
        return IsNomeFiduciale(nome) ? insieme : 0;
    };

    if (stazioni) {
        for (int j = 0; j < stazioni->GetJobArSize(); ++j) {
            const CJob* job = stazioni->GetJobAt(j);
            if (!job || job->GetCodeNP())
                continue;
            for (int s = 0; s < stazioni->GetStaArSize(j); ++s) {
                const CSta* sta = stazioni->GetStaAt(j, s);
                if (!sta)
                    continue;
                if (!sta->IsCodedNP())
                    aggiungi({1, 2, 3, 4, 5}, sta->GetNome());
                for (int k = 0; k < sta->GetPunArSize(); ++k) {
                    const CPun* p = sta->GetPunAt(k);
                    if (!p || p->IsCodedNP())
                        continue;
                    const WString nome = p->GetNome();
                    aggiungi({1, 2, 3, 4, 6, seFiduciale(nome, 5), p->IsCoded3D() ? 7 : 0}, nome);
                }
            }
        }
    }
    if (gps) {
        for (int g = 0; g < gps->GetGrpArSize(); ++g) {
            const CGrpGps* grp = gps->GetGrpAt(g);
            if (!grp || grp->IsCodedNP())
                continue;
            aggiungi({1, 2, 3, 4, 5}, grp->GetNome());
            for (int k = 0; k < grp->GetPunArSize(); ++k) {
                const CPunGps* p = grp->GetPunAt(k);
                if (p && !p->IsCodedNP())
                    aggiungi({1, 2, 3, 4, 6, 7, seFiduciale(p->GetNome(), 5)}, p->GetNome());
            }
        }
    }
    if (libretto) {
        const CCtsRigArray& vista = libretto->m_Righe45;
        for (int i = 0; i < vista.GetRigArSize(); ++i) {
            const CRig* r = vista.GetRigAt(i);
            if (!r)
                continue;
            if (r->GetTipoRiga() == '5') {
                const WString nome = r->GetLblNome1();
                aggiungi({1, 2, 3, 4, r->GetSpecRiga() == 0 ? 6 : 7, seFiduciale(nome, 5)}, nome);
            } else if (IsRiga4Standard(r)) {
                aggiungi({1, 2, 6}, r->GetLblNome1());
            } else if (r->GetTipoRiga() == '4') {
                // Levelling from one end names only its station point, in the first name.
                aggiungi({1, 2, 7}, r->GetSpecRiga() == 1 ? r->GetLblNome1() : r->GetLblNome2());
            }
        }
    }
    if (stazioni && stazioni->GetOriArSizePregeo() >= 1) {
        for (int i = 0; i < stazioni->GetOriArSize(); ++i) {
            const COri* o = stazioni->GetOriAt(i);
            if (!o || o->IsCodedNP())
                continue;
            const WString nome = o->GetNome();
            const bool completo = ControlloNomePFCompleto(nome) == REGOLA_OK;
            if (completo || ControlloNomeNumerico(nome) == REGOLA_OK)
                aggiungi({2, 3, completo ? 0 : 1}, nome);
        }
    }
}

void CControlloLibretto::CompletaNome(WString& nome) const {
    nome = Completato(m_pCts, nome);
}

bool CControlloLibretto::HasRiga4Precedente() const {
    // The walk stops at the first standard row 4, which in a booklet is near the top: cheap per row.
    const CCtsRigArray& vista = m_pCts->m_Righe45;
    for (int i = 0; i < vista.GetRigArSize(); ++i) {
        const CRig* r = vista.GetRigAt(i);
        if (r == m_pRigaCorrente)
            return false;
        if (IsRiga4Standard(r))
            return true;
    }
    return false;
}

bool CControlloLibretto::HasStazioni() const {
    if (m_pLibCmp)
        for (int j = 0; j < m_pLibCmp->GetJobArSize(); ++j) {
            const CJob* job = m_pLibCmp->GetJobAt(j);
            if (!job || job->GetCodeNP())
                continue;
            for (int s = 0; s < m_pLibCmp->GetStaArSize(j); ++s)
                if (const CSta* sta = m_pLibCmp->GetStaAt(j, s); sta && !sta->IsCodedNP())
                    return true;
        }
    if (m_pLibGps)
        for (int g = 0; g < m_pLibGps->GetGrpArSize(); ++g)
            if (const CGrpGps* grp = m_pLibGps->GetGrpAt(g); grp && !grp->IsCodedNP())
                return true;
    return false;
}

bool CControlloLibretto::HasRiga5Distanza(const WString& orientamento) const {
    const CCtsRigArray& vista = m_pCts->m_Righe45;
    for (int i = 0; i < vista.GetRigArSize(); ++i) {
        const CRig* r = vista.GetRigAt(i);
        if (IsRiga5Standard(r) && r->GetDatoRea1() != 0 && r->GetDatoRea2() == 0 &&
            Completato(m_pCts, r->GetLblNome1()) == orientamento)
            return true;
    }
    return false;
}

int CControlloLibretto::ControllaRiga5Distanza(WString origine, WString orientamento) {
    (void)origine;
    if (!m_pCts)
        return REGOLA_OK;
    CompletaNome(orientamento);
    return !HasStazioni() && !HasRiga5Distanza(orientamento) ? 47 : REGOLA_OK;
}

void CControlloLibretto::ControllaRiga3(int rowNumber) {
    if (!m_pCts || !m_pRigaCorrente || !m_VerPregeo.IsVerMaggioreDi(VER_PREGEO_1007))
        return;
    const CRig* riga = m_pRigaCorrente;
    const int n = riga->GetVrtArSize();
    AddMsgPregeo(rowNumber, u"3", true, n == 0 ? 38 : (n <= 3 ? 37 : REGOLA_OK),
                 u"Numero Vertici della poligonale ");
    AddMsgPregeo(rowNumber, u"3", true, ControlloVerticiDuplicati(riga), u"--");
    if (!m_pIndice)
        return;
    for (int i = 0; i < n; ++i) {
        const CCtsVrt* v = riga->GetVrtAt(i);
        WString nome = v ? v->GetNome() : WString();
        CompletaNome(nome);
        if (!m_pIndice->IsPresente(5, nome))
            AddMsgPregeo(rowNumber, u"3", true, 36, u"Punto: " + nome);
    }
}

void CControlloLibretto::ControllaRiga4(int rowNumber) {
    if (!m_pCts || !m_pRigaCorrente || !m_VerPregeo.IsVerMaggioreDi(VER_PREGEO_1007))
        return;
    const CRig* riga = m_pRigaCorrente;
    const auto errore = [&](int code, const WString& detail) {
        AddMsgPregeo(rowNumber, u"4", true, code, detail);
    };

    WString orientamento = riga->GetLblNome2();
    CompletaNome(orientamento);
    if (m_pIndice && !m_pIndice->IsPresente(4, orientamento))
        errore(36, u"Punto Orientamento: " + orientamento);
    // Both names are compared completed, so "PF01" and its full form count as one point.
    WString origine = riga->GetLblNome1();
    CompletaNome(origine);
    errore(ControlloNomiDuplicati(origine, orientamento), WString());
    if (!HasRiga4Precedente()) {
        errore(ControllaRiga5Distanza(origine, orientamento), WString());
        if (m_pIndice && !m_pIndice->IsPresente(3, origine))
            errore(36, u"Punto Origine: " + origine);
    } else if (m_pIndice && !m_pIndice->IsPresente(4, origine)) {
        errore(36, u"Punto Origine: " + origine);
    }
    errore(ControlloNomePunto(origine), u"Punto Origine: " + origine);
    errore(ControlloNomePunto(orientamento), u"Punto Orientamento: " + orientamento);
    errore(CorrezioneAngolare(riga->GetDatoRea2()), u"Angolo ");
    const WString nota = riga->GetLblMater();
    AddMsgPregeo(rowNumber, u"4", false, ControlloMax40(nota), u"Nota: " + nota);
}

void CControlloLibretto::ControllaRiga4Speciale(int rowNumber) {
    if (!m_pCts || !m_pRigaCorrente || !m_VerPregeo.IsVerMaggioreDi(VER_PREGEO_1007))
        return;
    const CRig* riga = m_pRigaCorrente;
    const WString nota = riga->GetLblMater();
    AddMsgPregeo(rowNumber, u"4L", false, ControlloMax40(nota), u"Nota: " + nota);
    const auto punto = [&](WString nome, const char16_t* etichetta) {
        CompletaNome(nome);
        if (m_pIndice && !m_pIndice->IsPresente(4, nome))
            AddMsgPregeo(rowNumber, u"4L", true, 36, etichetta + nome);
        AddMsgPregeo(rowNumber, u"4L", true, ControlloNomePunto(nome), etichetta + nome);
        return nome;
    };
    if (riga->GetSpecRiga() == 1) {
        punto(riga->GetLblNome1(), u"Identificativo Punto Stazione: ");
    } else if (riga->GetSpecRiga() == 2) {
        const WString indietro = punto(riga->GetLblNome1(), u"Punto Indietro: ");
        const WString avanti = punto(riga->GetLblNome2(), u"Punto Avanti: ");
        AddMsgPregeo(rowNumber, u"4", true, ControlloNomiDuplicati(indietro, avanti), WString());
    }
}

void CControlloLibretto::ControllaRiga5(int rowNumber) {
    if (!m_pCts || !m_pRigaCorrente || !m_VerPregeo.IsVerMaggioreDi(VER_PREGEO_1007))
        return;
    const CRig* riga = m_pRigaCorrente;
    const WString nota = riga->GetLblMater();
    AddMsgPregeo(rowNumber, u"5", false, ControlloMax40(nota), u"Nota: " + nota);
    WString nome = riga->GetLblNome1();
    CompletaNome(nome);
    AddMsgPregeo(rowNumber, u"5", true, ControlloNomePunto(nome), u"Identificativo punto: " + nome);
    AddMsgPregeo(rowNumber, u"5", true, ControlloRange4_3(riga->GetDatoRea1()), u"Progressiva ");
    AddMsgPregeo(rowNumber, u"5", true, ControlloRange4_3(riga->GetDatoRea2()), u"Squadro ");
}

void CControlloLibretto::ControllaRiga5Speciale(int rowNumber) {
    if (!m_pCts || !m_pRigaCorrente || !m_VerPregeo.IsVerMaggioreDi(VER_PREGEO_1007))
        return;
    const CRig* riga = m_pRigaCorrente;
    const WString nota = riga->GetLblMater();
    AddMsgPregeo(rowNumber, u"5L", false, ControlloMax40(nota), u"Nota: " + nota);
    WString nome = riga->GetLblNome1();
    CompletaNome(nome);
    if (m_pIndice && !m_pIndice->IsPresente(2, nome))
        AddMsgPregeo(rowNumber, u"5L", true, 36, u"Identificativo Punto: " + nome);
    AddMsgPregeo(rowNumber, u"5L", true, ControlloNomePunto(nome), u"Identificativo Punto: " + nome);
}

void CControlloLibretto::ControllaNotaRiga6(int rowNumber) {
    if (!m_pCts || !m_pRigaCorrente || !m_VerPregeo.IsVerMaggioreDi(VER_PREGEO_1007))
        return;
    const WString nota = m_pRigaCorrente->GetLblMater();
    AddMsgPregeo(rowNumber, u"6", false, ControlloMax72(nota), u"Nota: " + nota);
}

void CControlloLibretto::ControllaRiga7(int rowNumber) {
    if (!m_pCts || !m_pRigaCorrente || !m_VerPregeo.IsVerMaggioreDi(VER_PREGEO_1007))
        return;
    const CRig* riga = m_pRigaCorrente;
    const auto errore = [&](int code, const WString& detail) {
        AddMsgPregeo(rowNumber, u"7", true, code, detail);
    };
    const int n = riga->GetVrtArSize();
    const auto vertice = [riga](int i) { return riga->GetVrtAt(i); };

    errore(ControlloVerticiDuplicati(riga), u"--");

    if (m_VerPregeo.IsVerMaggioreOrUgualeA(VER_PREGEO_1015) && !m_LineeRosseSegnalate) {
        const short tipo = ShortDaStringNullZero(m_pCts->GetRiga9()->GetLblNome2());
        if ((tipo >= 1 && tipo <= 6) || tipo == 15 || tipo == 17) {
            for (int i = 0; i < n; ++i) {
                if (vertice(i) && vertice(i)->m_Colore == 'R') {
                    errore(113, WString());
                    m_LineeRosseSegnalate = true;
                    break;
                }
            }
        }
    }

    if (m_pIndice) {
        for (int i = 0; i < n; ++i) {
            WString nome = vertice(i) ? vertice(i)->GetNome() : WString();
            CompletaNome(nome);
            if (!m_pIndice->IsPresente(1, nome))
                errore(36, u"Punto: " + nome);
        }
    }

    if (n == 0)
        errore(53, WString());

    if (n > 3 && vertice(0) && vertice(n - 1) && vertice(0)->GetNome() == vertice(n - 1)->GetNome()) {
        const WString particella = riga->GetLblNome1();
        const WString madre = riga->GetLblNome2();
        if (m_VerPregeo.IsVerUgualeA(VER_PREGEO_1013) && !particella.IsEmpty() && !madre.IsEmpty())
            errore(108, particella + u" " + madre);
        if (!particella.IsEmpty() || !madre.IsEmpty()) {
            errore(ControlloParticella(particella), u"Nome Particella: " + particella);
            errore(ControlloParticella(madre), u"Nome Particella Madre: " + madre);
        }
        const double censuaria = riga->GetDatoRea2();
        if (censuaria > 0 && !IsRealeIndefinito(censuaria)) {
            const double cartografica = riga->GetDatoRea1();
            const bool reale = riga->GetDatoInt1() == 1;
            if (!InTolleranza(cartografica, censuaria, reale))
                errore(83, u"Superficie cartografica: " + CStringDaDouble(cartografica, 4) +
                               u" Superficie censuaria: " + CStringDaDouble(censuaria, 4) + u" Natura: " +
                               (reale ? u"reale" : u"nominale"));
        }
    }

    if (n == 1 && vertice(0) && vertice(0)->m_Colore != 'P')
        errore(95, WString());
}

void CControlloLibretto::ControllaPuntiOri() {
    if (!m_pLibCmp || !m_VerPregeo.IsVerMaggioreDi(VER_PREGEO_1007))
        return;
    const bool libretto0 = m_pCts && m_pCts->m_TipoLibretto == 0;
    for (int i = 0; i < m_pLibCmp->GetOriArSize(); ++i) {
        const COri* o = m_pLibCmp->GetOriAt(i);
        if (!o || o->IsCodedNP())
            continue;
        const int riga = i + 1;
        const auto voce = [&](bool err, int code, const WString& detail) {
            AddMsgPregeo(riga, u"8", err, code, detail);
        };
        const WString nome = StringTrimBoth(o->GetNome());
        const int esitoNome =
            ControlloNomePF(nome) != REGOLA_OK ? ControlloNomeNumerico(nome) : ControlloNomePFCompleto(nome);
        voce(true, esitoNome, u"Nome Punto: " + nome);

        const int nord = ControlloRange8_3(o->GetCoordY());
        const int est = ControlloRange8_3(o->GetCoordX());
        const int quota = ControlloRange8_3(o->GetCoordZ());
        if (nord == 43 || est == 43 || quota == 43) {
            voce(true, 59, u"Nome Punto: " + nome);
            continue;
        }
        if (o->GetAttendibO() > 0) {
            voce(true, nord, u"Coordinata Nord del punto: " + nome);
            voce(true, est, u"Coordinata Est del punto: " + nome);
        }
        if (o->GetAttendibV() > 0)
            voce(true, quota, u"Quota del punto: " + nome);

        if (nord == REGOLA_OK && est == REGOLA_OK) {
            voce(true, ControlloAttendibilitaPlan(o->GetTipoPunto(), nome, o->GetAttendibO()),
                 u"Planimetria - attendibilità ");
            voce(false, ControlloNota(o->GetComm()), u"Nota planimetrica del punto: " + nome);
            if (o->GetTipoPunto() == TIPO_PUNTO_RIF_FRAZIONE)
                ControllaNotaPlanimetrica(o->GetComm(), nome);
            // A fiducial point needs no type of its own; a user-numbered point saved without one does.
            if (o->GetTipoPunto() == TIPO_PUNTO_FIDUCIALE && ControlloNomePF(nome) != REGOLA_OK)
                voce(true, 48, u"Nome Punto: " + nome);
            if (libretto0 && m_pIndice && !m_pIndice->IsPresente(6, nome))
                voce(true, 46, u"Nome Punto: " + nome);
        }
        if (quota == REGOLA_OK) {
            voce(true, ControlloAttendibilitaAlt(o->GetAttendibV()), u"Quota - attendibilità: ");
            const int nota = ControlloNotaAltimetrica(o->GetNotaAlt());
            voce(nota != 42, nota, u"Nota altimetrica del punto: " + nome);
            if (libretto0 && m_pIndice && !m_pIndice->IsPresente(7, nome))
                voce(true, 102, u"Nome Punto: " + nome);
        }
    }
    m_MisurePresenti = 1;
}

void CControlloLibretto::ControllaNotaPlanimetrica(WString nota, WString nome) {
    const auto errore = [&](int code, const WString& detail) { AddMsgPregeo(-1, u"8", true, code, detail); };
    if (nota.GetLength() < 7) {
        errore(45, u"Nome Punto: " + nome);
        return;
    }
    if (LongDaStringNullZero(nota.Left(4)) < 1989) {
        errore(44, u"Anno indicato nel commento della nota planimetrica del punto " + nome);
        return;
    }
    const int uguale = nota.Find(u'=', 4);
    const WString protocollo = uguale < 0 ? nota.Mid(4) : nota.Mid(4, uguale - 4);
    const int esito = ControlloProtocollo(protocollo);
    errore(esito, u"Protocollo indicato nel commento della nota planimetrica del punto " + nome);
    if (esito != REGOLA_OK)
        return;
    const WString punto = uguale < 0 ? WString() : nota.Mid(uguale + 1);
    errore(ControlloNomePunto(punto), u"Nome del Punto indicato nella nota planimetrica del punto " + nome);
}

std::vector<CEsitoAllineamento> EsitiAllineamenti(CCts& libretto, CLibGps* gps, CLibCmp* stazioni,
                                                  const CercaCoordinate& cerca, bool spazioSquadro3m) {
    std::vector<CEsitoAllineamento> esiti;
    const CCtsRigArray& vista = libretto.m_Righe45;
    const int n = vista.GetRigArSize();
    int i = 0;
    while (i < n) {
        const CRig* r4 = vista.GetRigAt(i++);
        if (!IsRiga4Standard(r4))
            continue;
        const WString origine = r4->GetLblNome1();
        const WString orientamento = r4->GetLblNome2();
        double x0 = REALE_INDEFINITO, y0 = REALE_INDEFINITO, x1 = REALE_INDEFINITO, y1 = REALE_INDEFINITO;
        cerca(origine, x0, y0);
        cerca(orientamento, x1, y1);
        const bool terzo = r4->GetLblMater().Find(WString(u"*S*")) >= 0;
        const bool definito = !IsRealeIndefinito(x0) && !IsRealeIndefinito(y0) && !IsRealeIndefinito(x1) &&
                              !IsRealeIndefinito(y1);
        const double L = definito ? std::hypot(x1 - x0, y1 - y0) : 0;
        // The first row that is not a standard row 5 ends the alignment and is examined by the outer walk.
        for (; i < n && IsRiga5Standard(vista.GetRigAt(i)); ++i) {
            const CRig* r5 = vista.GetRigAt(i);
            if (!definito || IsPuntoRilevato(r5->GetLblNome1(), gps, stazioni, &libretto))
                continue;
            const WString inizio =
                u"Allineamento: " + origine + u"-" + orientamento + u", Nome Punto: " + r5->GetLblNome1();
            const auto esito = [&](int codice, const WString& resto) {
                esiti.push_back({i + 1, codice, inizio + resto});
            };
            double eccedenza = 0, limite = 0;
            const int prol = VerificaProlungamento(L, r5->GetDatoRea1(), &eccedenza, &limite);
            const WString v = CStringDaDouble(eccedenza, 3);
            const WString lim = CStringDaDouble(limite, 3);
            if (prol == 1)
                esito(61, u", Prolungamento: " + v + u" m > sia a " + lim + u" m che a 50 m");
            else if (prol == 2)
                esito(61, u", Prolungamento: " + v + u" m > a " + lim + u" m");

            double squadro = r5->GetDatoRea2(), limiteSq = 0;
            const int sq = VerificaSquadro(L, &squadro, terzo, &limiteSq);
            const WString s = CStringDaDouble(squadro, 3);
            const WString limSq = CStringDaDouble(limiteSq, 3);
            if (sq == 1)
                esito(62, u", Squadro: " + s + u" m >= sia a " + limSq + u" che a 16 m");
            else if (sq == 2)
                esito(62, u", Squadro: " + s + u" m >= 16m");
            else if (sq == 3)
                esito(62, u", Squadro: " + s + u" m >= a " + limSq + u" m");
            else if (sq == 4)
                esito(62, (spazioSquadro3m ? u", Squadro: " : u", Squadro:") + s + u" m >= a 3 m");
        }
    }
    return esiti;
}

void CControlloLibretto::ControllaAllineamenti() {
    if (!m_pCts)
        return;
    const auto cerca = [this](const WString& nome, double& x, double& y) { CercaCoordPunto(nome, x, y); };
    for (const CEsitoAllineamento& e : EsitiAllineamenti(*m_pCts, m_pLibGps, m_pLibCmp, cerca, true))
        AddMsgPregeo(e.riga, u"5", true, e.codice, e.testo);
}

void CControlloLibretto::CercaCoordPunto(WString nome, double& x, double& y) {
    if (!m_pCts)
        return;
    const auto trovato = [&](const CEgn* p) {
        x = p->GetCoordX();
        y = p->GetCoordY();
    };
    // Survey points and rows are compared with fiducial names completed on both sides; the searched name
    // stays completed from the first such comparison on.
    const auto ugualeCompletato = [&](const WString& altro) {
        CompletaNome(nome);
        return Completato(m_pCts, altro) == nome;
    };
    if (m_pLibCmp) {
        for (int j = 0; j < m_pLibCmp->GetJobArSize(); ++j) {
            const CJob* job = m_pLibCmp->GetJobAt(j);
            if (!job || job->GetCodeNP())
                continue;
            for (int s = 0; s < m_pLibCmp->GetStaArSize(j); ++s) {
                const CSta* sta = m_pLibCmp->GetStaAt(j, s);
                if (!sta || sta->IsCodedNP())
                    continue;
                if (sta->GetNome() == nome)
                    return trovato(sta);
                for (int k = 0; k < sta->GetPunArSize(); ++k) {
                    const CPun* p = sta->GetPunAt(k);
                    if (p && !p->IsCodedNP() && ugualeCompletato(p->GetNome()))
                        return trovato(p);
                }
            }
        }
    }
    if (m_pLibGps) {
        for (int g = 0; g < m_pLibGps->GetGrpArSize(); ++g) {
            const CGrpGps* grp = m_pLibGps->GetGrpAt(g);
            if (!grp || grp->IsCodedNP())
                continue;
            if (grp->GetNome() == nome)
                return trovato(grp);
            for (int k = 0; k < grp->GetPunArSize(); ++k) {
                const CPunGps* p = grp->GetPunAt(k);
                if (p && !p->IsCodedNP() && ugualeCompletato(p->GetNome()))
                    return trovato(p);
            }
        }
    }
    // Every row other than a row 5 sends the lookup to the orientation points; a name already looked for
    // there is not looked for again.
    WString cercatoTraOri;
    bool oriCercati = false;
    const CCtsRigArray& vista = m_pCts->m_Righe45;
    for (int i = 0; i < vista.GetRigArSize(); ++i) {
        const CRig* r = vista.GetRigAt(i);
        if (!r)
            continue;
        if (r->GetTipoRiga() == '5') {
            if (ugualeCompletato(r->GetLblNome1()))
                return trovato(r);
            continue;
        }
        if (!m_pLibCmp || m_pLibCmp->GetOriArSizePregeo() < 1 || (oriCercati && cercatoTraOri == nome))
            continue;
        for (int k = 0; k < m_pLibCmp->GetOriArSize(); ++k) {
            const COri* o = m_pLibCmp->GetOriAt(k);
            if (o && !o->IsCodedNP() && o->GetNome() == nome)
                return trovato(o);
        }
        oriCercati = true;
        cercatoTraOri = nome;
    }
}
