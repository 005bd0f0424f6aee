// Control identifiers shared by the booklet's row lists ("Righe 3", "Righe 4 e 5", "Righe 7", "Righe 8"):
// every list names its grid and its standard buttons the same way, so that one list class serves them.
#pragma once

constexpr unsigned IDC_ELENCO_CORNICE = 2257; // static frame: its rectangle holds the grid
constexpr unsigned IDC_ELENCO_TUTTO = 2258;
constexpr unsigned IDC_ELENCO_ELIMINA = 2259;
constexpr unsigned IDC_ELENCO_FINE = 2260;
constexpr unsigned IDC_ELENCO_AGGIUNGI = 2261;
constexpr unsigned IDC_ELENCO_GRIGLIA = 2373; // the grid, made over the frame
