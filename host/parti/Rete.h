// libpregeo-rete.so: HTTP requests over libcurl.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace host::parti {

struct RichiestaHttp {
    std::string indirizzo;
    std::string agente;  // empty for none
    bool diretta = true; // no proxy, whatever the environment says
    std::vector<std::string> intestazioni;
    long attesaConnessioneMs = 0;
    long attesaTotaleMs = 0;
    std::size_t massimo = 0; // bytes of the answer
};

// How a request ended, as the internet layer tells it apart.
enum class EsitoHttp {
    NonIniziata, // libcurl could not start a transfer
    Ok,
    NomeNonRisolto,
    ConnessioneRifiutata,
    TempoScaduto,
    ConnessioneInterrotta,
    RispostaNonHttp,
    TroppiRinvii,
    IndirizzoNonValido,
    TroppoGrande,
    ConnessioneSicura,
    Altro,
};

struct RispostaHttp {
    EsitoHttp esito = EsitoHttp::NonIniziata;
    long stato = 0;
    std::string corpo;
};

// PregeoReteScarica(richiesta, risposta): the whole answer.
using Scarica = void(const RichiestaHttp& richiesta, RispostaHttp& risposta);

} // namespace host::parti
