// Point index: the names the survey defines, in seven sets, so that row checks can tell whether a name
// used in a row exists somewhere.
#pragma once

#include "entry/host/Booklet.h"
#include "entry/host/Gps.h"
#include "entry/host/TotalStation.h"
#include "entry/host/WString.h"

#include <set>

class CIndicePunti {
public:
    static constexpr int NUM_INSIEMI = 7;

    CIndicePunti() = default;
    // Fills the sets from the GPS data, the total-station data and the booklet.
    CIndicePunti(CLibGps* gps, CLibCmp* stazioni, CCts* libretto);

    // Sets are numbered 1 to 7; other numbers hold nothing.
    void Aggiungi(int insieme, const WString& nome) {
        if (insieme >= 1 && insieme <= NUM_INSIEMI)
            m_Insiemi[insieme - 1].insert(nome);
    }
    bool IsPresente(int insieme, const WString& nome) const {
        return insieme >= 1 && insieme <= NUM_INSIEMI && m_Insiemi[insieme - 1].count(nome) > 0;
    }

private:
    std::set<WString> m_Insiemi[NUM_INSIEMI];
};
