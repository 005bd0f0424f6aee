// The survey out to CAD and GIS: DXF, GeoPackage and GeoJSON files written through GDAL/OGR.
#pragma once

#include "host/project/Project.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace host::esporta {

enum class Formato { Sconosciuto, Dxf, GeoPackage, GeoJson };

// The format the file's extension names, without regard to case.
Formato FormatoDi(const std::filesystem::path& file);
// "DXF", "GeoPackage", "GeoJSON".
const char* NomeFormato(Formato formato);

struct Vertice {
    std::string nome; // UTF-8
    double x = 0, y = 0;
};

// The kinds of point, in the order the drawing of the survey takes them.
enum class TipoPunto { Fiduciale, Orientamento, Stazione, BaseGps, PuntoGps, Rilevato, Riga5 };
inline constexpr int kTipiPunto = 7;
// What the files call a kind: the "tipo" attribute ("stazione") and the DXF layer ("STAZIONI").
const char* NomeTipo(TipoPunto tipo);
const char* StratoDxf(TipoPunto tipo);

struct PuntoEsportato {
    TipoPunto tipo = TipoPunto::Rilevato;
    std::string nome;
    double x = 0, y = 0;
    std::optional<double> quota;
    std::string codici; // "NP", "3D", "PO" and the point's own code, blank separated
    std::string note;
};

struct Riga7Esportata {
    int numero = 0; // from 1, in the booklet's order of rows 7
    std::string particella;
    std::optional<double> supCensuaria;
    std::vector<Vertice> vertici; // a closed row without its repeated first vertex
    bool chiusa = false;
};

struct Riga7Esclusa {
    int numero = 0;
    std::string particella;
    std::string motivo; // Italian, for the surveyor
};

// What leaves the project: its points once per name and place, the rows 7 whose vertices have
// coordinates, and the fiducial mesh's ring (first vertex repeated at the end; empty when none).
struct Rilievo {
    std::vector<PuntoEsportato> punti;
    std::vector<Riga7Esportata> righe7;
    std::vector<Riga7Esclusa> escluse;
    std::vector<Vertice> maglia;
    std::string sistema; // the project's plane system as PROJ reads it; empty when none
};

// Gathers the survey as the drawing of it finds it: a row 5 without coordinates gets them computed (the
// project in memory keeps them, as after a drawing), a row 7's vertices are looked up by name.
Rilievo Raccogli(Project& project, std::vector<Vertice> maglia = {});

struct Esito {
    bool ok = false;
    std::string motivo;  // why not, in Italian
    std::string sistema; // what was written as the coordinate system, in Italian
};

// Writes the survey into `file` in the format its extension names. The file appears whole or not at all:
// it is written beside and moved into place; an existing file is replaced only with `sovrascrivi`.
Esito Scrivi(const Rilievo& rilievo, const std::filesystem::path& file, bool sovrascrivi);

// Raccogli and Scrivi.
Esito Esporta(Project& project, const std::filesystem::path& file, bool sovrascrivi,
              std::vector<Vertice> maglia = {});

} // namespace host::esporta
