// libpregeo-coordinate.so: conversions from WGS84 to a plane system, over PROJ.
#pragma once

namespace host::parti {

// One transformation from WGS84 geographic coordinates to the system a definition names.
class Trasformazione {
public:
    virtual ~Trasformazione() = default;
    // Whether the definition names a coordinate system; this needs no search for an operation.
    virtual bool Riconosciuta() const = 0;
    // Whether an operation to that system exists.
    virtual bool Valida() const = 0;
    virtual bool Converti(double latRad, double lonRad, double& east, double& north) const = 0;
};

// PregeoCoordinateTrasformazione(definizione): a new transformation, the caller's to delete.
using CreaTrasformazione = Trasformazione*(const char* definizione);

} // namespace host::parti
