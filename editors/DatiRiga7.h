// Row 7 (a particle: a polygon with coloured segments, or an isolated point) as its editors see it: the
// list's columns, the particle fields, the segments walked one at a time, and the change into an
// isolated point. Rows 7 without vertices, or with a single vertex that is not an isolated point, exist
// (the booklet check reports them): nothing here reads a vertex that is not there. Plain code: the
// dialogs call it.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/WString.h"

// Vertex codes of an isolated point: colour 'P', line type 'V' (a vertex) or 'D' (a direction).
inline constexpr char COLORE_PUNTO_ISOLATO = 'P';
inline constexpr char LINEA_VERTICE = 'V';
inline constexpr char LINEA_DIREZIONE = 'D';

// One vertex whose colour code is 'P'.
bool IsPuntoIsolato(const CRig& riga);

// The list's columns: first and last vertex name ("Fine" empty for a single vertex) and "Stato":
// "Pt.Isolato" with one vertex, "Chiusa" when the first and last names agree, "Aperta" otherwise;
// nothing at all for a row without vertices.
WString InizioRiga7(const CRig& riga);
WString FineRiga7(const CRig& riga);
WString StatoRiga7(const CRig& riga);

// The particle page's fields as typed.
struct CDatiParticella {
    WString particella;
    WString madre;
    WString supCens;
    bool reale = false;
};
CDatiParticella DatiParticella(const CRig& riga);
// "Sup. Cart." as shown: the cartographic area with 4 decimals.
WString TestoSupCart(const CRig& riga);
// The cartographic area is computed, never written here.
void SalvaParticella(const CDatiParticella& dati, CRig& riga);

// The segments of a row, one shown at a time: segment i runs from vertex i to vertex i + 1 and keeps
// its codes in vertex i. A row of fewer than two vertices has no segment.
class CSegmentiRiga7 {
public:
    // The entries of the "Colore :" and "Tipo linea :" lists, in list order.
    static constexpr char COLORI[] = {'N', 'R', 'V'};
    static constexpr char LINEE[] = {'C', 'P', 'T'};

    explicit CSegmentiRiga7(CRig* riga = nullptr) : m_Riga(riga) {}

    int Numero() const;
    int Corrente() const { return m_Corrente; } // from 0
    bool HaPrecedente() const { return m_Corrente > 0; }
    bool HaSuccessivo() const { return m_Corrente + 1 < Numero(); }
    void Precedente();
    void Successivo();
    // "%d/%d", the current segment from 1; empty without segments.
    WString Contatore() const;
    WString Inizio() const;
    WString Fine() const;
    // Index of the current segment's code in COLORI / LINEE, -1 when none or unknown.
    int Colore() const;
    int Linea() const;
    // Stores the chosen entries into the current segment's first vertex; -1 leaves a code alone.
    void Imposta(int colore, int linea);

private:
    CCtsVrt* Vertice(int indice) const;

    CRig* m_Riga;
    int m_Corrente = 0;
};

// The row becomes an isolated point: a single vertex with that name, colour 'P' and line type 'V' or
// 'D'; no particle, no mother particle, both areas 0 and nature -1.
void TrasformaInPuntoIsolato(CRig& riga, const WString& nome, bool vertice);
