// Pregeo field rules: the one place where the booklet's field formats are decided.
//
// Every rule is a pure function of its values and returns -1 when the value is accepted, otherwise a
// reason code whose text GetTestoMotivo gives. Letters are uppercase 'A' to 'Z' only; a real above
// REALE_LIMITE is a value the user has not given.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/Conversions.h"
#include "hostapi/Gps.h"
#include "hostapi/Points.h"
#include "hostapi/TotalStation.h"
#include "hostapi/WString.h"

#include <functional>
#include <vector>

constexpr int REGOLA_OK = -1;

// The reason text of a code, with its own "\r" line ends; empty for a code without a text.
WString GetTestoMotivo(int code);

// Names and codes.
int ControlloNomeNumerico(WString nome);
int ControlloCaratteriStandard(WString testo);
int ControlloCodiceComune(WString codice);
int ControlloNomePF(WString nome);
int ControlloNomePFCompleto(WString nome);
int ControlloNomePunto(WString nome);

// Texts.
int ControlloMax40(WString testo);
int ControlloNota(WString testo);
int ControlloNotaAltimetrica(WString testo);
int ControlloProtocollo(WString protocollo);
int ControlloFoglio(WString foglio);
int ControlloMax30(WString testo);
int ControlloMax20(WString testo);
int ControlloObbligatorio(WString testo);
int ControlloMax72(WString testo);
int ControlloTermineMappale(WString termine);
int ControlloMappale(WString mappale);
int ControlloMappaleTermini(WString mappale);
int ControlloParticella(WString particella);
int ControlloNomiDuplicati(WString nome1, WString nome2);

// Values.
int ControlloQuota(double quota);
int ControlloPrecisioni(int lineare, int angolare);
int ControlloTipoAggiornamento(WString tipo, bool modestaEntita);
int ControlloCorrezioneAngolare(int correzione);
int ControlloAttendibilitaPlan(short tipoPunto, WString nome, short attendibilita);
int ControlloAttendibilitaAlt(short attendibilita);
int ControlloCovarianza(double lunghezzaBaseline, double xx, double xy, double xz, double yy, double yz,
                        double zz);
int ControlloPdopGdop(double pdop, double gdop);

// Ranges on reals, bounds included; 43 for a missing value.
int ControlloRange0_400(double valore);
int ControlloRange0_99999(double valore);
int ControlloRangeInteri9(double valore);
int ControlloRange7_3(double valore);
int ControlloRange2_3(double valore);
int ControlloRange4_3(double valore);
int ControlloRange8_3(double valore);

// A surface against its declared value: natura reale allows (S / 1000 + sqrt(S)) / 3, nominale S / 20.
bool InTolleranza(double valore, double riferimento, bool reale);
// True for a non-empty text of digits only.
bool SoloCifre(WString testo);
// Mean East of the orientation points, preferring numeric points and fiducial points of the sheet;
// 0 when no point has an East.
double CalcolaEstMedia(WString foglio, const CLibConOri* punti);

// Alignment limits of rows 5 on their row 4 (circ. 2/88 par. 5). 0 in tolerance.
// Prolungamento: 1 or 2 when the excess beyond an end is above L / 4 (1 when it is also above 50 m).
int VerificaProlungamento(double L, double a, double* eccedenza, double* limite);
// Squadro: the offset comes back rounded and absolute. With allowThird ("*S*" in the row 4 note) the limits
// are L / 3 and 16 m (1 both, 2 only 16 m, 3 only L / 3), otherwise 3 m (4). Equal values are out.
int VerificaSquadro(double L, double* squadro, bool allowThird, double* limite);
// True when the point is known to the survey other than through one row 5, so its limits do not apply.
bool IsPuntoRilevato(WString nome, CLibGps* gps, CLibCmp* stazioni, CCts* libretto);

// A limit a row 5 exceeds: the row's 1-based position in the rows 4,5 array, 61 (prolungamento) or 62
// (squadro), and the text of the finding.
struct CEsitoAllineamento {
    int riga;
    int codice;
    WString testo;
};
// The alignment limits over the booklet's rows 4,5: every standard row 4 whose two ends `cerca` finds
// (it leaves unknown coordinates at REALE_INDEFINITO), and the standard rows 5 right after it whose point
// IsPuntoRilevato does not know, prolungamento before squadro. The booklet checker writes a blank after
// "Squadro:" in the 3 m text, the tolerance tool none.
using CercaCoordinate = std::function<void(const WString& nome, double& x, double& y)>;
std::vector<CEsitoAllineamento> EsitiAllineamenti(CCts& libretto, CLibGps* gps, CLibCmp* stazioni,
                                                  const CercaCoordinate& cerca, bool spazioSquadro3m);
