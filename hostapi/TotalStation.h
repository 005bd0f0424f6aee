// Total-station data library: jobs, stations and the points observed from them.
#pragma once

#include "hostapi/Platform.h"
#include "hostapi/Points.h"
#include "hostapi/WString.h"

#include <memory>
#include <vector>

// An observed point. Dato0 slope distance (m), Dato1 zenith angle (gon; above 200 the telescope was
// reversed), Dato2 horizontal direction (gon, 0..400), AltPri target height (m), Code the point's note.
class HOSTAPI CPun : public CEgn {
public:
    CPun() = default;
    explicit CPun(const WString& name) : CEgn(name) {}
    double GetDato0() const { return m_Dato0; }
    void SetDato0(double value) { m_Dato0 = value; }
    double GetDato1() const { return m_Dato1; }
    void SetDato1(double value) { m_Dato1 = value; }
    double GetDato2() const { return m_Dato2; }
    void SetDato2(double value) { m_Dato2 = value; }
    double GetAltPri() const { return m_AltPri; }
    void SetAltPri(double value) { m_AltPri = value; }
    WString GetCode() const { return m_Code; }
    void SetCode(const WString& text) { m_Code = text; }

private:
    double m_Dato0 = REALE_INDEFINITO;
    double m_Dato1 = REALE_INDEFINITO;
    double m_Dato2 = REALE_INDEFINITO;
    double m_AltPri = REALE_INDEFINITO;
    WString m_Code;
};

// A station: its point (name, coordinates, codes), its note and instrument height, its observations.
class HOSTAPI CSta : public CEgn {
public:
    CSta() = default;
    explicit CSta(const WString& name) : CEgn(name) {}
    WString GetIden() const { return m_Iden; }
    void SetIden(const WString& text) { m_Iden = text; }
    double GetAltStr() const { return m_AltStr; }
    void SetAltStr(double value) { m_AltStr = value; }
    // A station set up twice on the same point; the second set-up is its duplicate.
    bool EstDupp() const { return m_Dupp; }
    void SetDupp(bool on) { m_Dupp = on; }

    int GetPunArSize() const { return static_cast<int>(m_Pun.size()); }
    CPun* GetPunAt(int index) const;
    CPun* AddPun(const WString& name);

private:
    WString m_Iden;
    double m_AltStr = REALE_INDEFINITO;
    bool m_Dupp = false;
    std::vector<std::unique_ptr<CPun>> m_Pun;
};

class HOSTAPI CJob {
public:
    explicit CJob(const WString& name = WString()) : m_Nome(name) {}
    WString GetNome() const { return m_Nome; }
    void SetNome(const WString& name) { m_Nome = name; }
    // True when the whole job is excluded from the booklet.
    bool GetCodeNP() const { return m_CodeNP; }
    void SetCodeNP(bool on) { m_CodeNP = on; }
    // True when the job's adjustment (elaborazione) gave valid coordinates.
    bool IsCdElabValid() const { return m_ElabValid; }
    void SetCdElabValid(bool on) { m_ElabValid = on; }

    int GetStaArSize() const { return static_cast<int>(m_Sta.size()); }
    CSta* GetStaAt(int index) const;
    CSta* AddSta(const WString& name);

private:
    WString m_Nome;
    bool m_CodeNP = false;
    bool m_ElabValid = true;
    std::vector<std::unique_ptr<CSta>> m_Sta;
};

// Reduction of observations: horizontal distance from slope distance and zenith angle (gon).
class HOSTAPI CCalcDsOr {
public:
    // slope * sin(zenith); undefined when either input is undefined or the distance is negative.
    double CalcDistOr(double slope, double zenith) const;
};

// Reduces an observation made with the telescope reversed (zenith above 200 gon) to the direct face:
// zenith becomes 400 - zenith and the direction turns by 200 gon. Returns true when it was reversed.
HOSTAPI bool CalcoloDrittoOCap(double& zenith, double& direction);

// The total-station data. The same object is the library of orientation points.
class HOSTAPI CLibCmp : public CLibConOri {
public:
    int GetJobArSize() const { return static_cast<int>(m_Job.size()); }
    CJob* GetJobAt(int index) const;
    CJob* AddJob(const WString& name);
    int GetStaArSize(int job) const;
    CSta* GetStaAt(int job, int index) const;
    int GetPunArSize(int job, int station) const;
    CPun* GetPunAt(int job, int station, int index) const;
    const CCalcDsOr& GetCalcDsOr() const { return m_CalcDsOr; }

private:
    std::vector<std::unique_ptr<CJob>> m_Job;
    CCalcDsOr m_CalcDsOr;
};
