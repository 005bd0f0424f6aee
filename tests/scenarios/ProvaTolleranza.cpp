// The test caller of the CAD selection dialog, until the tolerance tools call it: a module built like
// libpregeo.so with three more exports, one per tolerance type, that pregeo-host runs as tools
// (pregeo-host --module <bin>/libprovatolleranza.so ProvaSelezioneDistanze). Each runs the dialog, then
// writes the result list into the transcript and frees what the caller owns.
#include "hostapi/CarviloDati.h"
#include "hostapi/Conversions.h"
#include "tolerance/DlgPregeoVerTolleranza.h"

#include <iostream>

namespace {

std::string Testo(const WString& s) {
    std::string out = "\"";
    for (char c : s.ToUtf8())
        out += c == '"' ? std::string("\\\"") : std::string(1, c);
    return out + "\"";
}

std::string Numero(double v) {
    const WString s = CStringDaDouble(v, 3);
    return s.IsEmpty() ? std::string("-") : s.ToUtf8();
}

void Seleziona(CWnd* parent, ICarviloDati* dati, int tipo) {
    std::vector<void*> risultato;
    CDlgPregeoVerTolleranza dlg(parent);
    dlg.SetParametri(dati, tipo, &risultato);
    const int esito = dlg.DoModal();
    if (esito != IDOK) {
        std::cout << "risultato: nessuno (" << esito << ")"
                  << (risultato.empty() ? "" : ", eppure la lista non è vuota") << "\n";
        return;
    }
    if (tipo == TOLL_SUPERFICI) {
        std::cout << "risultato: " << risultato.size() << " righe\n";
        const CCtsRigArray& righe = dati->GetCts()->m_Righe7;
        for (void* r : risultato) {
            const auto* riga = static_cast<const CRig*>(r);
            int numero = 0;
            for (int i = 0; i < righe.GetRigArSize(); ++i) {
                if (righe.GetRigAt(i)->GetTipoRiga() == '7')
                    ++numero;
                if (righe.GetRigAt(i) == riga)
                    break;
            }
            std::cout << "  riga 7 n. " << numero << " " << Testo(riga->GetLblNome1()) << ", "
                      << riga->GetVrtArSize() << " vertici\n";
        }
        return;
    }
    std::cout << "risultato: " << risultato.size() << " punti\n";
    for (std::size_t i = 0; i < risultato.size(); ++i) {
        auto* p = static_cast<CEgn*>(risultato[i]);
        std::cout << "  " << i << " " << Testo(p->GetNome()) << " " << Testo(p->GetSecScri()) << " E "
                  << Numero(p->GetCoordX()) << " N " << Numero(p->GetCoordY()) << " Q "
                  << Numero(p->GetCoordZ()) << (p->EstValidoXY() ? "" : " (non valido)") << "\n";
        delete p;
    }
}

} // namespace

MODULE_EXPORT void ProvaSelezioneDistanze(CWnd* parent, ICarviloDati* dati) {
    Seleziona(parent, dati, TOLL_DISTANZE);
}

MODULE_EXPORT void ProvaSelezioneSuperfici(CWnd* parent, ICarviloDati* dati) {
    Seleziona(parent, dati, TOLL_SUPERFICI);
}

MODULE_EXPORT void ProvaSelezioneOggetto(CWnd* parent, ICarviloDati* dati) {
    Seleziona(parent, dati, TOLL_OGGETTO_RILIEVO);
}
