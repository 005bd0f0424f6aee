#include "distances/GrigliaDistanze.h"

#include "hostapi/Conversions.h"
#include "hostapi/Dialog.h"

void PreparaGriglia(CCEGridCtrl& griglia, std::initializer_list<CColonnaGriglia> colonne) {
    griglia.SetSingleRowSelection(TRUE);
    griglia.SetFixedColumnCount(0);
    griglia.SetFixedRowCount(1);
    const int scala = CPalmDevice::GetResMultiplier();
    for (const CColonnaGriglia& c : colonne)
        griglia.SetColumnWidth(griglia.InsertColumn(c.titolo), c.larghezza * scala);
}

int AggiungiRigaGriglia(CCEGridCtrl& griglia, std::initializer_list<WString> testi) {
    const int riga = griglia.InsertRow(WString());
    int colonna = 0;
    for (const WString& testo : testi)
        griglia.SetItemText(riga, colonna++, testo);
    for (int c = 0; c < griglia.GetColumnCount(); ++c) {
        griglia.SetItemBkColour(riga, c, COLORE_CELLA_DISTANZE);
        griglia.SetItemFgColour(riga, c, GetSysColor(COLOR_WINDOWTEXT));
    }
    return riga;
}

WString TestoMetri(double valore) {
    return CStringDaDouble(valore, 3);
}
