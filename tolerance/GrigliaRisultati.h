// What the tolerance result grids share with the distance grids (distances/GrigliaDistanze.h): the look of
// a result grid; and the outcome images of "Esiti.bmp".
#pragma once

#include "distances/GrigliaDistanze.h"
#include "hostapi/Controls.h"
#include "hostapi/Grid.h"

#include <initializer_list>
#include <memory>

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

// Creates the grid over the placeholder control of the dialog (style 0x50810000) with its columns.
void CreaGrigliaRisultati(CCEGridCtrl& griglia, CWnd* dialogo, UINT segnaposto, UINT id, CImageList* immagini,
                          std::initializer_list<CColonnaGriglia> colonne);
// A new data row: column 0 its index, then the texts; its index.
int AggiungiRigaRisultati(CCEGridCtrl& griglia, std::initializer_list<WString> testi);
