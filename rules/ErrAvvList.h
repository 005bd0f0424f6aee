// Errors-and-warnings lists: ordered texts, each an error or a warning, for a display outside the module.
#pragma once

#include "hostapi/Booklet.h"
#include "hostapi/TotalStation.h"
#include "hostapi/WString.h"

#include <cstddef>
#include <vector>

// The seven operations a display reads a list through; their order is part of the contract.
class CErrAvvList {
public:
    virtual int GetMsgArSize() = 0;
    virtual WString GetMsgAt(int i) = 0;
    virtual bool IsErroreAt(int i) = 0;
    virtual WString GetTitolo() = 0;
    virtual bool GetOpzioneVista1() = 0;
    virtual bool GetOpzioneVista2() = 0;
    virtual int GetAvvArSize() = 0;
    virtual ~CErrAvvList() = default;
};

// The entries of a list: texts and error bits side by side, only ever appended.
class CErrAvvVoci {
public:
    void Aggiungi(const WString& testo, bool errore) {
        m_Testi.push_back(testo);
        m_Errori.push_back(errore);
    }
    int GetSize() const { return static_cast<int>(m_Testi.size()); }
    // Out-of-range positions give an empty warning rather than reading past the list.
    WString GetTesto(int i) const { return Valido(i) ? m_Testi[static_cast<std::size_t>(i)] : WString(); }
    bool IsErrore(int i) const { return Valido(i) && m_Errori[static_cast<std::size_t>(i)]; }
    int GetAvvertimenti() const {
        int n = 0;
        for (bool e : m_Errori)
            if (!e)
                ++n;
        return n;
    }

private:
    bool Valido(int i) const { return i >= 0 && i < GetSize(); }
    std::vector<WString> m_Testi;
    std::vector<bool> m_Errori;
};

// A small collector for the checks of a picked drawing element.
class CErrAvvGenerico : public CErrAvvList {
public:
    CErrAvvGenerico(void* primo, CLibCmp* stazioni, CCts* libretto)
        : m_pPrimo(primo), m_pLibCmp(stazioni), m_pCts(libretto) {}

    int GetMsgArSize() override { return m_Voci.GetSize(); }
    WString GetMsgAt(int i) override { return m_Voci.GetTesto(i); }
    bool IsErroreAt(int i) override { return m_Voci.IsErrore(i); }
    WString GetTitolo() override { return u"Carvilo - errori e avvertimenti"; }
    bool GetOpzioneVista1() override { return m_OpzioneVista1 != 0; }
    bool GetOpzioneVista2() override { return m_OpzioneVista2 != 0; }
    int GetAvvArSize() override { return m_Voci.GetAvvertimenti(); }

    void* GetPrimo() const { return m_pPrimo; }

    void AddMsg(bool isError, int code, WString detail);

    void ControllaLineaMaglia(WString nome1, WString nome2);
    void ControllaRelazione();
    void ControllaNomeParticella(WString nome);
    void ControllaPuntoSelezionato(WString nome);
    void ControllaAngoliVerticali();

private:
    void SetOpzioni(bool attiva) { m_OpzioneVista1 = m_OpzioneVista2 = attiva ? 1 : 0; }

    CErrAvvVoci m_Voci;
    void* m_pPrimo; // kept for the caller, never read here
    CLibCmp* m_pLibCmp;
    CCts* m_pCts;
    BYTE m_OpzioneVista1 = 0;
    BYTE m_OpzioneVista2 = 0;
};
