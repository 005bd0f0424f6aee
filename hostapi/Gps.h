// GPS data library, coordinate conversion and the receiver.
#pragma once

#include "hostapi/Platform.h"
#include "hostapi/Points.h"
#include "hostapi/WString.h"

#include <memory>
#include <string>
#include <vector>

class CConvCoord;

// A GPS baseline end point: geocentric coordinates, covariance of the position (in the receiver's integer
// units), DOPs, antenna height, note and the date and time of the measurement.
class HOSTAPI CPunGps : public CEgn {
public:
    CPunGps() = default;
    explicit CPunGps(const WString& name) : CEgn(name) {}
    void GetGeocCeFaMis(double& x, double& y, double& z) const;
    void SetGeocCeFaMis(double x, double y, double z);
    long GetPosCov_xx() const { return m_Cov[0]; }
    long GetPosCov_xy() const { return m_Cov[1]; }
    long GetPosCov_xz() const { return m_Cov[2]; }
    long GetPosCov_yy() const { return m_Cov[3]; }
    long GetPosCov_yz() const { return m_Cov[4]; }
    long GetPosCov_zz() const { return m_Cov[5]; }
    // xx, xy, xz, yy, yz, zz.
    void SetPosCov(const long (&cov)[6]);
    double GetPdop() const { return m_Pdop; }
    void SetPdop(double value) { m_Pdop = value; }
    double GetGdop() const { return m_Gdop; }
    void SetGdop(double value) { m_Gdop = value; }
    double GetAltAnt() const { return m_AltAnt; }
    void SetAltAnt(double value) { m_AltAnt = value; }
    WString GetCode() const { return m_Code; }
    void SetCode(const WString& text) { m_Code = text; }
    int GetDay() const { return m_Day; }
    int GetMonth() const { return m_Month; }
    int GetYear() const { return m_Year; }
    // Time of day in seconds; 0 means no time was recorded.
    int GetTod() const { return m_Tod; }
    void SetData(int day, int month, int year, int tod);

private:
    double m_X = REALE_INDEFINITO, m_Y = REALE_INDEFINITO, m_Z = REALE_INDEFINITO;
    long m_Cov[6] = {0, 0, 0, 0, 0, 0};
    double m_Pdop = REALE_INDEFINITO;
    double m_Gdop = REALE_INDEFINITO;
    double m_AltAnt = REALE_INDEFINITO;
    WString m_Code;
    int m_Day = 0, m_Month = 0, m_Year = 0, m_Tod = 0;
};

// A GPS group: the baseline start vertex (the base) and the points measured from it.
class HOSTAPI CGrpGps : public CEgn {
public:
    CGrpGps() = default;
    explicit CGrpGps(const WString& name) : CEgn(name) {}
    void GetGeocCeFaMis(double& x, double& y, double& z) const;
    void SetGeocCeFaMis(double x, double y, double z);
    double GetBaseAltAnt() const { return m_BaseAltAnt; }
    void SetBaseAltAnt(double value) { m_BaseAltAnt = value; }
    bool IsCdElabValid() const { return m_ElabValid; }
    void SetCdElabValid(bool on) { m_ElabValid = on; }
    CConvCoord* GetConvCoord() const { return m_Conv; }
    void SetConvCoord(CConvCoord* conv) { m_Conv = conv; }

    int GetPunArSize() const { return static_cast<int>(m_Pun.size()); }
    CPunGps* GetPunAt(int index) const;
    CPunGps* AddPun(const WString& name);

    double m_PDOP = REALE_INDEFINITO;
    double m_GDOP = REALE_INDEFINITO;

private:
    double m_X = REALE_INDEFINITO, m_Y = REALE_INDEFINITO, m_Z = REALE_INDEFINITO;
    double m_BaseAltAnt = REALE_INDEFINITO;
    bool m_ElabValid = true;
    CConvCoord* m_Conv = nullptr;
    std::vector<std::unique_ptr<CPunGps>> m_Pun;
};

// Conversion from WGS84 geographic coordinates to the project's plane system. The plane system is a
// projection definition; a municipality may have its own (cadastral systems are local).
class HOSTAPI CConvCoord {
public:
    CConvCoord();
    ~CConvCoord();
    CConvCoord(const CConvCoord&) = delete;
    CConvCoord& operator=(const CConvCoord&) = delete;

    // `definition` is a projection definition (for example "+proj=utm +zone=32 +datum=WGS84" or
    // "EPSG:6707"); false when it names no coordinate system. The transformation is built on first use.
    bool Imposta(const std::string& definition);
    void ImpostaComune(const WString& comune, const std::string& definition);
    const std::string& GetDefinizione() const { return m_Definizione; }
    bool IsValida() const { return m_Valida; }
    void SetValida(bool on) { m_Valida = on; }

    bool IsConvCoordReady() const;
    // Latitude and longitude in radians, height and geoid undulation in metres, to plane east and north;
    // both are REALE_INDEFINITO when the conversion cannot be made.
    void GrafGpsToPlanAtt(double lat, double lon, double height, double undulation, double& east,
                          double& north) const;
    // Uses the plane system of a province and municipality until RipristinaTemp.
    void ForzaTempProvCm(const WString& provincia, const WString& comune);
    void RipristinaTemp();

private:
    struct Impl;
    std::unique_ptr<Impl> m_Impl;
    std::string m_Definizione;
    bool m_Valida = true;
};

class HOSTAPI CLibGps {
public:
    CLibGps();
    ~CLibGps();
    CLibGps(const CLibGps&) = delete;
    CLibGps& operator=(const CLibGps&) = delete;

    int GetGrpArSize() const { return static_cast<int>(m_Grp.size()); }
    CGrpGps* GetGrpAt(int index) const;
    CGrpGps* AddGrp(const WString& name);
    int GetPunArSize(int group) const;
    CPunGps* GetPunAt(int group, int index) const;

    CGrpGps* GetCurrGrp() const;
    void SetCurrGrp(int index) { m_Curr = index; }
    // The current group's conversion, or the library's own when there is no current group; null when the
    // GPS orientation has not been made.
    CConvCoord* GetCurrConvCoord() const;
    // The same, null when the conversion is not valid.
    CConvCoord* GetCurrValidConvCoord() const;
    CConvCoord& GetConvCoordProgetto() { return m_Conv; }
    void SetOrientata(bool on) { m_Orientata = on; }
    bool IsOrientata() const { return m_Orientata; }

private:
    std::vector<std::unique_ptr<CGrpGps>> m_Grp;
    int m_Curr = -1;
    CConvCoord m_Conv;
    bool m_Orientata = false;
};

// The GPS receiver; its last position is part of the project.
class HOSTAPI CRicevitoreGps {
public:
    bool HaPosizione() const { return m_Valida; }
    void SetUltimaPosizione(double latRad, double lonRad);
    double GetLat() const { return m_Lat; }
    double GetLon() const { return m_Lon; }

private:
    bool m_Valida = false;
    double m_Lat = 0;
    double m_Lon = 0;
};

// Last position of the receiver in radians; false when it has none.
HOSTAPI bool FGetLastCoordGPS(CRicevitoreGps* receiver, double& lat, double& lon);
