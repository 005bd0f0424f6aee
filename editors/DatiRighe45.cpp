#include "editors/DatiRighe45.h"

#include "hostapi/Conversions.h"
#include "hostapi/Dialog.h"
#include "rules/Regole.h"

#include <algorithm>

namespace {

constexpr const char16_t* MARCATORE_STRUMENTALE = u"*S*";
constexpr int LUNGHEZZA_MARCATORE = 3;

std::optional<CRifiuto> Errore(const char16_t* testo) {
    return CRifiuto{testo, MB_ICONERROR};
}

bool IsNumero(const WString& testo) {
    return !IsRealeIndefinito(DoubleDaCString(testo));
}

// Strictly between -10000 and 10000; a text that is not a number reads 1.7e200 and falls outside.
bool IsEntroDiecimila(const WString& testo) {
    const double v = DoubleDaCString(testo);
    return v > -10000 && v < 10000;
}

bool IsNotaLunga(const WString& nota) {
    return ControlloMax40(nota) != REGOLA_OK;
}

} // namespace

WString TipoRiga45(const CRig& riga) {
    switch (riga.GetTipoRiga()) {
    case '4':
        if (riga.GetSpecRiga() == SPEC_4L_ESTREMO)
            return u"4L2";
        if (riga.GetSpecRiga() == SPEC_4L_MEZZO)
            return u"4L1";
        return u"4";
    case '5':
        return riga.GetSpecRiga() == SPEC_STANDARD ? u"5" : u"5L";
    default:
        return WString(static_cast<char16_t>(riga.GetTipoRiga()));
    }
}

WString DatiRiga45(const CRig& riga) {
    return DatiDaLinea45(CCtsOutDatString::GetWriteSpecRow45(&riga));
}

WString DatiDaLinea45(const WString& linea) {
    return linea.Left(std::max(0, linea.GetLength() - 3));
}

CNuovaRiga45::CNuovaRiga45(CCtsRigArray& vista, int lineaSelezionata)
    : m_Vista(vista), m_Posizione(lineaSelezionata > 0 ? lineaSelezionata : -1) {}

CNuovaRiga45::~CNuovaRiga45() {
    Ritira();
}

CRig* CNuovaRiga45::Prepara(char tipo, char specRiga) {
    Ritira();
    m_Libera = std::make_unique<CRig>(tipo, specRiga);
    if (tipo != '5')
        return m_Libera.get();
    const int n = m_Vista.GetRigArSize();
    m_Vista.InsRigAt(m_Posizione < 0 || m_Posizione > n ? n : m_Posizione, m_Libera.get());
    m_InVista = m_Libera.release();
    return m_InVista;
}

void CNuovaRiga45::Ritira() {
    m_Libera.reset();
    if (!m_InVista)
        return;
    int indice = -1;
    if (m_Vista.GetIndiciDiRig(m_InVista, indice))
        m_Vista.DelRigAt(indice);
    m_InVista = nullptr;
}

int CNuovaRiga45::Conferma() {
    int indice = -1;
    if (m_InVista) {
        m_Vista.GetIndiciDiRig(m_InVista, indice);
        m_InVista = nullptr;
    } else if (m_Libera) {
        indice = m_Vista.AddRig(m_Libera.release());
    }
    return indice;
}

bool IsAllineamentoStrumentale(const WString& nota) {
    return nota.Left(LUNGHEZZA_MARCATORE) == MARCATORE_STRUMENTALE;
}

WString NotaStrumentale(const WString& nota, bool strumentale) {
    if (strumentale)
        return IsAllineamentoStrumentale(nota) ? nota : MARCATORE_STRUMENTALE + nota;
    return IsAllineamentoStrumentale(nota) ? nota.Mid(LUNGHEZZA_MARCATORE) : nota;
}

CDatiRiga4 DatiDaRiga4(const CRig& riga) {
    CDatiRiga4 d;
    d.specRiga = riga.GetSpecRiga();
    d.nome1 = riga.GetLblNome1();
    d.nota = riga.GetLblMater();
    switch (d.specRiga) {
    case SPEC_4L_ESTREMO:
        d.valore1 = CStringDaDouble(riga.GetDatoRea1(), 3);
        break;
    case SPEC_4L_MEZZO:
        d.nome2 = riga.GetLblNome2();
        d.valore1 = CStringDaDouble(riga.GetDatoRea1(), 3);
        d.valore2 = CStringDaDouble(riga.GetDatoRea2(), 3);
        break;
    default:
        d.nome2 = riga.GetLblNome2();
        d.valore1 = CStringDaDouble(riga.GetDatoRea2(), 0);
        break;
    }
    return d;
}

std::optional<CRifiuto> ValidaRiga4(const CDatiRiga4& d) {
    switch (d.specRiga) {
    case SPEC_4L_ESTREMO:
        if (d.nome1.IsEmpty())
            return Errore(u"Specificare un punto stazione valido");
        if (!IsNumero(d.valore1))
            return Errore(u"Inserire un valore valido per l'altezza");
        break;
    case SPEC_4L_MEZZO:
        if (d.nome1.IsEmpty())
            return Errore(u"Specificare un punto indietro valido");
        if (d.nome2.IsEmpty())
            return Errore(u"Specificare un punto avanti valido");
        if (d.nome1 == d.nome2)
            return Errore(u"Il punto indietro deve essere diverso da quello in avanti");
        if (!IsNumero(d.valore1))
            return Errore(u"Inserire un valore valido per il filo medio del punto indietro");
        if (!IsNumero(d.valore2))
            return Errore(u"Inserire un valore valido per il filo medio del punto avanti");
        break;
    default: {
        if (d.nome1.IsEmpty())
            return Errore(u"Specificare un punto di origine valido");
        if (d.nome2.IsEmpty())
            return Errore(u"Specificare un punto di orientamento valido");
        if (d.nome1 == d.nome2)
            return Errore(u"Il punto di origine deve essere diverso da quello di orientamento");
        // The whole part lies in -399..399 exactly when the real value lies strictly between -400 and
        // 400; testing the real value first keeps a text that is no number (1.7e200) from reaching the
        // conversion to an integer.
        const double angolo = DoubleDaCString(d.valore1);
        if (d.valore1.IsEmpty() || !(angolo > -400 && angolo < 400))
            return Errore(u"Inserire un valore compreso tra -399 e 399 per la correzione angolare");
        break;
    }
    }
    if (IsNotaLunga(d.nota))
        return Errore(u"Il campo nota non deve superare i 40 caratteri");
    return std::nullopt;
}

void SalvaRiga4(const CDatiRiga4& d, CRig& riga) {
    switch (d.specRiga) {
    case SPEC_4L_ESTREMO:
        riga.SetLblNome1(d.nome1);
        riga.SetLblMater(d.nota);
        riga.SetDatoRea1(DoubleDaCString(d.valore1));
        break;
    case SPEC_4L_MEZZO:
        riga.SetLblMater(d.nota);
        riga.SetLblNome1(d.nome1);
        riga.SetLblNome2(d.nome2);
        riga.SetDatoRea1(DoubleDaCString(d.valore1));
        riga.SetDatoRea2(DoubleDaCString(d.valore2));
        break;
    default:
        riga.SetLblMater(d.nota);
        riga.SetLblNome1(d.nome1);
        riga.SetLblNome2(d.nome2);
        // Through int, not trunc: -0.5 must store 0, not -0.
        riga.SetDatoRea2(static_cast<double>(static_cast<int>(DoubleDaCString(d.valore1))));
        break;
    }
}

CDatiRiga5 DatiDaRiga5(const CRig& riga) {
    CDatiRiga5 d;
    d.specRiga = riga.GetSpecRiga() == SPEC_STANDARD ? SPEC_STANDARD : SPEC_4L_ESTREMO;
    d.punto = riga.GetLblNome1();
    d.nota = riga.GetLblMater();
    d.valore1 = CStringDaDouble(riga.GetDatoRea1(), 3);
    if (d.specRiga == SPEC_STANDARD)
        d.valore2 = CStringDaDouble(riga.GetDatoRea2(), 3);
    return d;
}

std::optional<CRifiuto> ValidaRiga5(const CDatiRiga5& d) {
    if (d.punto.IsEmpty() || (ControlloNomeNumerico(d.punto) != REGOLA_OK && d.punto.Left(2) != u"PF"))
        return Errore(u"Il nome del punto osservato deve essere composto da cifre (Max.5)");
    if (IsNotaLunga(d.nota))
        return Errore(u"Il campo nota non deve superare i 40 caratteri");
    if (d.specRiga != SPEC_STANDARD) {
        if (!IsNumero(d.valore1))
            return Errore(u"Inserire un valore valido per la lettura al filo medio");
        return std::nullopt;
    }
    if (!IsEntroDiecimila(d.valore1))
        return Errore(u"Inserire un valore compreso tra -9999 e 9999 per la distanza");
    if (!IsEntroDiecimila(d.valore2))
        return Errore(u"Inserire un valore compreso tra -9999 e 9999 per lo squadro");
    return std::nullopt;
}

void SalvaRiga5(const CDatiRiga5& d, CRig& riga) {
    riga.SetLblNome1(d.punto);
    riga.SetLblMater(d.nota);
    riga.SetDatoRea1(DoubleDaCString(d.valore1));
    if (d.specRiga == SPEC_STANDARD)
        riga.SetDatoRea2(DoubleDaCString(d.valore2));
}

CCopiaRiga5::CCopiaRiga5(const CRig& riga)
    : punto(riga.GetLblNome1()), nota(riga.GetLblMater()), valore1(riga.GetDatoRea1()),
      valore2(riga.GetDatoRea2()) {}

void CCopiaRiga5::Ripristina(CRig& riga) const {
    riga.SetLblNome1(punto);
    riga.SetLblMater(nota);
    riga.SetDatoRea1(valore1);
    riga.SetDatoRea2(valore2);
}

WString TestoCoordinata(double valore, bool calcolata) {
    return calcolata && !IsRealeIndefinito(valore) ? CStringDaDouble(valore, 3) : WString(u"---");
}
