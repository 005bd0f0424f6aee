// The host data interface handed to every entry point.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/Gps.h"
#include "hostapi/Platform.h"
#include "hostapi/Points.h"
#include "hostapi/TotalStation.h"

// Owned by the host; the module never creates, keeps or frees it, nor the objects it hands out.
// Operations the module does not use stand around the five it uses, as in the host's interface.
class HOSTAPI ICarviloDati {
public:
    virtual ~ICarviloDati() = default;
    virtual int GetVersioneInterfaccia() = 0;
    virtual CLibCmp* GetLibCmp() = 0;
    virtual CLibGps* GetLibGps() = 0;
    virtual WString GetNomeProgetto() = 0;
    virtual CLibConOri* GetLibConOri() = 0;
    virtual CCts* GetCts() = 0;
    virtual CRicevitoreGps* GetRicevitore() = 0;
    virtual void AggiornaViste() = 0;
};
