// libpregeo-figure.so: PNG pictures, drawn with cairo and fontconfig.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host::parti {

struct Colore {
    double r = 0, g = 0, b = 0, a = 1;
};

struct Tratto {
    Colore colore;
    double spessore = 1;
    bool tratteggio = false;
};

struct Punto {
    double x = 0;
    double y = 0;
};

struct Carattere {
    double corpo = 11;
    Colore colore{0.15, 0.15, 0.15};
    bool grassetto = false;
    bool corsivo = false;
    bool centrato = false;
};

// A picture in pixels, y downwards, on a white ground.
class TelaPng {
public:
    virtual ~TelaPng() = default;
    virtual void Inizia(int w, int h) = 0;
    // What is drawn until FineRitaglio shows only inside the rectangle.
    virtual void Ritaglia(double x, double y, double w, double h) = 0;
    virtual void FineRitaglio() = 0;
    virtual void Spezzata(const std::vector<Punto>& punti, bool chiusa, const Tratto* tratto,
                          const Colore* fondo) = 0;
    // The first ring the outline, the others holes (filled even-odd).
    virtual void Poligono(const std::vector<std::vector<Punto>>& anelli, const Tratto* tratto,
                          const Colore* fondo) = 0;
    virtual void Cerchio(Punto c, double r, const Tratto* tratto, const Colore* fondo) = 0;
    virtual void Testo(Punto at, const std::string& utf8, const Carattere& c) = 0;
    virtual bool Fine(const std::string& file, std::string& error) = 0;
};

// PregeoFigureTela(): a new picture, the caller's to delete.
using CreaTela = TelaPng*();
// PregeoFigurePng(pixel, w, h, png): premultiplied ARGB pixels, row by row, as PNG bytes.
using PngDaPixel = void(const std::uint32_t* pixel, int w, int h, std::string& png);

} // namespace host::parti
