#include "editors/Rilievo.h"

CIndicePunti IndiceRilievo(const CRilievo& rilievo) {
    return CIndicePunti(rilievo.gps, rilievo.stazioni, rilievo.libretto);
}

std::vector<WString> NomiIndice(const CIndicePunti& indice, int insieme) {
    std::vector<WString> nomi = indice.Nomi(insieme);
    std::erase_if(nomi, [](const WString& nome) { return nome.IsEmpty(); });
    return nomi;
}

void RiempiNomi(CComboBox& combo, const std::vector<WString>& nomi) {
    const WString testo = combo.GetWindowText();
    combo.ResetContent();
    for (const WString& nome : nomi)
        combo.AddString(nome);
    MostraNome(combo, testo);
}

int TrovaNome(const CComboBox& combo, const WString& nome) {
    // Names differ by case: the list's own search ignores it.
    for (int i = 0; i < combo.GetCount(); ++i)
        if (combo.GetLBText(i) == nome)
            return i;
    return CB_ERR;
}

void MostraNome(CComboBox& combo, const WString& nome) {
    const int i = TrovaNome(combo, nome);
    combo.SetCurSel(i);
    if (i == CB_ERR)
        combo.SetWindowText(nome);
}

CRilievo RilievoDa(CCts* libretto, ICarviloDati* dati) {
    CRilievo r;
    r.libretto = libretto;
    if (dati) {
        r.stazioni = dati->GetLibCmp();
        r.gps = dati->GetLibGps();
    }
    return r;
}
