// Templates and control identifiers of the distance dialogs: "Distanze", "Importa distanze", the
// duplicate choice, "Verifica distanze" and its options page.
#pragma once

// Template sets: four variants each, n to n + 3.
constexpr unsigned IDD_DISTANZE = 12100;
constexpr unsigned IDD_VERIFICA_DISTANZE = 12104;
constexpr unsigned IDD_OPZIONI_DISTANZE = 12108;
constexpr unsigned IDD_IMPORTA_DISTANZE = 12112;
constexpr unsigned IDD_PUNTO_PRESENTE = 12116;

// "Distanze".
constexpr unsigned IDC_DIST_CORNICE = 2700;
constexpr unsigned IDC_DIST_GRIGLIA = 2701;
constexpr unsigned IDC_DIST_VERIFICA = 2702;
constexpr unsigned IDC_DIST_IMPORTA = 2703;
constexpr unsigned IDC_DIST_FINE = 2704;

// "Importa distanze".
constexpr unsigned IDC_IMPDIST_INTERNET = 2710;
constexpr unsigned IDC_IMPDIST_ARCHIVIO = 2711;
constexpr unsigned IDC_IMPDIST_LBL_CARTELLA = 2712;
constexpr unsigned IDC_IMPDIST_CARTELLA = 2713;
constexpr unsigned IDC_IMPDIST_CAMBIA = 2714;
constexpr unsigned IDC_IMPDIST_LBL_FILE = 2715;
constexpr unsigned IDC_IMPDIST_FILE = 2716;
constexpr unsigned IDC_IMPDIST_OK = 2717;
constexpr unsigned IDC_IMPDIST_ANNULLA = 2718;

// "Importa punti fiduciali", the choice at a distance already held.
constexpr unsigned IDC_PRESENTE_TESTO = 2720;
constexpr unsigned IDC_PRESENTE_DESCRIZIONE = 2721;
constexpr unsigned IDC_PRESENTE_AGGIORNA = 2722;
constexpr unsigned IDC_PRESENTE_AGGIUNGI = 2723;
constexpr unsigned IDC_PRESENTE_ANNULLA = 2724;
constexpr unsigned IDC_PRESENTE_TUTTI = 2725;
constexpr unsigned IDC_PRESENTE_OK = 2726;

// "Verifica distanze".
constexpr unsigned IDC_VERDIST_CORNICE = 2730;
constexpr unsigned IDC_VERDIST_TAB = 2731;
constexpr unsigned IDC_VERDIST_FINE = 2732;
constexpr unsigned IDC_VERDIST_GRIGLIA = 2733;

// Options page.
constexpr unsigned IDC_OPZ_GRUPPO_CALCOLO = 2740;
constexpr unsigned IDC_OPZ_LBL_ZONA = 2741;
constexpr unsigned IDC_OPZ_ZONA_URBANA = 2742;
constexpr unsigned IDC_OPZ_ZONA_PIANEGGIANTE = 2743;
constexpr unsigned IDC_OPZ_ZONA_SFAVOREVOLE = 2744;
constexpr unsigned IDC_OPZ_LBL_SCALA = 2745;
constexpr unsigned IDC_OPZ_SCALA = 2746;
constexpr unsigned IDC_OPZ_GRUPPO_RISULTATI = 2747;
constexpr unsigned IDC_OPZ_MEDIA = 2748;
constexpr unsigned IDC_OPZ_SINGOLE = 2749;
