// Templates and control identifiers of the row 8 editor: the list "Righe 8", the point dialog "Riga 8"
// and its three step pages. The list uses the shared identifiers of resources/IdElencoRighe.h.
#pragma once

// Template sets: four variants each, n to n + 3.
constexpr unsigned IDD_RIGHE8 = 12172;
constexpr unsigned IDD_RIGA8 = 12176;
constexpr unsigned IDD_RIGA8_ALT = 12200;
constexpr unsigned IDD_RIGA8_PLAN = 12204;
constexpr unsigned IDD_RIGA8_TIPO = 12208;

// "Righe 8": the list's own button.
constexpr unsigned IDC_RIGHE8_IMPORTA = 2262;

// "Riga 8".
constexpr unsigned IDC_RIGA8_INDIETRO = 2331;
constexpr unsigned IDC_RIGA8_AVANTI = 2402; // ">>", "OK" on the last step
constexpr unsigned IDC_RIGA8_CORNICE = 2403;
constexpr unsigned IDC_RIGA8_ANNULLA = 2263;

// Step 1, the point's type. The user types follow each other in the order of their values 0 to 3.
constexpr unsigned IDC_TIPO_NOME = 2431;
constexpr unsigned IDC_TIPO_FIDUCIALE = 2394;
constexpr unsigned IDC_TIPO_UTENTE = 2395;
constexpr unsigned IDC_TIPO_RIF_FRAZIONE = 2396;
constexpr unsigned IDC_TIPO_MODESTA_ENTITA = 2397;
constexpr unsigned IDC_TIPO_SENZA_MISURE = 2398;
constexpr unsigned IDC_TIPO_AUSILIARIO = 2399;
constexpr unsigned IDC_TIPO_NP = 2400;

// Step 2, planimetry.
constexpr unsigned IDC_PLAN_NOME = 2432;
constexpr unsigned IDC_PLAN_VALIDO = 2265;
constexpr unsigned IDC_PLAN_NORD = 2269;
constexpr unsigned IDC_PLAN_EST = 2270;
constexpr unsigned IDC_PLAN_ATTENDIB = 2268;
constexpr unsigned IDC_PLAN_NOTA = 2401;
constexpr unsigned IDC_PLAN_ANNO = 2332;
constexpr unsigned IDC_PLAN_PROTOCOLLO = 2333;
constexpr unsigned IDC_PLAN_IDENTIF = 2274;

// Step 3, altimetry.
constexpr unsigned IDC_ALT_NOME = 2264;
constexpr unsigned IDC_ALT_VALIDO = 2266;
constexpr unsigned IDC_ALT_QUOTA = 2272;
constexpr unsigned IDC_ALT_ATTENDIB = 2267;
constexpr unsigned IDC_ALT_NOTA = 2401;
