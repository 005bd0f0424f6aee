// Rows 7 over a generated survey's points, shared by the benches that draw large surveys: a closed
// four-sided lot over every eighth group of surveyed points.
#pragma once

#include "hostapi/Booklet.h"

#include <cstddef>
#include <vector>

inline void AggiungiRighe7(CCts& libretto, const std::vector<WString>& rilevati) {
    for (std::size_t i = 0; i + 4 <= rilevati.size(); i += 8) {
        CRig* r7 = new CRig('7');
        for (std::size_t k = 0; k < 4; ++k)
            r7->AddVrt(CCtsVrt(rilevati[i + k]));
        r7->AddVrt(CCtsVrt(rilevati[i]));
        r7->SetLblNome1(WString::Formatted(u"%d", 100 + static_cast<int>(i / 8)));
        libretto.m_Righe7.AddRig(r7);
    }
}
