// Pictures of a drawing: SVG and PNG.
#pragma once

#include "host/cad/Rilievo.h"
#include "host/parti/Figure.h"
#include "hostapi/Cad.h"
#include "hostapi/Controls.h"

#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace host::cad {

using Finestra = CViewControlCAD::Finestra;

using Colore = parti::Colore;
using Tratto = parti::Tratto;

// What a command lays over the survey (a mesh, a tool's findings), in drawing coordinates.
struct FormaFigura {
    std::string classe; // the SVG group's class: what a reader of the SVG looks for
    WString titolo;     // the SVG group's title
    std::vector<CPuntoCad> punti;
    bool chiusa = false; // a polygon, filled when it has a fill (a part of a row shaded)
    Tratto tratto;
    std::optional<Colore> fondo;
    WString etichetta;     // written at the mean of the points
    int rigaEtichetta = 0; // on that line below the mean: shapes with one mean keep their labels apart
    std::vector<std::vector<CPuntoCad>> buchi{}; // of a polygon: left unfilled, outlined like it
};

// A ring around a point, pixels across whatever the scale.
struct AnelloFigura {
    std::string classe;
    WString titolo;
    CPuntoCad centro;
    Tratto tratto;
    double raggio = 11;
};

struct VoceLegenda {
    WString testo;
    Tratto tratto;
    std::optional<Colore> fondo; // a swatch; without one a stroke
    bool anello = false;
};

// Shapes go above the rows 7 and the lines, in their order; rings above them and below the points; the
// labels of shapes on top, to be read. The legend lists its entries above the symbols'.
struct Sovrapposizione {
    std::vector<FormaFigura> forme;
    std::vector<AnelloFigura> anelli;
    std::vector<VoceLegenda> legenda;
};

// The part of the drawing that holds every entity, with a margin; a square of 100 m when there is none.
Finestra Estensione(const CGcadEng& eng);
// The part that holds the survey proper (stations, surveyed and GPS points, points of rows 5, rows 7),
// with a margin: fiducial and orientation points and GPS bases often stand far off and would shrink the
// lots to a corner of the picture. The whole extent when the survey has none of those.
Finestra EstensioneRilievo(const CGcadEng& eng);
// The part that holds the given entities, at least 20 m across.
Finestra EstensioneDi(const CGcadEng& eng, const std::vector<int>& ents);
// The part that holds what is laid over the drawing, at least 20 m across.
Finestra EstensioneDi(const Sovrapposizione& sopra);

struct OpzioniFigura {
    Finestra finestra;
    bool scala = true; // a scale bar
    const Sovrapposizione* sopra = nullptr;
    // Points beyond the window drawn at its edge, towards where they are, with an arrow: every point of
    // the survey stays in the picture.
    bool aiMargini = false;
};

// A rectangle of a picture, in pixels, y downwards.
struct Riquadro {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};
bool SiSovrappongono(const Riquadro& a, const Riquadro& b);

// The box a text takes from its baseline's start (its middle when centred): DejaVu Sans's advances, taken
// on the large side so that boxes kept apart are texts kept apart.
Riquadro RiquadroTesto(double x, double y, const WString& testo, double corpo, bool grassetto, bool centrato);

// Places labels one at a time, each at the first of its places that no label placed before covers; a label
// with no such place is not drawn. A grid of cells keeps a crowded survey's labels quick to place.
class PosaEtichette {
public:
    // The index of the place taken, or -1.
    int Posa(const std::vector<Riquadro>& posti);

private:
    static constexpr double kCella = 48;
    std::vector<Riquadro> m_Posate;
    std::unordered_map<long long, std::vector<std::size_t>> m_Celle;
};

// "svg" or "png" by the file's extension, empty for anything else.
std::string FormatoFigura(const std::filesystem::path& file);

// Draws what the window shows: rows 7 filled lightly, observations and GPS baselines, the points with
// their names, the selection highlighted, the lines drawn by others than the host (the module's)
// in a colour of their own, and what the options lay over it. SVG or PNG by the extension; false with the
// reason when it cannot be written.
bool ScriviFigura(const CGcadEng& eng, const DisegnoRilievo& disegno, const OpzioniFigura& opzioni,
                  const std::filesystem::path& file, std::string& error);

// What the CAD views' pictures for a front end lay over the survey (the fiducial mesh while a tool picks
// against it); null for nothing. Set by the front end around a tool's run.
const Sovrapposizione* SopraLeViste();
void ImpostaSopraLeViste(const Sovrapposizione* sopra);

// The same picture as SVG text without the XML declaration, for a page that shows it or holds it inline.
std::string FiguraSvg(const CGcadEng& eng, const DisegnoRilievo& disegno, const OpzioniFigura& opzioni);

// A bitmap as PNG bytes (a page shows the support bitmaps so), the pixels of the mask colour, when given,
// transparent; empty for an empty bitmap.
std::string BitmapPng(const CBitmap& bitmap, std::optional<COLORREF> mask = std::nullopt);

// Text as XML character data: markup characters escaped, characters XML does not allow dropped.
std::string TestoXml(const WString& text);

} // namespace host::cad
