// A table by point name for the checker's lookups, which come by the hundred thousand on a large
// survey: one flat array of slots, each with the hash of its name, probed in line, so that a lookup is
// one or two cache lines and compares a name only when the hashes agree. Entries never move once made.
#pragma once

#include "hostapi/WString.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

template <class V> class CTabellaNomi {
public:
    void reserve(std::size_t n) {
        if (n * 2 > m_Posti.size())
            Ricostruisci(n * 2);
    }

    // The entry of the name, made with `iniziale` when there is none; true when it was made.
    std::pair<V*, bool> try_emplace(const WString& nome, const V& iniziale = V()) {
        if ((m_Voci.size() + 1) * 2 > m_Posti.size())
            Ricostruisci(std::max<std::size_t>(16, m_Posti.size() * 2));
        const std::uint32_t h = Hash(nome);
        std::size_t i = h & (m_Posti.size() - 1);
        for (;; i = (i + 1) & (m_Posti.size() - 1)) {
            const std::uint64_t posto = m_Posti[i];
            if (posto == 0)
                break;
            if (static_cast<std::uint32_t>(posto >> 32) == h) {
                auto& voce = m_Voci[static_cast<std::size_t>(posto & 0xFFFFFFFFu) - 1];
                if (voce.first == nome)
                    return {&voce.second, false};
            }
        }
        m_Voci.emplace_back(nome, iniziale);
        m_Posti[i] = (static_cast<std::uint64_t>(h) << 32) | m_Voci.size();
        return {&m_Voci.back().second, true};
    }

    V& operator[](const WString& nome) { return *try_emplace(nome).first; }

    const V* Trova(const WString& nome) const {
        if (m_Posti.empty())
            return nullptr;
        const std::uint32_t h = Hash(nome);
        for (std::size_t i = h & (m_Posti.size() - 1);; i = (i + 1) & (m_Posti.size() - 1)) {
            const std::uint64_t posto = m_Posti[i];
            if (posto == 0)
                return nullptr;
            if (static_cast<std::uint32_t>(posto >> 32) == h) {
                const auto& voce = m_Voci[static_cast<std::size_t>(posto & 0xFFFFFFFFu) - 1];
                if (voce.first == nome)
                    return &voce.second;
            }
        }
    }

private:
    static std::uint32_t Hash(const WString& nome) {
        const std::size_t h = std::hash<std::u16string_view>()(nome.view());
        return static_cast<std::uint32_t>(h ^ (h >> 32));
    }

    // `posti` is a power of two.
    void Ricostruisci(std::size_t posti) {
        std::size_t n = 16;
        while (n < posti)
            n *= 2;
        m_Posti.assign(n, 0);
        for (std::size_t v = 0; v < m_Voci.size(); ++v) {
            const std::uint32_t h = Hash(m_Voci[v].first);
            std::size_t i = h & (n - 1);
            while (m_Posti[i] != 0)
                i = (i + 1) & (n - 1);
            m_Posti[i] = (static_cast<std::uint64_t>(h) << 32) | (v + 1);
        }
    }

    std::deque<std::pair<WString, V>> m_Voci;
    std::vector<std::uint64_t> m_Posti;
};
