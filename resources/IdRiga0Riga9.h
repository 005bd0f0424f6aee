// Templates and control identifiers of the header row editor ("Riga 0") and the row 9 editor ("Riga 9").
#pragma once

// Template sets: four variants each, n to n + 3.
constexpr unsigned IDD_RIGA0 = 12120;
constexpr unsigned IDD_RIGA0_ARCHIVIO = 12124;
constexpr unsigned IDD_RIGA0_TECNICO = 12128;
constexpr unsigned IDD_RIGA9 = 12212;

// "Riga 0".
constexpr unsigned IDC_RIGA0_TAB = 2354;
constexpr unsigned IDC_RIGA0_ANNULLA = 2355;
constexpr unsigned IDC_RIGA0_OK = 2356;
constexpr unsigned IDC_RIGA0_CORNICE = 2357;

// Page "Archivio".
constexpr unsigned IDC_ARCH_TIPO = 2367;
constexpr unsigned IDC_ARCH_GIORNO = 2369;
constexpr unsigned IDC_ARCH_MESE = 2364;
constexpr unsigned IDC_ARCH_ANNO = 2362;
constexpr unsigned IDC_ARCH_PROTOCOLLO = 2202;
constexpr unsigned IDC_ARCH_PROVINCIA = 2370;
constexpr unsigned IDC_ARCH_COMUNE = 2368;
constexpr unsigned IDC_ARCH_FOGLIO = 2371;
constexpr unsigned IDC_ARCH_MAPPALE = 2360;

// Page "Tecnico".
constexpr unsigned IDC_TEC_NOME = 2358;
constexpr unsigned IDC_TEC_COGNOME = 2359;
constexpr unsigned IDC_TEC_QUALIFICA = 2365;
constexpr unsigned IDC_TEC_ISCRIZIONE = 2361;
constexpr unsigned IDC_TEC_CODICE_FISCALE = 2363;
constexpr unsigned IDC_TEC_PROVINCIA = 2366;

// "Riga 9".
constexpr unsigned IDC_RIGA9_OK = 2200;
constexpr unsigned IDC_RIGA9_ANNULLA = 2203;
constexpr unsigned IDC_RIGA9_QUOTA = 2204;
constexpr unsigned IDC_RIGA9_EST_MEDIA = 2205;
constexpr unsigned IDC_RIGA9_CALCOLA = 2206;
constexpr unsigned IDC_RIGA9_PREC_LIN = 2207;
constexpr unsigned IDC_RIGA9_PREC_ANG = 2208;
constexpr unsigned IDC_RIGA9_TIPO_AGG = 2209;
constexpr unsigned IDC_RIGA9_AGG_AUTO = 2210;
constexpr unsigned IDC_RIGA9_DESCRIZIONE = 2211;
constexpr unsigned IDC_RIGA9_NOTA = 2374;
