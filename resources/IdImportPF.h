// Templates and control identifiers of the fiducial point import wizard ("Importazione punti fiduciali").
#pragma once

// Template sets: four variants each, n to n + 3.
constexpr unsigned IDD_RIGA8_IMPORT = 12180;        // source, province, municipality, way of importing
constexpr unsigned IDD_RIGA8_IMPORT_CHOICE = 12184; // a point that already exists
constexpr unsigned IDD_RIGA8_IMPORT_GPS = 12188;    // centre of the near import
constexpr unsigned IDD_RIGA8_IMPORT_GRID = 12192;   // the records to import
constexpr unsigned IDD_RIGA8_IMPORT_OPZ = 12196;    // filters of the list import

// Source, province and municipality.
constexpr unsigned IDC_IMP_DA_INTERNET = 2400;
constexpr unsigned IDC_IMP_DA_FILE = 2401;
constexpr unsigned IDC_IMP_PERCORSO = 2402;
constexpr unsigned IDC_IMP_SFOGLIA = 2403;
constexpr unsigned IDC_IMP_PROVINCIA = 2404;
constexpr unsigned IDC_IMP_COMUNE = 2405;
constexpr unsigned IDC_IMP_AUTO = 2406;
constexpr unsigned IDC_IMP_VICINI = 2407;
constexpr unsigned IDC_IMP_ELENCO = 2408;
constexpr unsigned IDC_IMP_ANNULLA = 2409;

// A point that already exists.
constexpr unsigned IDC_CHOICE_NOME = 2420;
constexpr unsigned IDC_CHOICE_TESTO = 2421;
constexpr unsigned IDC_CHOICE_AGGIORNA = 2422;
constexpr unsigned IDC_CHOICE_AGGIUNGI = 2423;
constexpr unsigned IDC_CHOICE_SALTA = 2424;
constexpr unsigned IDC_CHOICE_TUTTI = 2425;
constexpr unsigned IDC_CHOICE_OK = 2426;

// Centre of the near import.
constexpr unsigned IDC_GPS_FONTE = 2430;
constexpr unsigned IDC_GPS_TIPO = 2431;
constexpr unsigned IDC_GPS_ETICHETTA_LAT = 2432;
constexpr unsigned IDC_GPS_LAT_GRADI = 2433;
constexpr unsigned IDC_GPS_LAT_PRIMI = 2434;
constexpr unsigned IDC_GPS_LAT_SECONDI = 2435;
constexpr unsigned IDC_GPS_ETICHETTA_LON = 2436;
constexpr unsigned IDC_GPS_LON_GRADI = 2437;
constexpr unsigned IDC_GPS_LON_PRIMI = 2438;
constexpr unsigned IDC_GPS_LON_SECONDI = 2439;
constexpr unsigned IDC_GPS_NORD = 2440;
constexpr unsigned IDC_GPS_EST = 2441;
constexpr unsigned IDC_GPS_ULTIMA = 2442;
constexpr unsigned IDC_GPS_RAGGIO = 2443;
constexpr unsigned IDC_GPS_OK = 2444;
constexpr unsigned IDC_GPS_ANNULLA = 2445;

// The records to import.
constexpr unsigned IDC_GRID_GRIGLIA = 2451;
constexpr unsigned IDC_GRID_SEL_TUTTI = 2452;
constexpr unsigned IDC_GRID_DESEL_TUTTI = 2453;
constexpr unsigned IDC_GRID_IMPORTA = 2454;
constexpr unsigned IDC_GRID_ANNULLA = 2455;

// Filters of the list import.
constexpr unsigned IDC_OPZ_FOGLI = 2460;
constexpr unsigned IDC_OPZ_CHK_ATTENDIB = 2461;
constexpr unsigned IDC_OPZ_ATTENDIB = 2462;
constexpr unsigned IDC_OPZ_CHK_NON_UTIL = 2463;
constexpr unsigned IDC_OPZ_OK = 2464;
constexpr unsigned IDC_OPZ_ANNULLA = 2465;
