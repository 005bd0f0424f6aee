// Row 8 (the known points of the update, kept as orientation points) as its editor sees it: the list's
// line, what each of the point editor's three steps shows, checks and stores, the approved-act reference
// of type 0 points, and the copy of the edited point back into the library. Plain code: the dialogs
// call it.
#pragma once

#include "editors/DatiRiga0.h"
#include "hostapi/Points.h"
#include "hostapi/WString.h"

#include <optional>
#include <vector>

inline constexpr const char16_t* TITOLO_RIGA8 = u"Pregeo";
inline constexpr const char16_t* DOMANDA_ELIMINA_RIGHE8 = u"Procedere con l'eliminazione delle righe 8?";
// The mark of an auxiliary point's (type 3) planimetric note.
inline constexpr const char16_t* NOTA_AUSILIARIO = u"[P.A.]";

// The planimetric note is the one the TAF import writes and the booklet check reads, so that what the
// editor shows and stores is what the rest of the module sees.
inline WString NotaPlanimetrica(const COri& punto) {
    return punto.GetComm();
}
inline void ImpostaNotaPlanimetrica(COri& punto, const WString& nota) {
    punto.SetComm(nota);
}

// The list's data columns "Nome.", "Nord", "Est", "Quota": name, Y, X, Z with 3 decimals.
std::vector<WString> DatiLineaRiga8(const COri& punto);
// Takes out of the library the point that is this object; false when the library does not hold it.
bool RimuoviPunto(CLibConOri& libreria, const COri* punto);

// ---------------------------------------------------------------------------------------------------
// Step 1: name, fiducial or user point and its type, NP.

struct CDatiTipo {
    WString nome;
    bool fiduciale = true;
    short tipoUtente = -1; // 0 to 3, -1 when no user type is chosen
    bool np = false;
};

CDatiTipo CaricaTipo(const COri& punto);
// The user type "Punto utente" chooses for a point of this type: its own, or 0.
short TipoUtenteScelto(short tipo);
// The planimetric note a user type starts from when it is chosen.
WString NotaDelTipoUtente(short tipoUtente);
std::optional<CRifiuto> ValidaTipo(const CDatiTipo& dati);
void SalvaTipo(const CDatiTipo& dati, COri& punto);

// ---------------------------------------------------------------------------------------------------
// Step 2: planimetry.

// A type 0 point's planimetric note: year, protocol, "=", identifier, written together.
struct CRiferimentoApprovato {
    WString anno;
    WString protocollo;
    WString identificativo;
    friend bool operator==(const CRiferimentoApprovato&, const CRiferimentoApprovato&) = default;
};

// A year the check accepts is written as its four digits, so that the note reads back into the fields.
WString ScriviRiferimento(const CRiferimentoApprovato& rif);
// The reference a note holds: nothing unless the note is longer than 6 characters, the digits among its
// first four make a year from 1988 on (every year the editor stores reads back), and a protocol stands
// between them and an '='.
std::optional<CRiferimentoApprovato> LeggiRiferimento(const WString& nota);

struct CDatiPlan {
    bool valido = true;
    WString nord;
    WString est;
    int attendib = -1; // index of "Att. Plan." (reliability - 1), -1 for none
    WString nota;
    CRiferimentoApprovato rif;
};

// What the page shows, after a point of type 1, 2 or 3 has lost its planimetric reliability (the
// page's load does that to the working point). `rif` is empty for a type other than 0; `rifLetto` says
// whether the type 0 note held a reference: when it does not, the page's three fields keep what they
// hold.
CDatiPlan CaricaPlan(COri& punto, bool* rifLetto = nullptr);

struct CAbilitaPlan {
    bool coordinate = false;
    bool attendib = false;
    bool nota = false;
    bool riferimento = false;
};
CAbilitaPlan AbilitazioniPlan(bool valido, short tipo);

std::optional<CRifiuto> ValidaPlan(short tipo, const CDatiPlan& dati);
void SalvaPlan(const CDatiPlan& dati, COri& punto);

// ---------------------------------------------------------------------------------------------------
// Step 3: altimetry.

struct CDatiAlt {
    bool valido = true;
    WString quota;
    int attendib = -1; // index of "Att. Alt." (reliability - 1), -1 for none
    WString nota;
};

CDatiAlt CaricaAlt(const COri& punto);
std::optional<CRifiuto> ValidaAlt(const CDatiAlt& dati);
void SalvaAlt(const CDatiAlt& dati, COri& punto);

// OK on the last step: the working copy's fields into the library's point, in the editor's order.
void CopiaPuntoRiga8(const COri& copia, COri& punto);
