// Templates and control identifiers of the result dialogs of the alignment and station tolerance tools.
#pragma once

// Template sets: four variants each, n to n + 3.
constexpr unsigned IDD_RIS_TOLL = 12229;     // alignments
constexpr unsigned IDD_RIS_STAZIONI = 12234; // stations outside the fiducial mesh

// Alignments: the grid is made over its placeholder.
constexpr unsigned IDC_RISTOLL_ESCI = 2295;
constexpr unsigned IDC_RISTOLL_CORNICE = 2296;
constexpr unsigned IDC_RISTOLL_DESCRIZIONE = 2309;
constexpr unsigned IDC_RISTOLL_GRIGLIA = 2349;

// Stations.
constexpr unsigned IDC_RISSTAZ_CORNICE = 2322;
constexpr unsigned IDC_RISSTAZ_ESCI = 2323;
constexpr unsigned IDC_RISSTAZ_GRIGLIA = 2353;
