#include "resources/ModuleResources.h"
#include "resources/StringIds.h"

namespace {

const StringResource kStrings[] = {
    {IDS_PREGEO, u"Pregeo"},
    {IDS_NESSUNA_RIGA45_FUORI_TOLL, u"Non sono state individuate righe 4-5 fuori tolleranza."},
    {IDS_CARICAMENTO_FALLITO, u"Il caricamento dei dati non ha avuto successo"},
    {IDS_MAX_100_PF, u"E' possibile visualizzare un numero massimo di 100 Punti Fiduciali.\nFiltrare "
                     u"maggiormente la ricerca."},
    {IDS_DATI_NON_VALIDI, u"Impossibile continuare.\nI dati inseriti non sono validi."},
    {IDS_NESSUN_PF_SELEZIONATO, u"Impossibile continuare.\nNessun punto fiduciale da importare selezionato."},
    {IDS_ORIENTAMENTO_NON_VALIDO, u"Impossibile continuare.\nOrientamento non valido."},
    {IDS_ORIENTAMENTO_GPS_NON_ESEGUITO, u"Impossibile continuare. Orientamento Gps non eseguito."},
    {IDS_IMPORT_AUTO_FALLITA, u"L'importazione automatica non è andata a buon fine o è stata annullata."},
    {IDS_POSIZIONE_NON_VALIDA, u"La posizione inserita non è valida"},
    {IDS_SPECIFICARE_COMUNE, u"Specificare il comune da filtrare."},
    {IDS_SPECIFICARE_FOGLIO, u"Specificare il foglio da filtrare."},
    {IDS_SPECIFICARE_ATTENDIBILITA, u"Specificare il valore minimo di attendibilità."},
    {IDS_PUNTO_GIA_PRESENTE, u"Il punto è già presente nella griglia. Cosa fare?"},
    {IDS_ERRORE_IMPORTAZIONE_TAF, u"Errore Importazione TAF"},
    {IDS_IMPORTAZIONE_PF, u"Importazione punti fiduciali"},
    {IDS_COL_NOME, u"Nome"},
    {IDS_COL_FOGLIO, u"Foglio"},
    {IDS_COL_DESCR_PLAN, u"Descr.Plan."},
    {IDS_COL_DESCR_QUOTA, u"Descr.Quota"},
    {IDS_COL_COMUNE, u"Comune"},
    {IDS_COL_ATT_P, u"Att.P."},
    {IDS_COL_ATT_Q, u"Att.Q."},
    {IDS_COL_NORD, u"Nord"},
    {IDS_COL_EST, u"Est"},
    {IDS_COL_QUOTA, u"Quota"},
    {IDS_COL_PARTICELLA, u"Part."},
    {IDS_COL_FOGLIO_OR, u"Foglio Or."},
    {IDS_COL_ALLEG_OR, u"All. Foglio Or."},
    {IDS_COL_FIDUC_OR, u"Fiduc. Or."},
    {IDS_COL_DATA_AGG, u"Data Agg."},
    {IDS_COL_CAUSA_AGG, u"Causa Agg."},
    {IDS_ATTENZIONE, u"Attenzione"},
    {IDS_NON_UTILIZZABILE, u"NON UTILIZZABILE"},
    {IDS_COL_SEL, u"Sel."},
    {IDS_PF_VICINI, u"PF vicini"},
    {IDS_DA_ELENCO, u"Da Elenco"},
};

} // namespace

const StringResource* ModuleStrings(std::size_t& count) {
    count = sizeof kStrings / sizeof kStrings[0];
    return kStrings;
}
