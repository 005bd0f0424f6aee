// Point index: the names the survey defines, in seven sets, so that row checks can tell whether a name
// used in a row exists somewhere.
// Which source feeds which set is fixed in the constructor; fiducial names go in completed.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/Gps.h"
#include "hostapi/TotalStation.h"
#include "hostapi/WString.h"
#include "rules/TabellaNomi.h"

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

struct HashNome {
    std::size_t operator()(const WString& nome) const { return std::hash<std::u16string>()(nome.str()); }
};

class CIndicePunti {
public:
    static constexpr int NUM_INSIEMI = 7;

    CIndicePunti() = default;
    // Fills the sets from the GPS data, the total-station data and the booklet; any of them may be null.
    CIndicePunti(CLibGps* gps, CLibCmp* stazioni, CCts* libretto);

    // Sets are numbered 1 to 7; other numbers hold nothing (adding to them does nothing).
    void Aggiungi(int insieme, const WString& nome) {
        if (insieme >= 1 && insieme <= NUM_INSIEMI)
            Segna(Bit(insieme), nome);
    }
    bool IsPresente(int insieme, const WString& nome) const {
        if (insieme < 1 || insieme > NUM_INSIEMI)
            return false;
        const unsigned char* bits = m_Nomi.Trova(nome);
        return bits && (*bits & Bit(insieme)) != 0;
    }

    // The names of a set, each once, in the order the survey first named them: the editors' name lists.
    std::vector<WString> Nomi(int insieme) const {
        std::vector<WString> nomi;
        for (const WString& nome : m_Ordine)
            if (IsPresente(insieme, nome))
                nomi.push_back(nome);
        return nomi;
    }

private:
    static unsigned char Bit(int insieme) { return static_cast<unsigned char>(1u << (insieme - 1)); }
    // A name into several sets at once: one lookup.
    void Segna(unsigned char bits, const WString& nome) {
        const auto [voce, nuovo] = m_Nomi.try_emplace(nome, 0);
        if (nuovo)
            m_Ordine.push_back(nome);
        *voce |= bits;
    }

    // One entry per name with a bit per set: a survey's names are looked up once, not once per set.
    CTabellaNomi<unsigned char> m_Nomi;
    std::vector<WString> m_Ordine;
};
