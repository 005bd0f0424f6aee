#include "editors/DatiRiga7.h"

#include "hostapi/Conversions.h"

#include <iterator>

namespace {

template <std::size_t N> int IndiceCodice(const char (&codici)[N], char codice) {
    for (std::size_t i = 0; i < N; ++i)
        if (codici[i] == codice)
            return static_cast<int>(i);
    return -1;
}

} // namespace

bool IsPuntoIsolato(const CRig& riga) {
    return riga.GetVrtArSize() == 1 && riga.GetVrtAt(0)->m_Colore == COLORE_PUNTO_ISOLATO;
}

WString InizioRiga7(const CRig& riga) {
    return riga.GetVrtArSize() > 0 ? riga.GetVrtAt(0)->GetNome() : WString();
}

WString FineRiga7(const CRig& riga) {
    const int n = riga.GetVrtArSize();
    return n > 1 ? riga.GetVrtAt(n - 1)->GetNome() : WString();
}

WString StatoRiga7(const CRig& riga) {
    const int n = riga.GetVrtArSize();
    if (n == 0)
        return WString();
    if (n == 1)
        return u"Pt.Isolato";
    return riga.GetVrtAt(0)->GetNome() == riga.GetVrtAt(n - 1)->GetNome() ? u"Chiusa" : u"Aperta";
}

CDatiParticella DatiParticella(const CRig& riga) {
    CDatiParticella d;
    d.particella = riga.GetLblNome1();
    d.madre = riga.GetLblNome2();
    d.supCens = CStringDaDouble(riga.GetDatoRea2(), 0);
    d.reale = riga.GetDatoInt1() == 1;
    return d;
}

WString TestoSupCart(const CRig& riga) {
    return CStringDaDouble(riga.GetDatoRea1(), 4);
}

void SalvaParticella(const CDatiParticella& d, CRig& riga) {
    riga.SetLblNome1(d.particella);
    riga.SetLblNome2(d.madre);
    riga.SetDatoRea2(DoubleDaCString(d.supCens));
    riga.SetDatoInt1(d.reale ? 1 : 0);
}

int CSegmentiRiga7::Numero() const {
    return m_Riga && m_Riga->GetVrtArSize() > 1 ? m_Riga->GetVrtArSize() - 1 : 0;
}

void CSegmentiRiga7::Precedente() {
    if (HaPrecedente())
        --m_Corrente;
}

void CSegmentiRiga7::Successivo() {
    if (HaSuccessivo())
        ++m_Corrente;
}

WString CSegmentiRiga7::Contatore() const {
    return Numero() > 0 ? WString::Formatted(u"%d/%d", m_Corrente + 1, Numero()) : WString();
}

CCtsVrt* CSegmentiRiga7::Vertice(int indice) const {
    return m_Corrente < Numero() ? m_Riga->GetVrtAt(indice) : nullptr;
}

WString CSegmentiRiga7::Inizio() const {
    const CCtsVrt* v = Vertice(m_Corrente);
    return v ? v->GetNome() : WString();
}

WString CSegmentiRiga7::Fine() const {
    const CCtsVrt* v = Vertice(m_Corrente + 1);
    return v ? v->GetNome() : WString();
}

int CSegmentiRiga7::Colore() const {
    const CCtsVrt* v = Vertice(m_Corrente);
    return v ? IndiceCodice(COLORI, v->m_Colore) : -1;
}

int CSegmentiRiga7::Linea() const {
    const CCtsVrt* v = Vertice(m_Corrente);
    return v ? IndiceCodice(LINEE, v->m_TipoLinea) : -1;
}

void CSegmentiRiga7::Imposta(int colore, int linea) {
    CCtsVrt* v = Vertice(m_Corrente);
    if (!v)
        return;
    if (colore >= 0 && colore < static_cast<int>(std::size(COLORI)))
        v->m_Colore = COLORI[colore];
    if (linea >= 0 && linea < static_cast<int>(std::size(LINEE)))
        v->m_TipoLinea = LINEE[linea];
}

void TrasformaInPuntoIsolato(CRig& riga, const WString& nome, bool vertice) {
    riga.DelAllVrt();
    riga.AddVrt(CCtsVrt(nome, vertice ? LINEA_VERTICE : LINEA_DIREZIONE, COLORE_PUNTO_ISOLATO));
    riga.SetLblNome1(WString());
    riga.SetLblNome2(WString());
    riga.SetDatoRea1(0);
    riga.SetDatoRea2(0);
    riga.SetDatoInt1(-1);
}
