#include "editors/DatiRiga8.h"

#include "hostapi/Conversions.h"
#include "hostapi/Dialog.h"
#include "rules/Regole.h"

#include <cstdint>

namespace {

// The years the editor accepts in an approved-act reference; reading a note back accepts the same.
constexpr long ANNO_MINIMO = 1988;
constexpr long ANNO_MASSIMO = 3000;
constexpr long NUMERO_MASSIMO = 999999;

constexpr int ATTENDIB_PLAN_MASSIMA = 88;
constexpr int ATTENDIB_ALT_MASSIMA = 4;

std::optional<CRifiuto> Errore(const char16_t* testo) {
    return CRifiuto{testo, MB_ICONERROR};
}

bool IsTipoUtente(short tipo) {
    return tipo >= TIPO_PUNTO_RIF_FRAZIONE && tipo <= TIPO_PUNTO_AUSILIARIO;
}

// The list index of a reliability 1..massima, -1 outside.
int IndiceAttendib(short valore, int massima) {
    return valore >= 1 && valore <= massima ? valore - 1 : -1;
}

} // namespace

std::vector<WString> DatiLineaRiga8(const COri& punto) {
    return {punto.GetNome(), CStringDaDouble(punto.GetCoordY(), 3), CStringDaDouble(punto.GetCoordX(), 3),
            CStringDaDouble(punto.GetCoordZ(), 3)};
}

bool RimuoviPunto(CLibConOri& libreria, const COri* punto) {
    for (int i = 0; i < libreria.GetOriArSize(); ++i)
        if (libreria.GetOriAt(i) == punto) {
            libreria.DelOriAt(i);
            return true;
        }
    return false;
}

// ---------------------------------------------------------------------------------------------------
// Step 1

CDatiTipo CaricaTipo(const COri& punto) {
    CDatiTipo d;
    d.nome = punto.GetNome();
    d.fiduciale = punto.GetTipoPunto() == TIPO_PUNTO_FIDUCIALE;
    d.tipoUtente = IsTipoUtente(punto.GetTipoPunto()) ? punto.GetTipoPunto() : -1;
    d.np = punto.IsCodedNP();
    return d;
}

short TipoUtenteScelto(short tipo) {
    return IsTipoUtente(tipo) ? tipo : TIPO_PUNTO_RIF_FRAZIONE;
}

WString NotaDelTipoUtente(short tipoUtente) {
    return tipoUtente == TIPO_PUNTO_AUSILIARIO ? WString(NOTA_AUSILIARIO) : WString();
}

std::optional<CRifiuto> ValidaTipo(const CDatiTipo& dati) {
    const WString nome = StringTrimBoth(dati.nome);
    if (nome.IsEmpty())
        return Errore(u"Inserire un nome del punto valido");
    const int esito = dati.fiduciale ? ControlloNomePFCompleto(nome) : ControlloNomeNumerico(nome);
    if (esito != REGOLA_OK)
        return Errore(u"Il nome del punto non è valido");
    return std::nullopt;
}

void SalvaTipo(const CDatiTipo& dati, COri& punto) {
    punto.SetTipoPunto(dati.fiduciale                  ? TIPO_PUNTO_FIDUCIALE
                       : IsTipoUtente(dati.tipoUtente) ? dati.tipoUtente
                                                       : -1);
    punto.SetNome(StringTrimBoth(dati.nome));
    punto.SetCodeNP(dati.np);
}

// ---------------------------------------------------------------------------------------------------
// Step 2

WString ScriviRiferimento(const CRiferimentoApprovato& rif) {
    // The read-back takes the year from the note's first four characters: a year the check accepts is
    // written as its four digits, whatever blanks, zeros or sign were typed around them ("02010").
    const std::int32_t anno = LongDaStringNullZero(rif.anno);
    const WString testoAnno =
        anno >= ANNO_MINIMO && anno <= ANNO_MASSIMO ? WString::Formatted(u"%d", anno) : rif.anno;
    return WString::Formatted(u"%s%s=%s", testoAnno, rif.protocollo, rif.identificativo);
}

std::optional<CRiferimentoApprovato> LeggiRiferimento(const WString& nota) {
    if (nota.GetLength() <= 6)
        return std::nullopt;
    CRiferimentoApprovato rif;
    for (int i = 0; i < 4; ++i)
        if (const char16_t c = nota[i]; c >= u'0' && c <= u'9')
            rif.anno += c;
    if (LongDaStringNullZero(rif.anno) < ANNO_MINIMO)
        return std::nullopt;
    // The protocol runs from the fifth character to the '='; a note without one holds no reference.
    const int uguale = nota.Find(u'=', 4);
    if (uguale < 0)
        return std::nullopt;
    rif.protocollo = nota.Mid(4, uguale - 4);
    if (rif.protocollo.IsEmpty())
        return std::nullopt;
    rif.identificativo = nota.Mid(uguale + 1);
    return rif;
}

CDatiPlan CaricaPlan(COri& punto, bool* rifLetto) {
    const short tipo = punto.GetTipoPunto();
    if (tipo == TIPO_PUNTO_MODESTA_ENTITA || tipo == TIPO_PUNTO_SENZA_MISURE || tipo == TIPO_PUNTO_AUSILIARIO)
        punto.SetAttendibO(-1);
    CDatiPlan d;
    d.valido = punto.GetNome().IsEmpty() || !IsRealeIndefinito(punto.GetCoordX()) ||
               !IsRealeIndefinito(punto.GetCoordY());
    d.nord = CStringDaDouble(punto.GetCoordY(), 3);
    d.est = CStringDaDouble(punto.GetCoordX(), 3);
    d.attendib = IndiceAttendib(punto.GetAttendibO(), ATTENDIB_PLAN_MASSIMA);
    d.nota = NotaPlanimetrica(punto);
    std::optional<CRiferimentoApprovato> rif;
    if (tipo == TIPO_PUNTO_RIF_FRAZIONE)
        rif = LeggiRiferimento(d.nota);
    if (rif)
        d.rif = *rif;
    if (rifLetto)
        *rifLetto = tipo != TIPO_PUNTO_RIF_FRAZIONE || rif.has_value();
    return d;
}

CAbilitaPlan AbilitazioniPlan(bool valido, short tipo) {
    CAbilitaPlan a;
    a.coordinate = valido;
    a.attendib = valido && (tipo == TIPO_PUNTO_FIDUCIALE || tipo == TIPO_PUNTO_RIF_FRAZIONE);
    a.nota = valido && tipo != TIPO_PUNTO_RIF_FRAZIONE;
    a.riferimento = valido && tipo == TIPO_PUNTO_RIF_FRAZIONE;
    return a;
}

std::optional<CRifiuto> ValidaPlan(short tipo, const CDatiPlan& dati) {
    if (!dati.valido)
        return std::nullopt;
    if (IsRealeIndefinito(DoubleDaCString(dati.nord)) || IsRealeIndefinito(DoubleDaCString(dati.est)))
        return Errore(u"Immettere delle coordinate planari valide per il punto");
    if ((tipo == TIPO_PUNTO_FIDUCIALE || tipo == TIPO_PUNTO_RIF_FRAZIONE) && dati.attendib < 0)
        return Errore(u"Immettere un valore valido per l'attendibilità");
    if (tipo == TIPO_PUNTO_RIF_FRAZIONE) {
        const long anno = LongDaStringNullZero(dati.rif.anno);
        const long protocollo = LongDaStringNullZero(dati.rif.protocollo);
        const long identificativo = LongDaStringNullZero(dati.rif.identificativo);
        if (anno < ANNO_MINIMO || anno > ANNO_MASSIMO || protocollo < 1 || protocollo > NUMERO_MASSIMO ||
            identificativo < 1 || identificativo > NUMERO_MASSIMO)
            return Errore(u"I dati relativi a Anno/Protocollo/Identif. non soono validi");
    }
    return std::nullopt;
}

void SalvaPlan(const CDatiPlan& dati, COri& punto) {
    if (!dati.valido) {
        punto.SetCoordXY(REALE_INDEFINITO, REALE_INDEFINITO);
        return;
    }
    const short tipo = punto.GetTipoPunto();
    punto.SetCoordXY(DoubleDaCString(dati.est), DoubleDaCString(dati.nord));
    if ((tipo == TIPO_PUNTO_FIDUCIALE || tipo == TIPO_PUNTO_RIF_FRAZIONE) && dati.attendib >= 0)
        punto.SetAttendibO(static_cast<short>(dati.attendib + 1));
    if (tipo == TIPO_PUNTO_RIF_FRAZIONE) {
        ImpostaNotaPlanimetrica(punto, ScriviRiferimento(dati.rif));
        return;
    }
    WString nota = dati.nota;
    if (tipo == TIPO_PUNTO_AUSILIARIO && nota.Find(WString(NOTA_AUSILIARIO)) < 0)
        nota += NOTA_AUSILIARIO;
    ImpostaNotaPlanimetrica(punto, nota);
}

// ---------------------------------------------------------------------------------------------------
// Step 3

CDatiAlt CaricaAlt(const COri& punto) {
    CDatiAlt d;
    d.valido = punto.GetNome().IsEmpty() || !IsRealeIndefinito(punto.GetCoordZ());
    d.quota = CStringDaDouble(punto.GetCoordZ(), 3);
    d.attendib = IndiceAttendib(punto.GetAttendibV(), ATTENDIB_ALT_MASSIMA);
    d.nota = punto.GetNotaAlt();
    return d;
}

std::optional<CRifiuto> ValidaAlt(const CDatiAlt& dati) {
    if (dati.valido && IsRealeIndefinito(DoubleDaCString(dati.quota)))
        return Errore(u"Immettere un valore di quota valido");
    return std::nullopt;
}

void SalvaAlt(const CDatiAlt& dati, COri& punto) {
    if (!dati.valido) {
        punto.SetCoordZ(REALE_INDEFINITO);
        return;
    }
    punto.SetCoordZ(DoubleDaCString(dati.quota));
    if (dati.attendib >= 0)
        punto.SetAttendibV(static_cast<short>(dati.attendib + 1));
    punto.SetNotaAlt(dati.nota);
}

void CopiaPuntoRiga8(const COri& copia, COri& punto) {
    punto.SetTipoPunto(copia.GetTipoPunto());
    punto.SetCodeNP(copia.IsCodedNP());
    punto.SetNome(copia.GetNome());
    punto.SetCoordXY(copia.GetCoordX(), copia.GetCoordY());
    punto.SetAttendibO(copia.GetAttendibO());
    punto.SetComm(copia.GetComm());
    punto.SetSecScri(copia.GetSecScri());
    punto.SetTerScri(copia.GetTerScri());
    punto.SetCoordZ(copia.GetCoordZ());
    punto.SetAttendibV(copia.GetAttendibV());
    punto.SetNotaAlt(copia.GetNotaAlt());
    // The drawing and the fiducial lists go by validity, which setting coordinates leaves alone.
    punto.CalcolaValiditaXYZ();
}
