// Template and control identifiers of the CAD selection dialog ("Verifica tolleranza").
#pragma once

constexpr unsigned IDD_VER_TOLLERANZA = 12220;

constexpr unsigned IDC_VERTOLL_INDIETRO = 2303;
constexpr unsigned IDC_VERTOLL_AVANTI = 2304;
constexpr unsigned IDC_VERTOLL_ANNULLA = 2306;
constexpr unsigned IDC_VERTOLL_TITOLO = 2307;
constexpr unsigned IDC_VERTOLL_PROMPT = 2308;
constexpr unsigned IDC_VERTOLL_SEGNAPOSTO = 2324;
constexpr unsigned IDC_VERTOLL_ZOOM = 2325;
constexpr unsigned IDC_VERTOLL_PAN = 2326;
constexpr unsigned IDC_VERTOLL_ZOOM_FINESTRA = 2327;
constexpr unsigned IDC_VERTOLL_ZOOM_ESTESO = 2328;
constexpr unsigned IDC_VERTOLL_VISTA_PRECEDENTE = 2329;
constexpr unsigned IDC_VERTOLL_SCALA = 2340;
// The CAD view, a window the dialog creates over the placeholder.
constexpr unsigned IDC_VERTOLL_VISTA = 2348;
