// Row 3 (a polygon of vertex names) as its editor sees it: the list's vertex summary, the vertex list
// being edited with its selection, the checks made on OK and the writing back into the row. Plain
// code: the dialogs call it.
#pragma once

#include "editors/DatiRiga0.h"
#include "hostapi/Booklet.h"
#include "hostapi/WString.h"

#include <optional>
#include <vector>

// The name a vertex has until the user gives it one.
inline constexpr const char16_t* NOME_VERTICE_NUOVO = u"Nuovo";

// The list's "Vertici": the names joined with "-"; beyond 4 vertices the first two and the last two.
WString TestoVertici(const CRig& riga);

// The vertex names in order and the selected place (-1: none). Every operation that acts on "the
// selected vertex" does nothing when none is selected.
class CVerticiRiga3 {
public:
    CVerticiRiga3() = default;
    explicit CVerticiRiga3(const CRig& riga);

    const std::vector<WString>& Nomi() const { return m_Nomi; }
    int Selezione() const { return m_Selezione; }
    // An index outside the list selects nothing.
    void Seleziona(int indice);

    // "Nuovo" after the selected vertex (Aggiungi) or before it (Inserisci), at the end when none is
    // selected; the new vertex becomes the selected one.
    void Aggiungi();
    void Inserisci();
    // Moves the selected vertex one place; the selection stays at the same place of the list.
    void Su();
    void Giu();
    // Deletes the selected vertex; the same place stays selected, or the new last one.
    void Elimina();
    void Rinomina(const WString& nome);

private:
    void InserisciA(int indice);

    std::vector<WString> m_Nomi;
    int m_Selezione = -1;
};

// The first failing check, or nothing when the row may be saved. An empty name is as unnamed as "Nuovo".
std::optional<CRifiuto> ValidaRiga3(const std::vector<WString>& nomi);
// The row becomes a row '3' with exactly these vertices.
void SalvaRiga3(const std::vector<WString>& nomi, CRig& riga);
