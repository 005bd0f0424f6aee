// The booklet checker: field rules over the whole booklet and the survey behind it, findings as an
// errors-and-warnings list. Tools build it on the stack for single checks; ControllaTutto runs them all.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/Gps.h"
#include "hostapi/TotalStation.h"
#include "hostapi/WString.h"
#include "rules/ErrAvvList.h"
#include "rules/IndicePunti.h"

#include <cstddef>
#include <unordered_set>
#include <vector>

class CRicercaRilievo;

// The parts an entry of the booklet checker is composed from, kept so that a display can sort and count
// the findings without reading their texts back.
struct CVocePregeo {
    int riga = -1; // 1-based row of its view; -1 when the finding has none
    WString tipoRiga;
    bool errore = false;
    int codice = -1;
    WString dettaglio;
};

// One observation of a station from another station, for the station distance check.
struct COssReciproca {
    WString stazione;
    WString punto;
    double distanza; // reduced (horizontal)
};

// The view a row type belongs to, as the entry text names it ("Libretto Pregeo", "Vista Riga 3", ...);
// empty for the types the text gives no view (notes, unknown types).
WString GetVistaPregeo(const WString& tipoRiga);
// The text of an entry, composed from its parts.
WString ComponiTestoPregeo(const CVocePregeo& voce);

class CControlloLibretto : public CErrAvvList {
public:
    CControlloLibretto() = default;
    CControlloLibretto(CRig* rigaCorrente, CCts* libretto, CLibCmp* stazioni, CLibGps* gps,
                       CIndicePunti* indice);

    int GetMsgArSize() override { return m_Voci.GetSize(); }
    WString GetMsgAt(int i) override { return m_Voci.GetTesto(i); }
    bool IsErroreAt(int i) override { return m_Voci.IsErrore(i); }
    WString GetTitolo() override {
        return u"Libretto Pregeo - Errori e Avvertimenti sul libretto delle misure";
    }
    bool GetOpzioneVista1() override { return true; }
    bool GetOpzioneVista2() override { return true; }
    int GetAvvArSize() override { return m_Voci.GetAvvertimenti(); }

    // Appends one finding; a code of -1 (field valid) appends nothing.
    void AddMsgPregeo(int rowNumber, WString rowType, bool isError, int code, WString detail);
    // The parts entry i was composed from; null out of range.
    const CVocePregeo* GetVocePregeoAt(int i) const {
        return i >= 0 && i < static_cast<int>(m_Parti.size()) ? &m_Parti[static_cast<std::size_t>(i)]
                                                              : nullptr;
    }

    void ControllaTutto();
    bool IsPresenteConferma();

    // Header and row 9.
    void ControllaRiga0();
    void ControllaRiga9();
    // -1, or the reason the Est Media text of row 9 is refused or suspicious.
    int ControlloEstMedia(WString estMedia);

    // Survey data: GPS baselines and celerimetric stations.
    void ControllaGps();
    void ControllaStazioni();
    bool IsBattutaDaGps(WString nome, int numGruppi);
    bool IsBattutaPrima(WString nome, int job, int stazione);
    bool IsStazioneAllineamento(WString nome);
    bool IsPuntoGps(WString nome);
    bool IsDefinitoPrima(WString nome, int job, int stazione);
    int ControllaQuotaPf(WString nome);

    // Row views and their rows; rowNumber is the 1-based position in the view.
    void ControllaVistaRiga3();
    void ControllaVistaRiga45();
    void ControllaVistaRiga7();
    void ControllaRiga3(int rowNumber);
    void ControllaRiga4(int rowNumber);
    void ControllaRiga4Speciale(int rowNumber);
    void ControllaRiga5(int rowNumber);
    void ControllaRiga5Speciale(int rowNumber);
    void ControllaNotaRiga6(int rowNumber);
    void ControllaRiga7(int rowNumber);
    void ControllaPuntiOri();
    void ControllaNotaPlanimetrica(WString nota, WString nome);
    void ControllaAllineamenti();
    void CercaCoordPunto(WString nome, double& x, double& y);
    int ControllaRiga5Distanza(WString origine, WString orientamento);

    // Stations that observed each other: code 92 for each pair whose reduced distances differ by more
    // than 0.04 m.
    void ControllaDistStazioni();

    CRig* GetRigaCorrente() const { return m_pRigaCorrente; }
    void SetRigaCorrente(CRig* riga) { m_pRigaCorrente = riga; }
    CIndicePunti* GetIndice() const { return m_pIndice; }
    bool GetMisurePresenti() const { return m_MisurePresenti != 0; }
    // The survey families answer their name queries from tables built once per family; off, every query
    // walks the survey again (the plain definition, kept to check the tables against).
    void SetRicercaVeloce(bool on) { m_RicercaVeloce = on; }

private:
    void CompletaNome(WString& nome) const;
    bool HasRiga4Precedente() const;
    bool HasStazioni() const;
    bool HasRiga5Distanza(const WString& orientamento) const;
    void ControllaAltimetriaPf(const WString& nome, bool is3D, int& stessoFoglio, int& altroFoglio);

    int m_nPuntiPrecedenti = 0;
    int m_nNomiPrecedenti = 0;
    CCts* m_pCts = nullptr;
    CRig* m_pRigaCorrente = nullptr;
    CLibCmp* m_pLibCmp = nullptr;
    CLibGps* m_pLibGps = nullptr;
    CErrAvvVoci m_Voci;
    std::vector<CVocePregeo> m_Parti;
    std::unordered_set<WString, HashNome> m_NomiDistStazioni;
    std::vector<COssReciproca> m_OssReciproche;
    std::vector<WString> m_StazioniSegnalate;
    std::vector<WString> m_GpsSegnalati;
    CCtsVerPregeo m_VerPregeo;
    CIndicePunti* m_pIndice = nullptr;
    bool m_LineeRosseSegnalate = false;
    BYTE m_MisurePresenti = 0;
    bool m_RicercaVeloce = true;
    const CRicercaRilievo* m_pRicerca = nullptr;
};
