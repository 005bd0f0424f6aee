// Cadastral distances as they arrive: lines of a .dis file (fixed columns) or of the TAF web service's
// answer (comma separated), kept raw until they are parsed into the five texts of a distance.
#pragma once

#include "hostapi/WString.h"

#include <cstddef>
#include <memory>
#include <vector>

// One raw distance line: the first point's municipality and sheet code, then the rest of the line, each
// part zero-terminated in a fixed block. The block keeps only the first 81 characters of a .dis line.
class CDisRiga {
public:
    static constexpr int kComune = 0;
    static constexpr int kFoglio = 6;
    static constexpr int kResto = 12;
    static constexpr int kBlocco = 82;
    static constexpr int kMaxComune = 5;
    static constexpr int kMaxFoglio = 5;
    static constexpr int kMaxResto = kBlocco - kResto - 1; // 69

    CDisRiga() = default;
    CDisRiga(const WString& comune, const WString& foglio, std::u16string_view resto);

    WString GetComune() const { return Parte(kComune); }
    WString GetFoglio() const { return Parte(kFoglio); }
    std::u16string_view GetResto() const;
    // True when the line held more than the block keeps (line ends apart): a token that runs into the cut
    // is not a whole one.
    bool IsTagliata() const { return m_Tagliata; }

private:
    WString Parte(int inizio) const;
    void Copia(int inizio, std::u16string_view testo, int massimo);

    char16_t m_Blocco[kBlocco] = {};
    bool m_Tagliata = false;
};

// The lines of one import, in order, with a read cursor.
class CDisElenco {
public:
    void Aggiungi(std::unique_ptr<CDisRiga> riga) { m_Righe.push_back(std::move(riga)); }
    void Svuota() {
        m_Righe.clear();
        m_Iter = 0;
    }
    int GetCount() const { return static_cast<int>(m_Righe.size()); }
    void ResetIter() { m_Iter = 0; }
    // The line under the cursor, then the cursor moves on; null after the last.
    const CDisRiga* GetNext() { return m_Iter < m_Righe.size() ? m_Righe[m_Iter++].get() : nullptr; }

    // Reads a .dis file ("rt", line by line). False when the path is empty, the file cannot be opened or
    // a read yields no characters at all (a NUL where a line should start); the list then holds what was
    // read before. A line longer than one read keeps its first piece only.
    bool CaricaFile(const WString& percorso);
    // One .dis line as read (line end included): municipality and sheet code of the first point, the
    // rest from column 12.
    static std::unique_ptr<CDisRiga> RigaDaFile(std::u16string_view riga);
    // The lines of a web answer that end with '\n' (without it), each with the first point's municipality
    // and sheet; text after the last '\n' is no line. An answer that mentions "Warning" adds nothing.
    // A line longer than the block is dropped: cut, its last fields would read as other values.
    void CaricaRispostaWeb(const WString& risposta, const WString& comune, const WString& foglio);

private:
    std::vector<std::unique_ptr<CDisRiga>> m_Righe;
    std::size_t m_Iter = 0;
};

// A parsed distance: five texts as read.
struct CDisDistanza {
    WString nome1;
    WString nome2;
    WString distanza;
    WString sqm;
    WString libretto;

    // Both names, and a distance and an SQM that read as numbers. Anything less would write a distance
    // with undefined parts, so the line is dropped instead.
    bool IsCompleta() const;
};

// The .dis form: second point, booklet reference and the two numbers at their fixed columns, as far as
// the line reaches. Names read "PF" number "/" sheet "/" municipality.
CDisDistanza DistanzaDaFile(const CDisRiga& riga);
// The web form: name, name, booklet reference and distance, each ended by a comma, then the SQM as the
// (at most) 5 characters after the last comma.
CDisDistanza DistanzaDaWeb(const CDisRiga& riga);
// Whether a web answer is the service's answer to a distance query: empty, a "Warning" (nothing found),
// or text with at least one line, the unended last one too, that reads as a distance. An error page
// served as a success, or stray bytes, is not.
bool IsRispostaDistanze(const WString& risposta);

// The pieces of a survey fiducial name that the web query needs, at their fixed places (number 2-3, sheet
// 5-8, municipality from 10 on), each only as far as the name reaches: a short name has empty pieces.
struct CPezziNomePF {
    WString numero;
    WString foglio;
    WString comune;
};
CPezziNomePF PezziNomePF(const WString& nome);
