#include "host/parti/Figure.h"
#include "host/core/Parti.h"

#include <cairo.h>
#include <cstdlib>
#include <fontconfig/fontconfig.h>
#include <numbers>

namespace {

using host::parti::Carattere;
using host::parti::Colore;
using host::parti::Punto;
using host::parti::Tratto;

class TelaCairo : public host::parti::TelaPng {
public:
    ~TelaCairo() override {
        if (m_Cr)
            cairo_destroy(m_Cr);
        if (m_Surface)
            cairo_surface_destroy(m_Surface);
    }
    void Inizia(int w, int h) override {
        // cairo and fontconfig keep fonts for the process's life; give them back at its end.
        static const bool liberaAllaFine = [] {
            std::atexit([] {
                cairo_debug_reset_static_data();
                FcFini();
            });
            return true;
        }();
        (void)liberaAllaFine;
        m_Surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        m_Cr = cairo_create(m_Surface);
        cairo_set_source_rgb(m_Cr, 1, 1, 1);
        cairo_paint(m_Cr);
    }
    void Ritaglia(double x, double y, double w, double h) override {
        cairo_save(m_Cr);
        cairo_rectangle(m_Cr, x, y, w, h);
        cairo_clip(m_Cr);
    }
    void FineRitaglio() override { cairo_restore(m_Cr); }
    void Spezzata(const std::vector<Punto>& punti, bool chiusa, const Tratto* tratto,
                  const Colore* fondo) override {
        if (punti.empty())
            return;
        cairo_new_path(m_Cr);
        cairo_move_to(m_Cr, punti[0].x, punti[0].y);
        for (std::size_t i = 1; i < punti.size(); ++i)
            cairo_line_to(m_Cr, punti[i].x, punti[i].y);
        if (chiusa)
            cairo_close_path(m_Cr);
        Dipingi(tratto, fondo);
    }
    void Poligono(const std::vector<std::vector<Punto>>& anelli, const Tratto* tratto,
                  const Colore* fondo) override {
        cairo_new_path(m_Cr);
        for (const std::vector<Punto>& anello : anelli) {
            for (std::size_t i = 0; i < anello.size(); ++i)
                (i ? cairo_line_to : cairo_move_to)(m_Cr, anello[i].x, anello[i].y);
            if (!anello.empty())
                cairo_close_path(m_Cr);
        }
        cairo_set_fill_rule(m_Cr, CAIRO_FILL_RULE_EVEN_ODD);
        Dipingi(tratto, fondo);
        cairo_set_fill_rule(m_Cr, CAIRO_FILL_RULE_WINDING);
    }
    void Cerchio(Punto c, double r, const Tratto* tratto, const Colore* fondo) override {
        cairo_new_path(m_Cr);
        cairo_arc(m_Cr, c.x, c.y, r, 0, 2 * std::numbers::pi);
        Dipingi(tratto, fondo);
    }
    void Testo(Punto at, const std::string& utf8, const Carattere& c) override {
        cairo_select_font_face(m_Cr, "DejaVu Sans",
                               c.corsivo ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                               c.grassetto ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(m_Cr, c.corpo);
        double x = at.x;
        if (c.centrato) {
            cairo_text_extents_t ext;
            cairo_text_extents(m_Cr, utf8.c_str(), &ext);
            x -= ext.x_advance / 2;
        }
        cairo_set_source_rgba(m_Cr, c.colore.r, c.colore.g, c.colore.b, c.colore.a);
        cairo_move_to(m_Cr, x, at.y);
        cairo_show_text(m_Cr, utf8.c_str());
    }
    bool Fine(const std::string& file, std::string& error) override {
        cairo_surface_flush(m_Surface);
        const cairo_status_t st = cairo_surface_write_to_png(m_Surface, file.c_str());
        if (st != CAIRO_STATUS_SUCCESS) {
            error = "cannot write " + file + ": " + cairo_status_to_string(st);
            return false;
        }
        return true;
    }

private:
    void Dipingi(const Tratto* tratto, const Colore* fondo) {
        if (fondo) {
            cairo_set_source_rgba(m_Cr, fondo->r, fondo->g, fondo->b, fondo->a);
            tratto ? cairo_fill_preserve(m_Cr) : cairo_fill(m_Cr);
        }
        if (tratto) {
            cairo_set_source_rgba(m_Cr, tratto->colore.r, tratto->colore.g, tratto->colore.b,
                                  tratto->colore.a);
            cairo_set_line_width(m_Cr, tratto->spessore);
            const double dash[] = {4, 3};
            cairo_set_dash(m_Cr, dash, tratto->tratteggio ? 2 : 0, 0);
            cairo_stroke(m_Cr);
        }
    }

    cairo_surface_t* m_Surface = nullptr;
    cairo_t* m_Cr = nullptr;
};

} // namespace

PREGEO_PARTE host::parti::TelaPng* PregeoFigureTela() {
    return new TelaCairo;
}

PREGEO_PARTE void PregeoFigurePng(const std::uint32_t* pixel, int w, int h, std::string& png) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < w; ++x)
            row[x] = pixel[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                           static_cast<std::size_t>(x)];
    }
    cairo_surface_mark_dirty(surface);
    png.clear();
    cairo_surface_write_to_png_stream(
        surface,
        [](void* closure, const unsigned char* bytes, unsigned int length) {
            static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(bytes), length);
            return CAIRO_STATUS_SUCCESS;
        },
        &png);
    cairo_surface_destroy(surface);
}
