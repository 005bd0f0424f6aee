// Requests to the TAF web service: fiducial points of a municipality or near a position, and the
// cadastral distances between two fiducial points.
#pragma once

#include "hostapi/Platform.h"
#include "hostapi/WString.h"

#include <cstdint>

// Where the service lives: host settings section "CATASTO", key "TAF_SERVER", a host name with an optional
// port ("127.0.0.1:8088" when missing) or a full "http://" address.
WString IndirizzoServerTaf();

class CTafRichiesta {
public:
    WString Codice;  // "codice"
    WString Pf;      // "pf"
    WString Foglio;  // "foglio"
    WString Pf2;     // "pf2"
    WString Codice2; // "codice2"; the province ("prov") in a query by position
    WString Foglio2; // "foglio2"
    double Raggio = 0;
    double X = 0; // east
    double Y = 0; // north
    WString Ver = u"1.0";

    // Query types.
    static constexpr int kDistanze = 2;
    static constexpr int kComune = 3;
    static constexpr int kPosizione = 4;

    // The check value the service expects, over the query text as typed (any length).
    static std::int32_t CalcolaProt(const WString& testo);
    // "%.3f", with 0 written as nothing.
    static WString Numero(double valore);
    // The checksummed query text of a type, values as typed.
    WString TestoQuery(int tipo) const;
    // The address of a query of a type: service address, path, values percent-encoded, check value.
    WString Indirizzo(int tipo) const;

    // Type 2 with the fields as filled by the caller. False without a query when the first point's
    // municipality, sheet or number is empty; false when the request failed or the answer is empty.
    bool RichiestaDistanze(WString& risposta);
    // Types 3 and 4: false only when the request could not be made or the service answered with an
    // HTTP error.
    bool RichiestaComune(const WString& comune, const WString& fogli, WString& risposta);
    bool RichiestaPosizione(const WString& provincia, double nord, double est, double raggio,
                            WString& risposta);

    // How the last request failed, so that a caller can tell a service that cannot be reached from one
    // that answers: the platform's error code when no answer came (ERROR_SUCCESS otherwise), and the
    // answer's HTTP status (0 when none came).
    DWORD GetErrore() const { return m_Errore; }
    DWORD GetStatoHttp() const { return m_StatoHttp; }

private:
    DWORD m_Errore = ERROR_SUCCESS;
    DWORD m_StatoHttp = 0;
};
