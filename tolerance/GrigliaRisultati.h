// What the tolerance result grids share with the distance grids (distances/GrigliaDistanze.h): the look of
// a result grid; and the outcome images of "Esiti.bmp".
#pragma once

#include "distances/GrigliaDistanze.h"
#include "hostapi/Controls.h"
#include "hostapi/Dialog.h"
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

// The results dialog of template 12234 ("Esci" over a grid of findings with their outcome images), which
// the stations outside the mesh and the survey-object surfaces share. A derived dialog makes the grid's
// columns and adds its findings in Riempi.
class CDlgRisultatiEsiti : public CExDialog {
public:
    explicit CDlgRisultatiEsiti(CWnd* parent);
    BOOL OnInitDialog() override;

protected:
    virtual void Riempi() = 0;
    void CreaGriglia(std::initializer_list<CColonnaGriglia> colonne);
    // A finding's row: its texts after the index, its outcome image, the finding as the row's data.
    void AggiungiEsito(std::initializer_list<WString> testi, bool inTolleranza, const void* finding);
    void OnEsci();
    DECLARE_MESSAGE_MAP()

private:
    CImmaginiEsiti m_Immagini;
    CCEGridCtrl m_Griglia;
    CColButton m_Esci;
};
