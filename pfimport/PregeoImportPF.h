// The fiducial point import: TAF records from a file or the TAF web service become orientation points,
// automatically for the points the survey names, near a position, or chosen from a filtered list.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/CarviloDati.h"
#include "hostapi/Dialog.h"
#include "hostapi/Gps.h"
#include "hostapi/Points.h"
#include "hostapi/TotalStation.h"
#include "pfimport/DatiImportPF.h"
#include "pfimport/TafElenco.h"

#include <vector>

class CPregeoImportPF {
public:
    // Takes the host's objects in the order GetLibCmp, GetLibGps, GetLibConOri, GetCts, and reads the
    // settings.
    CPregeoImportPF(CWnd* parent, ICarviloDati* dati);
    CPregeoImportPF(const CPregeoImportPF&) = delete;
    CPregeoImportPF& operator=(const CPregeoImportPF&) = delete;

    // The whole import: the choice dialog until an import succeeds or the user gives up. True when points
    // were imported.
    bool Esegui();

    // The three ways, as the choice dialog's buttons start them, with the settings read last.
    bool ImportaAuto();
    bool ImportaVicini();
    bool ImportaElenco();

    const CTafElenco& GetElenco() const { return m_Elenco; }

private:
    // Load modes.
    static constexpr int kWebComune = 0;
    static constexpr int kFile = 1;
    static constexpr int kVicino = 2;

    void LeggiImpostazioni();
    bool CaricaDati(bool provinciaIntera, int modo);
    void DimenticaCarico();
    bool ImportaPunto(const WString& nome);
    bool ImportaSelezione(const std::vector<CTafPunto*>& punti);
    COri* TrovaOAggiungi(const WString& nome);
    static void Riempi(COri& ori, const WString& nome, const CTafPunto& punto);
    void Messaggio(unsigned idTesto);

    CWnd* m_pParent;
    ICarviloDati* m_pDati;
    CLibCmp* m_pLibCmp;
    CLibGps* m_pLibGps;
    CLibConOri* m_pLibConOri;
    CCts* m_pCts;

    CTafElenco m_Elenco;
    CIndiceTaf m_Indice;
    std::vector<WString> m_Cercati; // the names the automatic import looks up
    CCacheCarico m_Carico;

    WString m_Percorso;
    WString m_Provincia;
    WString m_Comune;
    int m_TipoSel = SORGENTE_FILE;
    int m_Scelta = -1;
    CRegolaDuplicati m_Duplicati;
    int m_Importati = 0;
    int m_SenzaCoordinate = 0; // survey points the automatic import found only without coordinates
};
