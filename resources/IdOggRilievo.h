// Templates and control identifiers of the survey-object tolerance results. The surface results use the
// template of the station results (resources/IdRisultatiToll.h).
#pragma once

constexpr unsigned IDD_RIS_OGGRIL_DIST = 12224;

constexpr unsigned IDC_RISOGG_CORNICE = 2297;
constexpr unsigned IDC_RISOGG_ESCI = 2298;
constexpr unsigned IDC_RISOGG_DIST_INTERNA = 2299;
constexpr unsigned IDC_RISOGG_DIST_ESTERNA = 2300;
constexpr unsigned IDC_RISOGG_DIST_30 = 2301;
constexpr unsigned IDC_RISOGG_ESITO = 2302;
constexpr unsigned IDC_RISOGG_GRIGLIA = 2352;
