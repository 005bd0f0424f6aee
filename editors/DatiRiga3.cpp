#include "editors/DatiRiga3.h"

#include "hostapi/Dialog.h"

#include <utility>

WString TestoVertici(const CRig& riga) {
    const int n = riga.GetVrtArSize();
    const auto nome = [&riga](int i) { return riga.GetVrtAt(i)->GetNome(); };
    if (n > 4)
        return WString::Formatted(u"%s-%s...%s-%s", nome(0), nome(1), nome(n - 2), nome(n - 1));
    WString testo;
    for (int i = 0; i < n; ++i)
        testo += (i ? u"-" : u"") + nome(i);
    return testo;
}

CVerticiRiga3::CVerticiRiga3(const CRig& riga) {
    for (int i = 0; i < riga.GetVrtArSize(); ++i)
        m_Nomi.push_back(riga.GetVrtAt(i)->GetNome());
}

void CVerticiRiga3::Seleziona(int indice) {
    m_Selezione = indice >= 0 && indice < static_cast<int>(m_Nomi.size()) ? indice : -1;
}

void CVerticiRiga3::InserisciA(int indice) {
    m_Nomi.insert(m_Nomi.begin() + indice, WString(NOME_VERTICE_NUOVO));
    m_Selezione = indice;
}

void CVerticiRiga3::Aggiungi() {
    InserisciA(m_Selezione < 0 ? static_cast<int>(m_Nomi.size()) : m_Selezione + 1);
}

void CVerticiRiga3::Inserisci() {
    InserisciA(m_Selezione < 0 ? static_cast<int>(m_Nomi.size()) : m_Selezione);
}

void CVerticiRiga3::Su() {
    if (m_Selezione > 0)
        std::swap(m_Nomi[m_Selezione], m_Nomi[m_Selezione - 1]);
}

void CVerticiRiga3::Giu() {
    if (m_Selezione >= 0 && m_Selezione + 1 < static_cast<int>(m_Nomi.size()))
        std::swap(m_Nomi[m_Selezione], m_Nomi[m_Selezione + 1]);
}

void CVerticiRiga3::Elimina() {
    if (m_Selezione < 0)
        return;
    m_Nomi.erase(m_Nomi.begin() + m_Selezione);
    if (m_Selezione >= static_cast<int>(m_Nomi.size()))
        m_Selezione = static_cast<int>(m_Nomi.size()) - 1;
}

void CVerticiRiga3::Rinomina(const WString& nome) {
    if (m_Selezione >= 0)
        m_Nomi[m_Selezione] = nome;
}

std::optional<CRifiuto> ValidaRiga3(const std::vector<WString>& nomi) {
    if (nomi.size() < 4)
        return CRifiuto{u"La riga 3 deve essere composta da almeno 4 vertici", MB_ICONERROR};
    for (std::size_t i = 0; i < nomi.size(); ++i) {
        if (nomi[i].IsEmpty() || nomi[i] == NOME_VERTICE_NUOVO)
            return CRifiuto{u"Specificare il nome di tutti i vertici", MB_ICONERROR};
        for (std::size_t j = i + 1; j < nomi.size(); ++j)
            if (nomi[i] == nomi[j])
                return CRifiuto{u"Sono presenti dei nomi di vertice duplicati", MB_ICONERROR};
    }
    return std::nullopt;
}

void SalvaRiga3(const std::vector<WString>& nomi, CRig& riga) {
    riga.DelAllVrt();
    riga.SetTipoRiga('3');
    for (const WString& nome : nomi)
        riga.AddVrt(CCtsVrt(nome));
}
