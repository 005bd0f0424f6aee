// The verification's fast path against its plain definition, on generated surveys: the same measured
// points, pairs and result rows, in the same order, for every zone, scale and kind of comparison.
#include "distances/VerificaDistanze.h"

#include "rules/Regole.h"

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr double U = REALE_INDEFINITO;

struct Rilievo {
    CCts libretto;
    CLibCmp stazioni;
    CLibGps gps;
};

// Short and full fiducial names of two sheets, names of known points that are not fiducial, unknown
// names; duplicates, NP codes, undefined coordinates; imported distances in both orders, repeated,
// without a value, or naming points that are not measured.
void Genera(Rilievo& r, unsigned seme) {
    std::mt19937 caso(seme);
    const auto fino = [&](int n) { return static_cast<int>(caso() % static_cast<unsigned>(n)); };
    const auto nome = [&]() -> WString {
        const int k = 1 + fino(12);
        switch (fino(5)) {
        case 0:
            return WString::Formatted(u"PF%02d", k);
        case 1:
        case 2:
            return WString::Formatted(u"PF%02d/0120/G337", k);
        case 3:
            return WString::Formatted(u"PF%02d/0130/G337", k);
        default:
            return WString::Formatted(u"%d", 500 + k % 4);
        }
    };
    const auto coord = [&]() { return fino(10) == 0 ? U : 1000.0 + fino(50000) / 100.0; };
    r.libretto.SetFogl(u"0120");
    r.libretto.SetCdCm(u"G337");
    for (int i = 0, n = 3 + fino(12); i < n; ++i) {
        COri* o = r.stazioni.AddOri();
        WString n1 = nome();
        r.libretto.CompletaNomePfPregeo(n1);
        o->SetNome(n1);
        o->SetCoord(coord(), coord(), 0);
        o->SetCodeNP(fino(8) == 0);
    }
    for (int j = 0, nj = 1 + fino(3); j < nj; ++j) {
        CJob* job = r.stazioni.AddJob(WString::Formatted(u"J%d", j));
        job->SetCodeNP(fino(6) == 0);
        for (int s = 0, ns = 1 + fino(3); s < ns; ++s) {
            CSta* sta = job->AddSta(WString::Formatted(u"S%d", s));
            sta->SetCodeNP(fino(6) == 0);
            for (int p = 0, np = fino(8); p < np; ++p) {
                CPun* pun = sta->AddPun(nome());
                pun->SetCoord(coord(), coord(), 0);
                pun->SetCodeNP(fino(8) == 0);
            }
        }
    }
    CGrpGps* g = r.gps.AddGrp(u"B");
    for (int p = 0, np = fino(4); p < np; ++p)
        g->AddPun(nome())->SetCoord(coord(), coord(), 0);
    for (int p = 0, np = fino(3); p < np; ++p) {
        auto* r5 = new CRig('5', 0);
        r5->SetLblNome1(nome());
        r5->SetCoord(coord(), coord(), 0);
        r.libretto.m_Righe45.AddRig(r5);
    }
    for (int d = 0, nd = fino(40); d < nd; ++d) {
        CCtsDistanza* dist = r.libretto.m_EstrMap.AddDistanza();
        WString a = nome(), b = nome();
        r.libretto.CompletaNomePfPregeo(a);
        r.libretto.CompletaNomePfPregeo(b);
        dist->SetNome1(a);
        dist->SetNome2(b);
        dist->SetDistanza(fino(10) == 0 ? U : fino(60000) / 100.0);
        dist->SetRifLibretto(WString::Formatted(u"L%d", d));
    }
}

// The definition as written: lists of names, every lookup a walk.
struct Definizione {
    std::vector<CPuntoVerifica> noti, misurati;
    std::vector<CCoppiaDistanza> coppieNote, coppieMisurate;

    explicit Definizione(Rilievo& r) {
        for (int i = 0; i < r.stazioni.GetOriArSize(); ++i) {
            const COri* p = r.stazioni.GetOriAt(i);
            if (!p->IsCodedNP() && !Trova(noti, p->GetNome()))
                noti.push_back({p->GetNome(), p->GetCoordX(), p->GetCoordY()});
        }
        for (const CPuntoVerifica& a : noti)
            for (const CPuntoVerifica& b : noti)
                if (&a < &b && a.nome != b.nome && !Coppia(coppieNote, a.nome, b.nome))
                    coppieNote.push_back({a.nome, b.nome, DistanzaPiana(a.x, a.y, b.x, b.y)});
        const auto misurato = [&](WString n, const CEgn& p) {
            if (ControlloNomePF(n) == REGOLA_OK)
                r.libretto.CompletaNomePfPregeo(n);
            else if (!Trova(noti, n))
                return;
            if (!Trova(misurati, n))
                misurati.push_back({n, p.GetCoordX(), p.GetCoordY()});
        };
        for (int j = 0; j < r.stazioni.GetJobArSize(); ++j)
            for (int s = 0; s < r.stazioni.GetStaArSize(j); ++s)
                for (int k = 0; k < r.stazioni.GetPunArSize(j, s); ++k) {
                    const CPun& p = *r.stazioni.GetPunAt(j, s, k);
                    if (!r.stazioni.GetJobAt(j)->GetCodeNP() && !r.stazioni.GetStaAt(j, s)->IsCodedNP() &&
                        !p.IsCodedNP())
                        misurato(p.GetNome(), p);
                }
        for (int g = 0; g < r.gps.GetGrpArSize(); ++g)
            for (int k = 0; k < r.gps.GetPunArSize(g); ++k)
                if (!r.gps.GetPunAt(g, k)->IsCodedNP())
                    misurato(r.gps.GetPunAt(g, k)->GetNome(), *r.gps.GetPunAt(g, k));
        for (int i = 0; i < r.libretto.m_Righe45.GetRigArSize(); ++i)
            misurato(r.libretto.m_Righe45.GetRigAt(i)->GetLblNome1(), *r.libretto.m_Righe45.GetRigAt(i));
        for (const CPuntoVerifica& a : misurati)
            for (const CPuntoVerifica& b : misurati)
                if (&a < &b && !Coppia(coppieMisurate, a.nome, b.nome) &&
                    (Coppia(coppieNote, a.nome, b.nome) || (ControlloNomePFCompleto(a.nome) == REGOLA_OK &&
                                                            ControlloNomePFCompleto(b.nome) == REGOLA_OK)))
                    coppieMisurate.push_back({a.nome, b.nome, DistanzaPiana(a.x, a.y, b.x, b.y)});
    }

    static bool Trova(const std::vector<CPuntoVerifica>& v, const WString& n) {
        for (const CPuntoVerifica& p : v)
            if (p.nome == n)
                return true;
        return false;
    }
    static const CCoppiaDistanza* Coppia(const std::vector<CCoppiaDistanza>& v, const WString& a,
                                         const WString& b) {
        for (const CCoppiaDistanza& c : v)
            if (c.Unisce(a, b))
                return &c;
        return nullptr;
    }

    static CRisultatoDistanza Riga(const CCoppiaDistanza& c, int zona, double confronto, double t,
                                   const char16_t* tipo) {
        CRisultatoDistanza r;
        r.nome1 = c.nome1;
        r.nome2 = c.nome2;
        r.misurata = c.distanza;
        r.zona = zona;
        if (tipo) {
            const auto meno = [](double x, double y) {
                return IsRealeIndefinito(x) || IsRealeIndefinito(y) ? U : x - y;
            };
            r.tipo = tipo;
            r.confronto = confronto;
            r.tolleranza = t;
            r.differenza = std::fabs(meno(c.distanza, confronto));
            r.esito = EntroTolleranza(r.differenza, t) ? ESITO_IN : ESITO_FUORI;
            r.inferiore = meno(c.distanza, t);
            r.superiore = IsRealeIndefinito(c.distanza) || IsRealeIndefinito(t) ? U : c.distanza + t;
        }
        if (!tipo || c.nome1.IsEmpty() || c.nome2.IsEmpty() || IsRealeIndefinito(r.misurata) ||
            IsRealeIndefinito(r.inferiore) || IsRealeIndefinito(r.superiore) ||
            IsRealeIndefinito(r.confronto))
            r.esito = ESITO_INDETERMINATO;
        return r;
    }

    std::vector<CRisultatoDistanza> Risultati(const CLibEstrMap& estratto, const COpzioniTollDist& o) const {
        std::vector<CRisultatoDistanza> out;
        for (const CCoppiaDistanza& c : coppieMisurate) {
            const double t = TolleranzaZona(o.zona, c.distanza);
            std::size_t prima = out.size();
            double somma = 0;
            int conteggio = 0;
            for (int i = 0; i < estratto.GetDistanzaArSize(); ++i) {
                const CCtsDistanza& d = *estratto.GetDistanzaAt(i);
                if (!c.Unisce(d.GetNome1(), d.GetNome2()))
                    continue;
                if (o.calcolo == 1) {
                    out.push_back(Riga(c, o.zona, d.GetDistanza(), t, u"Libretto: "));
                    out.back().libretto = d.GetRifLibretto();
                } else if (!IsRealeIndefinito(d.GetDistanza())) {
                    somma += d.GetDistanza();
                    ++conteggio;
                }
            }
            if (conteggio > 0)
                out.push_back(Riga(c, o.zona, somma / conteggio, t, u"Media-Mis."));
            if (out.size() > prima)
                continue;
            if (const CCoppiaDistanza* nota = Coppia(coppieNote, c.nome1, c.nome2))
                out.push_back(Riga(c, o.zona, nota->distanza, TolleranzaScala(DenominatoreScala(o.scala)),
                                   u"Dist.Taf."));
            else
                out.push_back(Riga(c, o.zona, 0, 0, nullptr));
        }
        return out;
    }
};

void Uguali(const CRisultatoDistanza& a, const CRisultatoDistanza& b) {
    EXPECT_EQ(a.nome1, b.nome1);
    EXPECT_EQ(a.nome2, b.nome2);
    EXPECT_EQ(a.misurata, b.misurata);
    EXPECT_EQ(a.confronto, b.confronto);
    EXPECT_EQ(a.tipo, b.tipo);
    EXPECT_EQ(a.inferiore, b.inferiore);
    EXPECT_EQ(a.superiore, b.superiore);
    EXPECT_EQ(a.zona, b.zona);
    EXPECT_EQ(a.tolleranza, b.tolleranza);
    EXPECT_EQ(a.differenza, b.differenza);
    EXPECT_EQ(a.esito, b.esito);
    EXPECT_EQ(a.libretto, b.libretto);
}

TEST(VerificaDistanze, SameAsThePlainDefinitionOnGeneratedSurveys) {
    int confrontate = 0;
    for (unsigned seme = 1; seme <= 60; ++seme) {
        SCOPED_TRACE(seme);
        Rilievo r;
        Genera(r, seme);
        const Definizione def(r);
        CVerificaDistanze verifica(&r.stazioni, &r.gps, &r.libretto);
        verifica.Costruisci();
        ASSERT_EQ(verifica.GetPuntiMisurati().size(), def.misurati.size());
        for (std::size_t i = 0; i < def.misurati.size(); ++i)
            EXPECT_EQ(verifica.GetPuntiMisurati()[i].nome, def.misurati[i].nome);
        EXPECT_EQ(verifica.GetNumCoppieNote(), def.coppieNote.size());
        ASSERT_EQ(verifica.GetNumCoppieMisurate(), def.coppieMisurate.size());
        for (std::size_t i = 0; i < def.coppieMisurate.size(); ++i) {
            EXPECT_EQ(verifica.GetCoppiaMisurata(i).nome1, def.coppieMisurate[i].nome1);
            EXPECT_EQ(verifica.GetCoppiaMisurata(i).nome2, def.coppieMisurate[i].nome2);
            EXPECT_EQ(verifica.GetCoppiaMisurata(i).distanza, def.coppieMisurate[i].distanza);
        }
        for (int zona = 0; zona < 3; ++zona)
            for (int calcolo = 0; calcolo < 2; ++calcolo)
                for (int scala = 0; scala < 4; ++scala) {
                    const COpzioniTollDist o{zona, calcolo, scala};
                    const std::vector<CRisultatoDistanza> attesi = def.Risultati(r.libretto.m_EstrMap, o);
                    ASSERT_EQ(verifica.Calcola(o), attesi.size());
                    for (std::size_t i = 0; i < attesi.size(); ++i)
                        Uguali(verifica.GetRisultato(i), attesi[i]);
                    confrontate += static_cast<int>(attesi.size());
                }
    }
    EXPECT_GT(confrontate, 500);
}

// Pairs added from picks: names completed, repeated or swapped pairs refused, the known pairs or two full
// fiducial names only; the same as the definition's lookups.
TEST(VerificaDistanze, PickedPairsAsTheDefinition) {
    for (unsigned seme = 1; seme <= 60; ++seme) {
        SCOPED_TRACE(seme);
        Rilievo r;
        Genera(r, seme);
        const Definizione def(r);
        CVerificaDistanze verifica(&r.stazioni, nullptr, &r.libretto);
        verifica.CostruisciNoti();
        std::vector<CCoppiaDistanza> attese;
        std::mt19937 caso(seme);
        for (int k = 0; k < 30; ++k) {
            const CPuntoVerifica& a = def.misurati.empty() ? CPuntoVerifica{u"PF01", 0, 0}
                                                           : def.misurati[caso() % def.misurati.size()];
            WString n1 = k % 3 ? a.nome : WString(u"PF0") + WString::Formatted(u"%d", 1 + k % 9);
            WString n2 = WString::Formatted(u"PF%02d", 1 + static_cast<int>(caso() % 12));
            if (k % 4 == 0)
                n2 = WString::Formatted(u"%d", 500 + k % 4);
            const double d = k;
            WString c1 = n1, c2 = n2;
            for (WString* n : {&c1, &c2})
                if (ControlloNomePF(*n) == REGOLA_OK)
                    r.libretto.CompletaNomePfPregeo(*n);
            const bool atteso =
                !Definizione::Coppia(attese, c1, c2) &&
                (Definizione::Coppia(def.coppieNote, c1, c2) ||
                 (ControlloNomePFCompleto(c1) == REGOLA_OK && ControlloNomePFCompleto(c2) == REGOLA_OK));
            EXPECT_EQ(verifica.AggiungiCoppiaMisurata(n1, n2, d), atteso) << n1 << " " << n2;
            if (atteso)
                attese.push_back({c1, c2, d});
        }
        ASSERT_EQ(verifica.GetNumCoppieMisurate(), attese.size());
        for (std::size_t i = 0; i < attese.size(); ++i)
            EXPECT_EQ(verifica.GetCoppiaMisurata(i).nome2, attese[i].nome2);
    }
}

} // namespace
