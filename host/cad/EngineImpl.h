// The engine's storage, shared by the host's CAD rooms.
#pragma once

#include "hostapi/Cad.h"

#include <unordered_map>
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

    // By handle; handles are given in creation order. A drawing of a large survey looks entities up
    // millions of times.
    std::unordered_map<int, Ent> ents;
    int prossimo = 1;
    std::vector<int> selezione; // in the order of selection
};
