// What the distance grids share: the look of a result grid and the columns they are made of.
#pragma once

#include "hostapi/Grid.h"
#include "hostapi/WString.h"

#include <initializer_list>

// Background of every data cell (red 255, green 255, blue 128).
constexpr COLORREF COLORE_CELLA_DISTANZE = 0x0080FFFF;

struct CColonnaGriglia {
    const char16_t* titolo;
    int larghezza;
};

// One fixed heading row, no fixed column, single-row selection, the columns with their widths scaled to
// the screen.
void PreparaGriglia(CCEGridCtrl& griglia, std::initializer_list<CColonnaGriglia> colonne);
// A new data row with its texts, painted; its index.
int AggiungiRigaGriglia(CCEGridCtrl& griglia, std::initializer_list<WString> testi);
// A real with 3 decimals; nothing when undefined.
WString TestoMetri(double valore);
