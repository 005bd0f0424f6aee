// Survey data library: the booklet (libretto delle misure) and its rows.
#pragma once

#include "hostapi/Conversions.h"
#include "hostapi/Platform.h"
#include "hostapi/Points.h"
#include "hostapi/WString.h"

#include <memory>
#include <vector>

// Vertex of a row 3 or row 7 polygon. The codes describe the segment from this vertex to the next:
// line type 'C' continua, 'P' punteggiata, 'T' tratteggiata ('V' vertex, 'D' direction of an isolated
// point); colour 'N' nero, 'R' rosso, 'V' verde ('P' isolated point).
class HOSTAPI CCtsVrt : public CEgn {
public:
    CCtsVrt() = default;
    explicit CCtsVrt(const WString& name, char lineType = 'C', char colour = 'N')
        : CEgn(name), m_TipoLinea(lineType), m_Colore(colour) {}

    char m_TipoLinea = 'C';
    char m_Colore = 'N';
};

// A booklet row. TipoRiga is the row type '3' to '7'; SpecRiga the numeric variant (0, 1, 2) within it.
// A row is a point too: a row 5 keeps the coordinates computed for its point.
class HOSTAPI CRig : public CEgn {
public:
    CRig() = default;
    explicit CRig(char type, char specRiga = 0) : m_TipoRiga(type), m_SpecRiga(specRiga) {}
    CRig(const CRig& other);
    CRig& operator=(const CRig& other);
    ~CRig() override;

    char GetTipoRiga() const { return m_TipoRiga; }
    void SetTipoRiga(char type) { m_TipoRiga = type; }
    char GetSpecRiga() const { return m_SpecRiga; }
    void SetSpecRiga(char specRiga) { m_SpecRiga = specRiga; }
    WString GetLblNome1() const { return m_LblNome1; }
    void SetLblNome1(const WString& text) { m_LblNome1 = text; }
    WString GetLblNome2() const { return m_LblNome2; }
    void SetLblNome2(const WString& text) { m_LblNome2 = text; }
    WString GetLblMater() const { return m_LblMater; }
    void SetLblMater(const WString& text) { m_LblMater = text; }
    double GetDatoRea1() const { return m_DatoRea1; }
    void SetDatoRea1(double value) { m_DatoRea1 = value; }
    double GetDatoRea2() const { return m_DatoRea2; }
    void SetDatoRea2(double value) { m_DatoRea2 = value; }
    short GetDatoInt1() const { return m_DatoInt1; }
    void SetDatoInt1(short value) { m_DatoInt1 = value; }
    short GetDatoInt2() const { return m_DatoInt2; }
    void SetDatoInt2(short value) { m_DatoInt2 = value; }

    int GetVrtArSize() const { return static_cast<int>(m_Vrt.size()); }
    CCtsVrt* GetVrtAt(int index) const;
    CCtsVrt* AddVrt(const CCtsVrt& vertex);
    void DelAllVrt();
    // Replaces this row's vertices with copies of the other row's, leaving every other field alone.
    void CopiaSoloVrtArDa(const CRig& other);

    // Surface enclosed by the row's vertices (their X and Y), left in the row's DatoRea1. Vertices without
    // valid coordinates leave DatoRea1 undefined.
    static void CalcolaAreaInterna(CRig* row);
    // True when every vertex of `polygon` lies inside or on the polygon of `mesh` (within a micrometre, as
    // the 2D calculation library decides contact); false when a vertex of either has no coordinates.
    static bool EstVrtPgPassInterno(const CRig* mesh, const CRig* polygon);

private:
    char m_TipoRiga = '6';
    char m_SpecRiga = 0;
    WString m_LblNome1;
    WString m_LblNome2;
    WString m_LblMater;
    double m_DatoRea1 = 0;
    double m_DatoRea2 = 0;
    short m_DatoInt1 = 0;
    short m_DatoInt2 = 0;
    std::vector<CCtsVrt*> m_Vrt;
};

// Row 9, the closing row: DatoRea1 mean height, LblNome1 Est Media, LblNome2 update type, DatoInt1 linear
// precision, DatoInt2 angular precision, LblMater note; the case is the update sub-case.
class HOSTAPI CRig9 : public CRig {
public:
    CRig9() : CRig('9') {}
    WString GetCaso() const { return m_Caso; }
    void SetCaso(const WString& text) { m_Caso = text; }

private:
    WString m_Caso;
};

// An ordered array of rows. The booklet's arrays own their rows (deleting a row frees it); an array made
// by the caller, such as the target of CCts::AccorpaRighe, only refers to rows owned elsewhere.
class HOSTAPI CCtsRigArray {
public:
    explicit CCtsRigArray(bool owning = false) : m_Owning(owning) {}
    CCtsRigArray(const CCtsRigArray&) = delete;
    CCtsRigArray& operator=(const CCtsRigArray&) = delete;
    ~CCtsRigArray();

    int GetRigArSize() const { return static_cast<int>(m_Rig.size()); }
    CRig* GetRigAt(int index) const;
    // Takes the row (an owning array frees it later) and returns its index.
    int AddRig(CRig* row);
    // Inserts at `index`, clamped to 0..size.
    void InsRigAt(int index, CRig* row);
    void DelRigAt(int index);
    void RemoveAll();
    // The index of `row` in the array; false when it is not there.
    bool GetIndiciDiRig(const CRig* row, int& index) const;
    bool IsOwning() const { return m_Owning; }

private:
    bool m_Owning;
    std::vector<CRig*> m_Rig;
};

// A cadastral distance between two fiducial points, from the map extract.
class HOSTAPI CCtsDistanza {
public:
    WString GetNome1() const { return m_Nome1; }
    void SetNome1(const WString& name) { m_Nome1 = name; }
    WString GetNome2() const { return m_Nome2; }
    void SetNome2(const WString& name) { m_Nome2 = name; }
    double GetDistanza() const { return m_Distanza; }
    void SetDistanza(double metres) { m_Distanza = metres; }
    double GetSqm() const { return m_Sqm; }
    void SetSqm(double metres) { m_Sqm = metres; }
    WString GetRifLibretto() const { return m_RifLibretto; }
    void SetRifLibretto(const WString& reference) { m_RifLibretto = reference; }

private:
    WString m_Nome1;
    WString m_Nome2;
    double m_Distanza = REALE_INDEFINITO;
    double m_Sqm = REALE_INDEFINITO;
    WString m_RifLibretto;
};

// The map extract (estratto di mappa): the distances imported for the booklet.
class HOSTAPI CLibEstrMap {
public:
    int GetDistanzaArSize() const { return static_cast<int>(m_Dist.size()); }
    CCtsDistanza* GetDistanzaAt(int index) const;
    // A new distance owned by the extract.
    CCtsDistanza* AddDistanza();
    void DelDistanzaAt(int index);

private:
    std::vector<std::unique_ptr<CCtsDistanza>> m_Dist;
};

// A particle named in the booklet's particle table.
class HOSTAPI CCtsParticella {
public:
    explicit CCtsParticella(const WString& name = WString()) : m_Nome(name) {}
    WString GetNome() const { return m_Nome; }
    void SetNome(const WString& name) { m_Nome = name; }

private:
    WString m_Nome;
};

class HOSTAPI CCtsParticelleArray {
public:
    int GetParticellaArSize() const { return static_cast<int>(m_Part.size()); }
    CCtsParticella* GetParticellaAt(int index) const;
    CCtsParticella* AddParticella(const WString& name);

private:
    std::vector<std::unique_ptr<CCtsParticella>> m_Part;
};

// Pregeo format versions of the booklet.
enum TVersPregeo : int {
    VER_PREGEO_1007 = 1007,
    VER_PREGEO_1008 = 1008,
    VER_PREGEO_1009 = 1009,
    VER_PREGEO_1010 = 1010,
    VER_PREGEO_1011 = 1011,
    VER_PREGEO_1012 = 1012,
    VER_PREGEO_1013 = 1013,
    VER_PREGEO_1014 = 1014,
    VER_PREGEO_1015 = 1015,
};

// The booklet. Header texts, row 9, the three row arrays (row 3 view: rows '3' and '6'; rows 4/5 view:
// rows '4', '5' and '6'; row 7 view: rows '7' and '6'), the map extract and the particles.
class HOSTAPI CCts {
public:
    CCts();
    CCts(const CCts&) = delete;
    CCts& operator=(const CCts&) = delete;
    virtual ~CCts();

#define CCTS_TEXT(Name)                                                                                      \
    WString Get##Name() const {                                                                              \
        return m_##Name;                                                                                     \
    }                                                                                                        \
    void Set##Name(const WString& text) {                                                                    \
        m_##Name = text;                                                                                     \
    }
    CCTS_TEXT(Anno)
    CCTS_TEXT(Mese)
    CCTS_TEXT(Gior)
    CCTS_TEXT(CdCm)
    CCTS_TEXT(ProvCm)
    CCTS_TEXT(Prov)
    CCTS_TEXT(Fogl)
    CCTS_TEXT(Mapp)
    CCTS_TEXT(Prot)
    CCTS_TEXT(Qual)
    CCTS_TEXT(TcnN)
    CCTS_TEXT(TcnC)
    CCTS_TEXT(TcnCF)
    CCTS_TEXT(TcnNIscr)
#undef CCTS_TEXT

    CRig9* GetRiga9() {
        return &m_Riga9;
    }
    const CRig9* GetRiga9() const {
        return &m_Riga9;
    }

    // Completes a short fiducial name in place: "PFnn" gains "/" sheet "/" municipality, "PFnn/ffff" gains
    // "/" municipality. Other names are left alone.
    void CompletaNomePfPregeo(WString& name) const;
    // Every row of the booklet, in booklet order (rows 3 view, rows 4/5 view, rows 7 view), into `all`.
    void AccorpaRighe(CCtsRigArray& all) const;
    // The notes of all rows '6', in booklet order, each ended by "\r\n" as its booklet line.
    WString GetAllRigComment() const;
    // The technical report (relazione tecnica), one text per line.
    int GetRelazArSize() const {
        return static_cast<int>(m_Relazione.size());
    }
    WString GetRelazAt(int index) const;
    void AddRelaz(const WString& line) {
        m_Relazione.push_back(line);
    }

    int GetVerPregeo() const {
        return m_VerPregeo;
    }
    void SetVerPregeo(int version) {
        m_VerPregeo = version;
    }

    // Booklet type: 0 standard, 1 modesta entità.
    int m_TipoLibretto = 0;
    // Point format: 0 horizontal distances, 1 zenith angle and slope distance, 2 the same plus target height.
    int m_FormatoPunti = 1;
    // Set when the mappale is written with its terms (format with '-' parts).
    bool m_FormatoMappale = false;
    CCtsRigArray m_Righe3{true};
    CCtsRigArray m_Righe45{true};
    CCtsRigArray m_Righe7{true};
    CLibEstrMap m_EstrMap;
    CCtsParticelleArray m_Particelle;

private:
    WString m_Anno, m_Mese, m_Gior, m_CdCm, m_ProvCm, m_Prov, m_Fogl, m_Mapp, m_Prot, m_Qual, m_TcnN, m_TcnC,
        m_TcnCF, m_TcnNIscr;
    CRig9 m_Riga9;
    std::vector<WString> m_Relazione;
    int m_VerPregeo = VER_PREGEO_1015;
};

// The booklet's Pregeo format version, for comparisons.
class HOSTAPI CCtsVerPregeo {
public:
    void SetVars(const CCts* booklet) { m_Ver = booklet ? booklet->GetVerPregeo() : 0; }
    bool IsVerMaggioreDi(TVersPregeo v) const { return m_Ver > v; }
    bool IsVerMaggioreOrUgualeA(TVersPregeo v) const { return m_Ver >= v; }
    bool IsVerMinoreDi(TVersPregeo v) const { return m_Ver < v; }
    bool IsVerUgualeA(TVersPregeo v) const { return m_Ver == v; }
    int GetVer() const { return m_Ver; }

private:
    int m_Ver = 0;
};

// Municipalities (comuni) of a province, from the host's support table "Support\Comuni.txt": 8-bit lines
// "province;code;name".
class HOSTAPI CCtsComuni {
public:
    struct Comune {
        WString codice;
        WString nome;
    };
    // Loads the comuni of the province (its two-letter code), replacing what was loaded before. False when
    // the table cannot be read; a province without comuni loads an empty list.
    bool CaricaElenco(const WString& provincia);
    int GetSize() const { return static_cast<int>(m_Elenco.size()); }
    const Comune& GetAt(int index) const { return m_Elenco.at(static_cast<std::size_t>(index)); }

private:
    std::vector<Comune> m_Elenco;
};

// The booklet output library: rows as the booklet file writes them.
class HOSTAPI CCtsOutDatString {
public:
    // The data line of a row 4, 5 or 6: the fields separated by '|', ending with "|\r\n".
    static WString GetWriteSpecRow45(const CRig* row);
};
