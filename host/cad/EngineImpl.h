// The engine's storage, shared by the host's CAD rooms.
#pragma once

#include "hostapi/Cad.h"

#include <map>
#include <vector>

struct CGcadEng::Impl {
    struct Ent {
        TipoEntCad tipo = TipoEntCad::Nessuna;
        int disegno = -1; // -1 until added to a drawing
        int userType = 0;
        std::uintptr_t userData = 0;
        std::vector<CPuntoCad> punti;
        bool chiusa = false;
        int blocco = 0;
        WString testo;
        std::vector<int> attributi; // an insert's
        int insert = 0;             // an attribute's owner
    };

    const Ent* Trova(int ent) const;
    Ent* Trova(int ent);
    // 0 when the handles have run out.
    int Nuova(Ent ent);
    // Handles in the drawings, in creation order.
    std::vector<int> InDisegno() const;

    std::map<int, Ent> ents; // by handle, so in creation order
    int prossimo = 1;
    std::vector<int> selezione; // in the order of selection
};
