#include "rules/Regole.h"

// The texts reach the surveyor and the booklet report exactly as written here, blanks and typos included.
WString GetTestoMotivo(int code) {
    switch (code) {
    case 0:
        return u"Si accettano solo cifre.\r";
    case 1:
        return u"Massimo 5 cifre.\r";
    case 2:
        return u"Massimo 40 caratteri.\r";
    case 3:
        return u"Massimo 8 cifre; l'elemento finale può essere la U;\r   - U = operazione d'ufficio.\r";
    case 4:
        return u"Non può iniziare con lo zero.\r";
    case 5:
        return u"Massimo 4 elementi; il primo elemento può essere una lettera o cifra;\r   - il secondo e il "
               u"terzo "
               u"elemento sono cifre; - l'ultimo elemento può essere lo zero o una lettera.\r";
    case 6:
        return u"Nella finestra Pregeo sono accettati massimo 30 caratteri.\r";
    case 7:
        return u"Il campo mappale comprende più termini separati da virgole;\r   - i termini sono formati "
               u"da: "
               u"massimo 5  cifre, massimo 2 lettere, STRAD, ACQUE.\r";
    case 8:
        return u"Massimo 20 caratteri.\r";
    case 9:
        return u"Il valore deve essere positivo.\r";
    case 10:
        return u"Massimo 4 cifre.\r";
    case 11:
        return u"Valori interi compresi tra -999999 e 9999999.\r";
    case 13:
        return u"Valore compreso tra -399 e 399.\r";
    case 14:
        return u"Valore tra -9999.999 e 9999.999.\r";
    case 15:
        return u"Massimo 72 caratteri.\r";
    case 16:
        return u"Valore compreso tra 0 e 400.\r";
    case 17:
        return u"Valore compreso tra 0 e 99999.999.\r";
    case 18:
        return u"Valore non superiore a 999999999.\r";
    case 19:
        return u"Valore compreso tra -9999999.999 e 99999999.999.\r";
    case 20:
        return u"Attendibilità compresa tra 1 e 88.\r";
    case 21:
        return u"Attendibilità compresa tra 1 e 4.\r";
    case 22:
        return u"Nome punto errato.\r";
    case 23:
        return u"Il codice del comune è composto da 4 o 5 caratteri alfanumerici.\r";
    case 26:
        return u"Valore compreso tra -999999.999 e 999999.999\r";
    case 27:
        return u"Valore compreso tra -99.999 e 99.999.\r";
    case 28:
        return u"La lunghezza della baseline è superiore a 5000 Km;\r     i campi della matrice di "
               u"covarianza sono "
               u"obbligatori.\r";
    case 29:
        return u"La matrice di covarianza ha dei valori atipici.\r";
    case 30:
        return u"Nella matrice di covarianza ci sono dei valori errati.\r";
    case 31:
        return u"Mancano il GDOP e il PDOP.\r     Carvilo metterà per default PDOP=1.\r";
    case 32:
        return u"Il valore deve essere compreso tra 1 e 7.\r";
    case 33:
        return u"Xx, yy, zz negativi.\r";
    case 34:
        return u"Campo obbligatorio.\r";
    case 35:
        return u"Valori accettati 10-100 per la precisione lineare e 20-100 per quella angolare.\r";
    case 36:
        return u"Elemento non trovato. \r";
    case 37:
        return u"Numero di vertici inferiori al minimo consentito.\r";
    case 38:
        return u"Il numero di vertici deve essere maggiore di zero.\r";
    case 40:
        return u"Sono presenti dei nomi duplicati.\r";
    case 41:
        return u"Attendibilità compresa tra 20 e 88.\r";
    case 42:
        return u"Massimo 60 caratteri.\r";
    case 43:
        return u"Dato mancante. \r";
    case 44:
        return u"Inserire nella nota planimetrica un anno superiore al 1988!\r";
    case 45:
        return u"La nota del punto di orientamento planimetrico non è stata scritta correttamente. \r";
    case 46:
        return u"Non si è riscontrata una corrispondenza planimetrica nel libretto.\r";
    case 47:
        return u"Non è presenta la riga 5 che definisce la distanza dei punti di orientamento usati per "
               u"l'allineamento.\r";
    case 48:
        return u"Non è stata specificata la tipologia del punto.\r";
    case 49:
        return u"Tipo di aggiornamento non valido per il tipo di libretto specificato.\r";
    case 50:
        return u"Nome Punto fiduciale non valido.\r";
    case 51:
        return u"Il nome della particella non è stato inserito o è stato inserito un nome non valido (non "
               u"sono "
               u"ammessi nomi alfanumerici e con lettere minuscole).\r";
    case 53:
        return u"Non è stato inserito alcun punto.\r";
    case 54:
        return u"Nel campo mappale possono essere inseriti particelle con nomi formati da: \r - sole cifre; "
               u"numero "
               u"max 10; \r - sole lettere; numero max 10; \r - '/' che separa gruppi di cifre o lettere;\r "
               u"- '.' "
               u"che precede gruppi di lettere o cifre.\r";
    case 55:
        return u"La stazione non batte alcun punto definito in precedenza.\r";
    case 56:
        return u"La stazione non è battuta da una stazione celerimetrica o GPS precedente o da una stazione "
               u"di "
               u"allineamento. \r";
    case 57:
        return u"Il punto fiduciale descritto non ha una corrispondenza altimetrica (manca la quota e "
               u"l'attendibilità). \r";
    case 58:
        return u"Punto Fiduciale senza informazione altimetrica. \r";
    case 59:
        return u"Punto di orientamento senza dati altimetrici e planimetrici.\r";
    case 60:
        return u"La differenza tra l'Est Media inserita e quella calcolata con i punti di orientamento è "
               u"maggiore "
               u"di 5000 metri.\r";
    case 61:
        return u"Il prolungamento eccede il limite della normativa [circ. 2/88 § 5].\r";
    case 62:
        return u"Lo squadro eccede il limite della normativa [circ. 2/88 § 5]. \r";
    case 83:
        return u"Le superifici non sono in tolleranza.\r";
    case 92:
        return u"Distanza non in tolleranza. \r";
    case 95:
        return u"Devono essere digitati almeno due punti.\r";
    case 97:
        return u"Alcune misure GPS hanno date e ore non valide. \r";
    case 99:
        return u"Per evitare problemi nell'elaborazione si consiglia di impostare i punti fiduciali misurati "
               u"(da "
               u"stazioni celerimetriche)\rsenza corrispondenza altimetrica e con foglio diverso da quello "
               u"della "
               u"riga zero a 2D e gli altri a 3D.\r";
    case 100:
        return u"La nota non può essere numerica.\r";
    case 101:
        return u"La nota altimetrica del punto di orientamento non deve iniziare con una cifra.\rSi "
               u"consiglia di "
               u"modificarla altrimenti si potrebbero avere dei problemi nella presentazione del lavoro.\r";
    case 102:
        return u"Non si è riscontrata una corrispondenza altimetrica nel libretto.\r";
    case 103:
        return u"Il valore dell'Est Media è atipico.\r";
    case 104:
        return u"E' probabile che non sia possibile eseguire l'introduzione cartografica durante "
               u"l'elaborazione.\r";
    case 105:
        return u"Non è presente la riga 6 con la dicitura 'CONFERMA' o 'conferma';\rSenza questa riga Pregeo "
               u"potrebbe avere difficoltà a riconoscere il libretto come caso particolare.\rL'atto di "
               u"aggiornamento non potrebbe essere accettato.\r";
    case 106:
        return u"Qualifica non valida.\r";
    case 107:
        return u"Tipo di aggiornamento non riconosciuto.\r";
    case 108:
        return u"Attenzione! Il campo particella e particella madre della riga 7 potrebbero dare problemi in "
               u"Pregeo SP4, compromettendo l'approvabilità del tipo.\r";
    case 109:
        return u"Il numero di iscrizione è obbligatorio per la generazione dell'atto di aggiornamento (file "
               u"PDF).\r";
    case 110:
        return u"Il codice fiscale è obbligatorio per la genereazione dell'atto di aggiornamento (file "
               u"PDF).\r";
    case 111:
        return u"Sono stati inseriti dei caratteri non standard (es. lettere accentate).\rTali caratteri "
               u"potrebbero non essere accettati da Pregeo.\r";
    case 112:
        return u"Tipologia di Atto di Aggiornamento non compatibile con la modesta entità.\r";
    case 113:
        return u"Nei Libretti confermativi non sono ammesse linee rosse.\r";
    case 114:
        return u"Tipologia di aggiornamento non prevista.\r";
    case 115:
        return u"Tipologia di Atto di Aggiornamento non compatibile con la natura standard.\r";
    case 130:
        return u"Per la tipologia selezionata non è stato indicato il caso da gestire.\r";
    default:
        return WString();
    }
}
