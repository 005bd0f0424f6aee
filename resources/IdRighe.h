// Templates and control identifiers of the row 3, rows 4 and 5 and row 7 editors. Their lists use the
// shared identifiers of resources/IdElencoRighe.h.
#pragma once

// Template sets: four variants each, n to n + 3.
constexpr unsigned IDD_RIGHE3 = 12132;
constexpr unsigned IDD_RIGA3 = 12136;
constexpr unsigned IDD_RIGA4 = 12140;
constexpr unsigned IDD_RIGHE45 = 12144;
constexpr unsigned IDD_NUOVA_RIGA45 = 12148;
constexpr unsigned IDD_RIGA5 = 12152;
constexpr unsigned IDD_RIGHE7 = 12156;
constexpr unsigned IDD_RIGA7 = 12160;
constexpr unsigned IDD_RIGA7_PARTICELLA = 12164;
constexpr unsigned IDD_RIGA7_SEGMENTI = 12168;

// "Riga 3".
constexpr unsigned IDC_RIGA3_VERTICI = 2500;
constexpr unsigned IDC_RIGA3_NOME = 2501;
constexpr unsigned IDC_RIGA3_AGGIUNGI = 2502;
constexpr unsigned IDC_RIGA3_INSERISCI = 2503;
constexpr unsigned IDC_RIGA3_SU = 2504;
constexpr unsigned IDC_RIGA3_GIU = 2505;
constexpr unsigned IDC_RIGA3_ELIMINA = 2506;
constexpr unsigned IDC_RIGA3_OK = 2507;
constexpr unsigned IDC_RIGA3_ANNULLA = 2508;

// "Riga 4": labels that change with the kind of row have ids of their own.
constexpr unsigned IDC_RIGA4_DESCRIZIONE = 2510;
constexpr unsigned IDC_RIGA4_ETI_NOME1 = 2511;
constexpr unsigned IDC_RIGA4_NOME1 = 2512;
constexpr unsigned IDC_RIGA4_ETI_NOME2 = 2513;
constexpr unsigned IDC_RIGA4_NOME2 = 2514;
constexpr unsigned IDC_RIGA4_ETI_VALORE1 = 2515;
constexpr unsigned IDC_RIGA4_VALORE1 = 2516;
constexpr unsigned IDC_RIGA4_STRUMENTALE = 2517;
constexpr unsigned IDC_RIGA4_ETI_VALORE2 = 2518;
constexpr unsigned IDC_RIGA4_VALORE2 = 2519;
constexpr unsigned IDC_RIGA4_NOTA = 2520;
constexpr unsigned IDC_RIGA4_OK = 2521;
constexpr unsigned IDC_RIGA4_ANNULLA = 2522;

// "Nuova riga 4 o 5": the radios in the order of the kinds they create.
constexpr unsigned IDC_NUOVA_TIPO4 = 2530;
constexpr unsigned IDC_NUOVA_TIPO4L_MEZZO = 2531;
constexpr unsigned IDC_NUOVA_TIPO4L_ESTREMO = 2532;
constexpr unsigned IDC_NUOVA_TIPO5 = 2533;
constexpr unsigned IDC_NUOVA_TIPO5L = 2534;
constexpr unsigned IDC_NUOVA_OK = 2535;
constexpr unsigned IDC_NUOVA_ANNULLA = 2536;

// "Riga 5".
constexpr unsigned IDC_RIGA5_DESCRIZIONE = 2540;
constexpr unsigned IDC_RIGA5_PUNTO = 2541;
constexpr unsigned IDC_RIGA5_ETI_VALORE1 = 2542;
constexpr unsigned IDC_RIGA5_VALORE1 = 2543;
constexpr unsigned IDC_RIGA5_ETI_SQUADRO = 2544;
constexpr unsigned IDC_RIGA5_SQUADRO = 2545;
constexpr unsigned IDC_RIGA5_NOTA = 2546;
constexpr unsigned IDC_RIGA5_ETI_NORD = 2547;
constexpr unsigned IDC_RIGA5_NORD = 2548;
constexpr unsigned IDC_RIGA5_ETI_EST = 2549;
constexpr unsigned IDC_RIGA5_EST = 2550;
constexpr unsigned IDC_RIGA5_ETI_QUOTA = 2551;
constexpr unsigned IDC_RIGA5_QUOTA = 2552;
constexpr unsigned IDC_RIGA5_OK = 2553;
constexpr unsigned IDC_RIGA5_ANNULLA = 2554;

// "Riga 7".
constexpr unsigned IDC_RIGA7_POLIGONALE = 2560;
constexpr unsigned IDC_RIGA7_ISOLATO = 2561;
constexpr unsigned IDC_RIGA7_TAB = 2562;
constexpr unsigned IDC_RIGA7_CORNICE = 2563;
constexpr unsigned IDC_RIGA7_PUNTO = 2564;
constexpr unsigned IDC_RIGA7_VERTICE = 2565;
constexpr unsigned IDC_RIGA7_DIREZIONE = 2566;
constexpr unsigned IDC_RIGA7_OK = 2567;
constexpr unsigned IDC_RIGA7_ANNULLA = 2568;

// Particle page of "Riga 7".
constexpr unsigned IDC_PART_PARTICELLA = 2570;
constexpr unsigned IDC_PART_MADRE = 2571;
constexpr unsigned IDC_PART_SUP_CART = 2572;
constexpr unsigned IDC_PART_SUP_CENS = 2573;
constexpr unsigned IDC_PART_NOMINALE = 2574;
constexpr unsigned IDC_PART_REALE = 2575;

// Segments page of "Riga 7".
constexpr unsigned IDC_SEG_INDIETRO = 2580;
constexpr unsigned IDC_SEG_CONTATORE = 2581;
constexpr unsigned IDC_SEG_AVANTI = 2582;
constexpr unsigned IDC_SEG_INIZIO = 2583;
constexpr unsigned IDC_SEG_FINE = 2584;
constexpr unsigned IDC_SEG_COLORE = 2585;
constexpr unsigned IDC_SEG_LINEA = 2586;
