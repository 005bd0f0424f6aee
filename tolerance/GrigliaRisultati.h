// What the tolerance result grids share: the outcome images of "Esiti.bmp" and the look of a grid.
#pragma once

#include "hostapi/Controls.h"
#include "hostapi/Grid.h"

#include <initializer_list>
#include <memory>

// Background of every data cell (red 255, green 255, blue 128).
constexpr COLORREF COLORE_CELLA_RISULTATI = 0x0080FFFF;
constexpr int IMMAGINE_IN_TOLLERANZA = 0;
constexpr int IMMAGINE_FUORI_TOLLERANZA = 1;

// Image 0 in tolerance, 1 out of tolerance, squares of 16 pixels times the screen's multiplier. Without the
// bitmap the list stays empty and the grids show no image.
class CImmaginiEsiti {
public:
    CImmaginiEsiti();
    CImageList* GetLista() { return &m_Lista; }

private:
    std::unique_ptr<CBitmap> m_Bitmap;
    CImageList m_Lista;
};

struct CColonnaRisultati {
    const char16_t* titolo;
    int larghezza; // before the screen's multiplier
};

// Creates the grid over the placeholder control of the dialog: style 0x50810000, one fixed row, no fixed
// column, single-row selection, the columns.
void CreaGrigliaRisultati(CCEGridCtrl& griglia, CWnd* dialogo, UINT segnaposto, UINT id, CImageList* immagini,
                          std::initializer_list<CColonnaRisultati> colonne);
// A new data row: column 0 its index, the texts from column 1 on, every cell painted; its index.
int AggiungiRigaRisultati(CCEGridCtrl& griglia, std::initializer_list<WString> testi);
