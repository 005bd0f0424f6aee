// Template and control identifiers of the surface tolerance dialog ("Tolleranza Superfici").
#pragma once

constexpr unsigned IDD_TOLL_SUPERFICI = 12216;

constexpr unsigned IDC_TOLLSUP_PARTICELLA = 2421;
constexpr unsigned IDC_TOLLSUP_MADRE = 2422;
constexpr unsigned IDC_TOLLSUP_SUP_CART = 2423;
constexpr unsigned IDC_TOLLSUP_SUP_CENS = 2424;
constexpr unsigned IDC_TOLLSUP_NOMINALE = 2425;
constexpr unsigned IDC_TOLLSUP_REALE = 2426;
constexpr unsigned IDC_TOLLSUP_SUP_NEG = 2427;
constexpr unsigned IDC_TOLLSUP_SUP_POS = 2428;
constexpr unsigned IDC_TOLLSUP_ESITO = 2429;
constexpr unsigned IDC_TOLLSUP_ESCI = 2430;
