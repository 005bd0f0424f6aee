// What the row editors read besides their row: the booklet and the survey libraries that the point
// index and the coordinate computation need, and the name lists they fill from the index.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/CarviloDati.h"
#include "hostapi/Controls.h"
#include "hostapi/Gps.h"
#include "hostapi/TotalStation.h"
#include "hostapi/WString.h"
#include "rules/IndicePunti.h"

#include <vector>

// Any of them may be null.
struct CRilievo {
    CCts* libretto = nullptr;
    CLibCmp* stazioni = nullptr;
    CLibGps* gps = nullptr;
};

// The booklet given and the host's survey libraries; without the host only the booklet.
CRilievo RilievoDa(CCts* libretto, ICarviloDati* dati);

// A point index over the survey as it is now.
CIndicePunti IndiceRilievo(const CRilievo& rilievo);
// The names of one set, each once, in survey order; an empty name (a row not yet filled in) is no name
// to offer.
std::vector<WString> NomiIndice(const CIndicePunti& indice, int insieme);

// Fills an editable combo with the names, keeping its text.
void RiempiNomi(CComboBox& combo, const std::vector<WString>& nomi);
// The entry of exactly that name, CB_ERR when none.
int TrovaNome(const CComboBox& combo, const WString& nome);
// Shows a name in an editable combo: its entry when there is one, else the name typed in.
void MostraNome(CComboBox& combo, const WString& nome);
