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
constexpr unsigned IDC_DIST_CORNICE = 2400;
constexpr unsigned IDC_DIST_GRIGLIA = 2401;
constexpr unsigned IDC_DIST_VERIFICA = 2402;
constexpr unsigned IDC_DIST_IMPORTA = 2403;
constexpr unsigned IDC_DIST_FINE = 2404;

// "Importa distanze".
constexpr unsigned IDC_IMPDIST_INTERNET = 2410;
constexpr unsigned IDC_IMPDIST_ARCHIVIO = 2411;
constexpr unsigned IDC_IMPDIST_LBL_CARTELLA = 2412;
constexpr unsigned IDC_IMPDIST_CARTELLA = 2413;
constexpr unsigned IDC_IMPDIST_CAMBIA = 2414;
constexpr unsigned IDC_IMPDIST_LBL_FILE = 2415;
constexpr unsigned IDC_IMPDIST_FILE = 2416;
constexpr unsigned IDC_IMPDIST_OK = 2417;
constexpr unsigned IDC_IMPDIST_ANNULLA = 2418;

// "Importa punti fiduciali", the choice at a distance already held.
constexpr unsigned IDC_PRESENTE_TESTO = 2420;
constexpr unsigned IDC_PRESENTE_DESCRIZIONE = 2421;
constexpr unsigned IDC_PRESENTE_AGGIORNA = 2422;
constexpr unsigned IDC_PRESENTE_AGGIUNGI = 2423;
constexpr unsigned IDC_PRESENTE_ANNULLA = 2424;
constexpr unsigned IDC_PRESENTE_TUTTI = 2425;
constexpr unsigned IDC_PRESENTE_OK = 2426;

// "Verifica distanze".
constexpr unsigned IDC_VERDIST_CORNICE = 2430;
constexpr unsigned IDC_VERDIST_TAB = 2431;
constexpr unsigned IDC_VERDIST_FINE = 2432;
constexpr unsigned IDC_VERDIST_GRIGLIA = 2433;

// Options page.
constexpr unsigned IDC_OPZ_GRUPPO_CALCOLO = 2440;
constexpr unsigned IDC_OPZ_LBL_ZONA = 2441;
constexpr unsigned IDC_OPZ_ZONA_URBANA = 2442;
constexpr unsigned IDC_OPZ_ZONA_PIANEGGIANTE = 2443;
constexpr unsigned IDC_OPZ_ZONA_SFAVOREVOLE = 2444;
constexpr unsigned IDC_OPZ_LBL_SCALA = 2445;
constexpr unsigned IDC_OPZ_SCALA = 2446;
constexpr unsigned IDC_OPZ_GRUPPO_RISULTATI = 2447;
constexpr unsigned IDC_OPZ_MEDIA = 2448;
constexpr unsigned IDC_OPZ_SINGOLE = 2449;
