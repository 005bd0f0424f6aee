// Point data library: survey points, orientation points and their library.
#pragma once

#include "hostapi/Conversions.h"
#include "hostapi/Platform.h"
#include "hostapi/WString.h"

#include <memory>
#include <vector>

// A named point. X is East, Y is North, Z the height; an undefined coordinate is REALE_INDEFINITO.
class HOSTAPI CEgn {
public:
    CEgn() = default;
    explicit CEgn(const WString& name) : m_Nome(name) {}
    CEgn(const CEgn&) = default;
    CEgn& operator=(const CEgn&) = default;
    virtual ~CEgn() = default;

    virtual WString GetNome() const { return m_Nome; }
    virtual void SetNome(const WString& name) { m_Nome = name; }

    double GetCoordX() const { return m_X; }
    double GetCoordY() const { return m_Y; }
    double GetCoordZ() const { return m_Z; }
    // Setting coordinates leaves validity alone; CalcolaValiditaXYZ derives it from the values.
    void SetCoord(double x, double y, double z);
    void SetCoordXY(double x, double y);
    void SetCoordZ(double z);
    void CalcolaValiditaXYZ();
    void AnnullaValidita();
    bool EstValidoXY() const { return m_ValidoXY; }
    bool EstValidoZ() const { return m_ValidoZ; }

    // Codes: NP excludes the object from the booklet, 3D marks a point with a measured height, PO a point
    // observed for orientation.
    bool IsCodedNP() const { return m_CodeNP; }
    bool IsCoded3D() const { return m_Code3D; }
    bool IsCodedPO() const { return m_CodePO; }
    void SetCodeNP(bool on) { m_CodeNP = on; }
    void SetCode3D(bool on) { m_Code3D = on; }
    void SetCodePO(bool on) { m_CodePO = on; }

    WString GetSecScri() const { return m_SecScri; }
    void SetSecScri(const WString& text) { m_SecScri = text; }
    WString GetTerScri() const { return m_TerScri; }
    void SetTerScri(const WString& text) { m_TerScri = text; }

private:
    WString m_Nome;
    double m_X = REALE_INDEFINITO;
    double m_Y = REALE_INDEFINITO;
    double m_Z = REALE_INDEFINITO;
    bool m_ValidoXY = false;
    bool m_ValidoZ = false;
    bool m_CodeNP = false;
    bool m_Code3D = false;
    bool m_CodePO = false;
    WString m_SecScri;
    WString m_TerScri;
};

// Orientation point types.
constexpr short TIPO_PUNTO_FIDUCIALE = -1;
constexpr short TIPO_PUNTO_RIF_FRAZIONE = 0;
constexpr short TIPO_PUNTO_MODESTA_ENTITA = 1;
constexpr short TIPO_PUNTO_SENZA_MISURE = 2;
constexpr short TIPO_PUNTO_AUSILIARIO = 3;

// An orientation or known point: a fiducial point (type -1) or a user point (types 0 to 3).
class HOSTAPI COri : public CEgn {
public:
    COri() = default;
    explicit COri(const WString& name) : CEgn(name) {}

    short GetTipoPunto() const { return m_TipoPunto; }
    void SetTipoPunto(short type) { m_TipoPunto = type; }
    // Planimetric reliability 1..88, -1 when none; height reliability 1..4, 0 when none.
    short GetAttendibO() const { return m_AttendibO; }
    void SetAttendibO(short value) { m_AttendibO = value; }
    short GetAttendibV() const { return m_AttendibV; }
    void SetAttendibV(short value) { m_AttendibV = value; }
    WString GetNotaAlt() const { return m_NotaAlt; }
    void SetNotaAlt(const WString& text) { m_NotaAlt = text; }
    // The planimetric note (monograph text).
    WString GetComm() const { return m_Comm; }
    void SetComm(const WString& text) { m_Comm = text; }

    // Attributes of the fiducial point's TAF record, kept as read.
    WString GetParticella() const { return m_Particella; }
    void SetParticella(const WString& text) { m_Particella = text; }
    WString GetFoglioOr() const { return m_FoglioOr; }
    void SetFoglioOr(const WString& text) { m_FoglioOr = text; }
    WString GetAllegOr() const { return m_AllegOr; }
    void SetAllegOr(const WString& text) { m_AllegOr = text; }
    WString GetFiducOr() const { return m_FiducOr; }
    void SetFiducOr(const WString& text) { m_FiducOr = text; }
    WString GetDataAgg() const { return m_DataAgg; }
    void SetDataAgg(const WString& text) { m_DataAgg = text; }
    WString GetCausaAgg() const { return m_CausaAgg; }
    void SetCausaAgg(const WString& text) { m_CausaAgg = text; }

private:
    short m_TipoPunto = TIPO_PUNTO_FIDUCIALE;
    short m_AttendibO = -1;
    short m_AttendibV = 0;
    WString m_NotaAlt;
    WString m_Comm;
    WString m_Particella;
    WString m_FoglioOr;
    WString m_AllegOr;
    WString m_FiducOr;
    WString m_DataAgg;
    WString m_CausaAgg;
};

// The library of orientation points. It owns its points; pointers stay valid until the point is deleted.
class HOSTAPI CLibConOri {
public:
    CLibConOri() = default;
    CLibConOri(const CLibConOri&) = delete;
    CLibConOri& operator=(const CLibConOri&) = delete;
    virtual ~CLibConOri() = default;

    int GetOriArSize() const { return static_cast<int>(m_Ori.size()); }
    // Points that take part in the booklet: those not coded NP.
    int GetOriArSizePregeo() const;
    COri* GetOriAt(int index) const;
    // A new, empty point owned by the library, or null when the library refuses one (it is full).
    // `notify` tells the host's views that the library changed.
    COri* AddOri(bool notify = true);
    void DelOriAt(int index);
    // Tells the host's views that points were changed from outside.
    virtual void NotificaModifica(bool redraw);

    int GetModificheNotificate() const { return m_Notifiche; }
    void SetMaxOri(int limit) { m_MaxOri = limit; }

private:
    std::vector<std::unique_ptr<COri>> m_Ori;
    int m_Notifiche = 0;
    int m_MaxOri = 9999;
};

// A named 3D point of the geometry library, and the ordered list of them that lists and meshes use.
struct CPoint3d {
    WString nome;
    double x = REALE_INDEFINITO;
    double y = REALE_INDEFINITO;
    double z = REALE_INDEFINITO;
    WString codice;
};

class CPoint3dVector {
public:
    int GetSize() const { return static_cast<int>(m_Punti.size()); }
    // Callers ask for indices below GetSize.
    const CPoint3d& GetAt(int index) const { return m_Punti.at(static_cast<std::size_t>(index)); }
    CPoint3d& GetAt(int index) { return m_Punti.at(static_cast<std::size_t>(index)); }
    void Add(const CPoint3d& point) { m_Punti.push_back(point); }
    void RemoveAll() { m_Punti.clear(); }
    // Index of the first point of that name, -1 when none has it.
    int Trova(const WString& nome) const {
        for (std::size_t i = 0; i < m_Punti.size(); ++i)
            if (m_Punti[i].nome == nome)
                return static_cast<int>(i);
        return -1;
    }

private:
    std::vector<CPoint3d> m_Punti;
};
