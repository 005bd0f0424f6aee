// Rows 4 and 5 as their editors see them: the list's type and data texts, where a new row goes, the
// instrumental-alignment marker, the checks made on OK with their messages and the writing back into
// the row. Plain code: the dialogs call it.
#pragma once

#include "editors/DatiRiga0.h"
#include "hostapi/Booklet.h"
#include "hostapi/WString.h"

#include <memory>
#include <optional>

// Every message of the rows 3, 4, 5 and 7 editors carries this title.
inline constexpr const char16_t* TITOLO_RIGHE = u"Pregeo";

// Row variants (SpecRiga) of the rows 4 and 5 view.
inline constexpr char SPEC_STANDARD = 0;
inline constexpr char SPEC_4L_ESTREMO = 1; // levelling from one end; a row 5L for rows 5
inline constexpr char SPEC_4L_MEZZO = 2;   // levelling from the middle

// The list's "Tipo": "4", "4L2" (from one end), "4L1" (from the middle), "5", "5L", "6".
WString TipoRiga45(const CRig& riga);
// The list's "Dati": the row's booklet line without its last 3 characters ("|\r\n").
WString DatiRiga45(const CRig& riga);
// A booklet line without its last 3 characters; a shorter line gives nothing.
WString DatiDaLinea45(const WString& linea);

// A new row of the rows 4 and 5 view from the type choice until its editor ends. A row 4 of any kind
// goes to the end of the view; a row 5 right after the row of the selected list line, or to the end
// when no line is selected. A row 5 takes its place before its editor opens, so that the editor can
// compute its coordinates along the row 4 above it; a cancelled editor takes it out again. The view
// must own its rows, as the booklet's arrays do.
class CNuovaRiga45 {
public:
    // `lineaSelezionata` counts the list's lines from 1 (line n shows the view's row n - 1); 0 or less
    // when none is selected.
    CNuovaRiga45(CCtsRigArray& vista, int lineaSelezionata);
    ~CNuovaRiga45();
    CNuovaRiga45(const CNuovaRiga45&) = delete;
    CNuovaRiga45& operator=(const CNuovaRiga45&) = delete;

    // A fresh row of that kind for the editor; a row 5 is already in its place in the view.
    CRig* Prepara(char tipo, char specRiga);
    // The editor was cancelled: the row leaves the view and is destroyed.
    void Ritira();
    // The editor ended with OK: the row stays in the view (a row 4 joins it now). Its index, -1 when
    // nothing was prepared.
    int Conferma();

private:
    CCtsRigArray& m_Vista;
    int m_Posizione;
    std::unique_ptr<CRig> m_Libera; // a row 4 waiting for OK
    CRig* m_InVista = nullptr;      // a row 5 placed, not yet confirmed
};

// A standard row 4 whose note starts with "*S*" is an instrumental alignment.
bool IsAllineamentoStrumentale(const WString& nota);
// The note after the box "Allineamento strumentale" is ticked (marker put in front when missing) or
// cleared (first three characters removed when they are the marker).
WString NotaStrumentale(const WString& nota, bool strumentale);

// The row 4 editor's fields as typed. Standard: names origin and orientation, valore1 the angle
// correction. From the middle: back and forward point, their middle-wire readings. From one end: the
// station point and valore1 the instrument height.
struct CDatiRiga4 {
    char specRiga = SPEC_STANDARD;
    WString nome1;
    WString nome2;
    WString valore1;
    WString valore2;
    WString nota;
};

CDatiRiga4 DatiDaRiga4(const CRig& riga);
std::optional<CRifiuto> ValidaRiga4(const CDatiRiga4& dati);
// Writes the fields of the row's kind; the angle correction as its whole part.
void SalvaRiga4(const CDatiRiga4& dati, CRig& riga);

// The row 5 editor's fields as typed: valore1 the distance (a row 5L: the middle-wire reading), valore2
// the offset (squadro).
struct CDatiRiga5 {
    char specRiga = SPEC_STANDARD;
    WString punto;
    WString valore1;
    WString valore2;
    WString nota;
};

CDatiRiga5 DatiDaRiga5(const CRig& riga);
std::optional<CRifiuto> ValidaRiga5(const CDatiRiga5& dati);
void SalvaRiga5(const CDatiRiga5& dati, CRig& riga);

// What the row 5 editor restores on Cancel: it writes the values into the row while they are typed.
struct CCopiaRiga5 {
    WString punto;
    WString nota;
    double valore1 = 0;
    double valore2 = 0;
    explicit CCopiaRiga5(const CRig& riga);
    void Ripristina(CRig& riga) const;
};

// A computed coordinate as the row 5 editor shows it: 3 decimals, "---" when not computed.
WString TestoCoordinata(double valore, bool calcolata);
