#include "app/Rapporto.h"

#include "app/Check.h"
#include "app/Maglia.h"
#include "host/cad/Figura.h"
#include "host/cad/Rilievo.h"
#include "host/core/Limits.h"
#include "host/ui/Driver.h"
#include "hostapi/Computations.h"
#include "rules/ControlloLibretto.h"
#include "rules/Regole.h"
#include "tolerance/TollOggRilSup.h"
#include "tolerance/TollStazFuoriTriang.h"
#include "tolerance/TollSuperfici.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <set>

namespace host::rapporto {

namespace {

using cad::Colore;
using cad::FormaFigura;

const Colore kIn{0, 0.6, 0.2};
const Colore kFuori{0.85, 0.05, 0.05};
const Colore kRiga4{0.1, 0.35, 0.75};

std::string Num(double v, int decimali = 3) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimali, v);
    return buf;
}

std::string U8(const WString& s) {
    return s.ToUtf8();
}

// A survey's picture for a page: ids made its own, as one page holds several pictures.
std::string Figura(const CGcadEng& eng, const cad::DisegnoRilievo& disegno, const cad::Finestra& finestra,
                   const cad::Sovrapposizione* sopra, const std::string& prefisso) {
    cad::OpzioniFigura opzioni;
    opzioni.finestra = finestra;
    opzioni.sopra = sopra;
    opzioni.aiMargini = true;
    std::string svg = cad::FiguraSvg(eng, disegno, opzioni);
    for (const std::string da : {"id=\"", "url(#"}) {
        const std::string a = da + prefisso + "-";
        for (std::size_t i = svg.find(da); i != std::string::npos; i = svg.find(da, i + a.size()))
            svg.replace(i, da.size(), a);
    }
    return svg;
}

// Texts of the checker break lines with "\r" and leave blanks before the breaks.
std::vector<std::string> Righe(const std::string& testo) {
    std::vector<std::string> righe;
    std::size_t inizio = 0;
    do {
        const std::size_t fine = std::min(testo.find('\r', inizio), testo.size());
        std::string r = testo.substr(inizio, fine - inizio);
        r.erase(r.find_last_not_of(' ') + 1);
        if (!r.empty())
            righe.push_back(r);
        inizio = fine + 1;
    } while (inizio < testo.size());
    return righe;
}

// Rows 5 judged on the alignment of their row 4: the standard rows 5 after a standard row 4 (notes
// between them), whose point the survey does not know otherwise.
struct Riga5 {
    const CRig* riga4 = nullptr;
    CRig* riga5 = nullptr;
    int posizione = 0; // 1-based in the rows 4,5
};
std::vector<Riga5> RigheGiudicate(Project& p) {
    std::vector<Riga5> out;
    const CRig* riga4 = nullptr;
    for (int i = 0; i < p.cts.m_Righe45.GetRigArSize(); ++i) {
        CRig* r = p.cts.m_Righe45.GetRigAt(i);
        if (r->GetTipoRiga() == '4')
            riga4 = r->GetSpecRiga() == 0 ? r : nullptr;
        else if (r->GetTipoRiga() == '5' && riga4 && r->GetSpecRiga() == 0 &&
                 !IsPuntoRilevato(r->GetLblNome1(), &p.gps, &p.cmp, &p.cts))
            out.push_back({riga4, r, i + 1});
        else if (r->GetTipoRiga() != '6')
            riga4 = nullptr;
    }
    return out;
}

void Stazioni(CTollStazFuoriTriang& tool, Esame& e, cad::Sovrapposizione& sopra) {
    e.funzione = "FPregeoTollStazOutTriang";
    e.titolo = "Stazioni fuori dalla maglia dei punti fiduciali";
    e.spiegazione =
        "Una stazione esterna alla maglia può distare dal lato più vicino al massimo il 30% della "
        "lunghezza del lato.";
    if (tool.GetMaglia().GetSize() < 3) {
        e.nota = "Non è stata trovata una maglia fiduciale valida per il calcolo.";
        return;
    }
    const auto vertici = DisegnaMaglia(tool, sopra);
    const StazioniDisegnate s = DisegnaStazioni(tool, vertici, sopra);
    const std::vector<CRisStazione>& risultati = tool.GetRisultati();
    for (const CStazioneEsaminata& st : tool.GetEsaminate())
        for (int k = st.primoRisultato; k < st.primoRisultato + st.numRisultati; ++k) {
            const CRisStazione& r = risultati[static_cast<std::size_t>(k)];
            e.voci.push_back({"Stazione " + U8(st.nome),
                              "lato " + U8(r.verticeA) + " - " + U8(r.verticeB) + ": distanza esterna " +
                                  Num(r.distanzaEsterna) + " m, lunghezza del lato " + Num(r.lunghezzaLato) +
                                  " m, 30% del lato " + Num(r.lato30) + " m",
                              r.inTolleranza});
        }
    e.nota = "Stazioni esaminate: " + std::to_string(tool.GetEsaminate().size()) +
             ", interne alla maglia: " + std::to_string(s.dentro) + ".";
}

void Superfici(CTollOggRilSup& tool, CTollStazFuoriTriang& stazioni, Esame& e, cad::Sovrapposizione& sopra) {
    e.funzione = "FPregeoTollOggRilievoSup";
    e.titolo = "Particelle fuori dalla maglia (oggetto del rilievo)";
    e.spiegazione =
        "La parte di una particella (riga 7) esterna alla maglia può essere al massimo il 30% della "
        "parte interna.";
    if (stazioni.GetMaglia().GetSize() < 3) {
        e.nota = "Non è stata trovata una maglia fiduciale valida per il calcolo.";
        return;
    }
    DisegnaMaglia(stazioni, sopra);
    DisegnaSuperfici(tool.GetRisultati(), sopra);
    for (const CRisSuperficie& r : tool.GetRisultati())
        e.voci.push_back({"Riga 7 " + U8(r.riga->GetLblNome1()),
                          "superficie interna " + Num(r.supInterna) + " m², 30% " + Num(r.supInterna30) +
                              " m², superficie esterna " + Num(r.supEsterna) + " m²",
                          r.inTolleranza});
    if (e.voci.empty())
        e.nota = "Nessuna riga 7 da esaminare.";
}

// The rows 5 judged, and whether in tolerance.
using GiudiziRighe5 = std::map<const CRig*, bool>;

GiudiziRighe5 Allineamenti(Project& p, Esame& e) {
    GiudiziRighe5 giudizi;
    e.funzione = "FPregeoTollAllineamenti";
    e.titolo = "Allineamenti (righe 4 e 5)";
    e.spiegazione = "Un punto di riga 5 non può prolungare l'allineamento della sua riga 4 oltre un quarto "
                    "della sua lunghezza, né discostarsene in squadro oltre il limite.";
    const auto cerca = [&](const WString& nome, double& x, double& y) {
        CControlloLibretto controllo(nullptr, &p.cts, &p.cmp, &p.gps, nullptr);
        controllo.CercaCoordPunto(nome, x, y);
    };
    std::map<int, std::vector<std::string>> fuori;
    for (const CEsitoAllineamento& a : EsitiAllineamenti(p.cts, &p.gps, &p.cmp, cerca, false))
        for (const std::string& r : Righe(U8(a.testo)))
            fuori[a.riga].push_back(r);
    int senzaEstremi = 0;
    for (const Riga5& r : RigheGiudicate(p)) {
        // The function passes over a row 4 whose ends have no coordinates: nothing judged there.
        double x1 = REALE_INDEFINITO, y1 = REALE_INDEFINITO, x2 = REALE_INDEFINITO, y2 = REALE_INDEFINITO;
        cerca(r.riga4->GetLblNome1(), x1, y1);
        cerca(r.riga4->GetLblNome2(), x2, y2);
        if (IsRealeIndefinito(x1) || IsRealeIndefinito(y1) || IsRealeIndefinito(x2) ||
            IsRealeIndefinito(y2)) {
            ++senzaEstremi;
            continue;
        }
        const auto f = fuori.find(r.posizione);
        std::string testo = "sull'allineamento " + U8(r.riga4->GetLblNome1()) + " - " +
                            U8(r.riga4->GetLblNome2()) + ", progressiva " + Num(r.riga5->GetDatoRea1(), 2) +
                            " m, squadro " + Num(r.riga5->GetDatoRea2(), 2) + " m";
        if (f != fuori.end())
            for (const std::string& riga : f->second)
                testo += "; " + riga;
        e.voci.push_back({"Riga 5 " + U8(r.riga5->GetLblNome1()), testo, f == fuori.end()});
        giudizi[r.riga5] = f == fuori.end();
    }
    if (senzaEstremi > 0)
        e.nota = "Righe 5 non esaminate perché un estremo della loro riga 4 è senza coordinate: " +
                 std::to_string(senzaEstremi) + ".";
    else if (e.voci.empty())
        e.nota = "Nessuna riga 5 su un allineamento da esaminare.";
    return giudizi;
}

// After the drawing has placed the rows 5: each row 4 as a line, each judged point ringed.
void DisegnaAllineamenti(Project& p, const GiudiziRighe5& giudizi, cad::Sovrapposizione& sopra) {
    const cad::IndiceCoordinate indice(cad::DatiRilievo{&p.cts, &p.cmp, &p.gps, p.nome});
    std::set<const CRig*> righe4;
    bool in = false, out = false;
    for (const Riga5& r : RigheGiudicate(p)) {
        const auto giudizio = giudizi.find(r.riga5);
        if (giudizio == giudizi.end())
            continue;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (righe4.insert(r.riga4).second && indice.Cerca(r.riga4->GetLblNome1(), x1, y1) &&
            indice.Cerca(r.riga4->GetLblNome2(), x2, y2))
            sopra.forme.push_back({"riga4",
                                   r.riga4->GetLblNome1() + u" - " + r.riga4->GetLblNome2(),
                                   {{x1, y1, 0}, {x2, y2, 0}},
                                   false,
                                   {kRiga4, 2.5},
                                   {},
                                   {}});
        const double x = r.riga5->GetCoordX(), y = r.riga5->GetCoordY();
        if (!IsUsableCoordinate(x) || !IsUsableCoordinate(y))
            continue;
        const bool buona = giudizio->second;
        (buona ? in : out) = true;
        sopra.anelli.push_back({buona ? "riga5 in-tolleranza" : "riga5 fuori-tolleranza",
                                r.riga5->GetLblNome1(),
                                {x, y, 0},
                                {buona ? kIn : kFuori, 2.5},
                                12});
    }
    if (!righe4.empty())
        sopra.legenda.push_back({u"Allineamento (riga 4)", {kRiga4, 2.5}, std::nullopt, false});
    if (in)
        sopra.legenda.push_back({u"Riga 5 entro i limiti", {kIn, 2.5}, std::nullopt, true});
    if (out)
        sopra.legenda.push_back({u"Riga 5 oltre i limiti", {kFuori, 2.5}, std::nullopt, true});
}

void DistanzeStazioni(Project& p, Esame& e) {
    e.funzione = "FPregeoTollDistStazioni";
    e.titolo = "Distanze fra stazioni misurate dai due estremi";
    e.spiegazione = "La distanza fra due stazioni misurata da ciascuna delle due deve concordare entro la "
                    "tolleranza.";
    CControlloLibretto controllo(nullptr, &p.cts, &p.cmp, nullptr, nullptr);
    controllo.ControllaDistStazioni();
    for (int i = 0; i < controllo.GetMsgArSize(); ++i) {
        const std::vector<std::string> righe = Righe(U8(controllo.GetMsgAt(i)));
        std::string testo;
        for (const std::string& r : righe)
            testo += (testo.empty() ? "" : " ") + r;
        e.voci.push_back({"Stazioni", testo, false});
    }
    if (e.voci.empty())
        e.nota = "Tutte le stazioni sono in tolleranza";
}

// Every closed row 7 against its census surface, as the surface tool judges the row a person picks.
void SuperficiCensuarie(Project& p, Esame& e, cad::Sovrapposizione& sopra) {
    e.funzione = "FPregeoTollSuperfici";
    e.titolo = "Superfici delle particelle (righe 7)";
    e.spiegazione = "La superficie calcolata di ogni particella chiusa è confrontata con la superficie "
                    "censuaria: tolleranza S/20 se nominale, (S/1000 + √S)/3 se reale.";
    const CCalcRighePregeo calcolo(&p.cts, &p.cmp, &p.gps, nullptr);
    bool in = false, out = false;
    for (int i = 0; i < p.cts.m_Righe7.GetRigArSize(); ++i) {
        CRig* riga = p.cts.m_Righe7.GetRigAt(i);
        if (riga->GetTipoRiga() != '7' || !IsRigaChiusaPerToll(riga))
            continue;
        calcolo.CalcolaSngRiga7(riga);
        CRig::CalcolaAreaInterna(riga);
        const double calcolata = riga->GetDatoRea1(), censuaria = riga->GetDatoRea2();
        const CEsitoTollSup esito = ValutaTollSuperficie(calcolata, censuaria, riga->GetDatoInt1());
        const std::string natura = riga->GetDatoInt1() == NATURA_REALE ? "reale" : "nominale";
        std::string testo;
        if (IsRealeIndefinito(calcolata))
            testo = "superficie non calcolabile: un vertice è senza coordinate";
        else if (IsRealeIndefinito(esito.tolleranza))
            testo = "superficie calcolata " + Num(calcolata, 2) + " m², senza superficie censuaria valida";
        else
            testo = "superficie calcolata " + Num(calcolata, 2) + " m², censuaria " + Num(censuaria, 0) +
                    " m² (" + natura + "), ammessa da " + Num(esito.inferiore, 2) + " a " +
                    Num(esito.superiore, 2) + " m²";
        e.voci.push_back({"Riga 7 " + U8(riga->GetLblNome1()), testo, esito.inTolleranza});
        std::vector<CPuntoCad> punti;
        for (int k = 0; k + 1 < riga->GetVrtArSize(); ++k) {
            const CCtsVrt& v = *riga->GetVrtAt(k);
            punti.push_back({v.GetCoordX(), v.GetCoordY(), 0});
        }
        (esito.inTolleranza ? in : out) = true;
        sopra.forme.push_back(
            {esito.inTolleranza ? "superficie in-tolleranza" : "superficie fuori-tolleranza",
             WString::FromUtf8(e.voci.back().oggetto + ": " + testo),
             punti,
             true,
             {esito.inTolleranza ? kIn : kFuori, 2.5},
             {},
             riga->GetLblNome1() +
                 (esito.inTolleranza ? WString(u": in toll.") : WString(u": fuori toll."))});
    }
    if (in)
        sopra.legenda.push_back({u"Superficie in toll.", {kIn, 2.5}, std::nullopt, false});
    if (out)
        sopra.legenda.push_back({u"Superficie fuori toll.", {kFuori, 2.5}, std::nullopt, false});
    if (e.voci.empty())
        e.nota = "Nessuna riga 7 chiusa da confrontare.";
}

std::string Esc(const std::string& s) {
    return cad::TestoXml(WString::FromUtf8(ui::Printable(s)));
}

const char* kStile = R"(
body{font-family:"DejaVu Sans",Arial,sans-serif;margin:24px auto;max-width:1040px;color:#222;padding:0 12px}
h1{font-size:1.5em;margin-bottom:4px}h2{border-bottom:2px solid #1a5fb4;padding-bottom:4px;margin-top:36px}
h3{margin-top:28px}table{border-collapse:collapse;margin:8px 0}td,th{border:1px solid #ccc;padding:4px 8px;
vertical-align:top;text-align:left}th{background:#f2f2f2}.figura svg{max-width:100%;height:auto;
border:1px solid #ddd}.in{color:#0a7a2f;font-weight:bold}.fuori{color:#c01010;font-weight:bold}
.errore{color:#c01010;font-weight:bold}.avviso{color:#a05a00;font-weight:bold}.nota{color:#555}
ul.voci li{margin:6px 0}.spiega{font-style:italic;color:#444}
@media print{.figura{page-break-inside:avoid}}
)";

} // namespace

Rapporto Raccogli(Project& project) {
    Rapporto r;
    const CCts& c = project.cts;
    r.titolo = project.nome.empty() ? "Libretto delle misure" : project.nome;
    const auto campo = [&](const char* etichetta, const std::string& valore) {
        r.intestazione.emplace_back(etichetta, valore.empty() ? "-" : valore);
    };
    campo("Comune", U8(c.GetCdCm()) + (c.GetProvCm().IsEmpty() ? "" : " (" + U8(c.GetProvCm()) + ")"));
    campo("Provincia", U8(c.GetProv()));
    campo("Foglio", U8(c.GetFogl()));
    campo("Mappale", U8(c.GetMapp()));
    campo("Protocollo", U8(c.GetProt()));
    campo("Data", U8(c.GetGior()) + "/" + U8(c.GetMese()) + "/" + U8(c.GetAnno()));
    campo("Tecnico", U8(c.GetQual()) + " " + U8(c.GetTcnN()) + " " + U8(c.GetTcnC()));
    campo("Codice fiscale", U8(c.GetTcnCF()));
    campo("Iscrizione all'albo", U8(c.GetTcnNIscr()));
    campo("Tipo di libretto", c.m_TipoLibretto == 1 ? "modesta entità" : "standard");

    // The check first, on the booklet as saved; then the tools, which place rows 5 and compute surfaces
    // in memory, as their exports do, before the drawing computes anything.
    r.controllo = ControlloInJson(project);
    const cad::DatiRilievo dati{&project.cts, &project.cmp, &project.gps, project.nome};
    CTollStazFuoriTriang stazioni(nullptr, dati.cmp, dati.cts, dati.gps);
    stazioni.Esegui(false);
    CTollOggRilSup oggetti(nullptr, dati.cmp, dati.cts, dati.gps);
    oggetti.Esegui(false);
    Esame esStazioni, esOggetti, esAllineamenti, esDistanze, esSuperfici;
    cad::Sovrapposizione sStazioni, sOggetti, sAllineamenti, sSuperfici;
    Stazioni(stazioni, esStazioni, sStazioni);
    Superfici(oggetti, stazioni, esOggetti, sOggetti);
    const GiudiziRighe5 righe5 = Allineamenti(project, esAllineamenti);
    DistanzeStazioni(project, esDistanze);
    SuperficiCensuarie(project, esSuperfici, sSuperfici);

    CGcadEng eng;
    cad::DisegnoRilievo disegno = cad::DisegnaRilievo(eng, dati);
    DisegnaAllineamenti(project, righe5, sAllineamenti);
    const cad::Finestra tutto = cad::EstensioneRilievo(eng);
    r.disegno = Figura(eng, disegno, tutto, nullptr, "rilievo");
    const std::string titolo = disegno.titolo;
    const auto figura = [&](Esame& e, const cad::Sovrapposizione& sopra, const cad::Finestra& f,
                            const std::string& prefisso) {
        if (sopra.forme.empty() && sopra.anelli.empty())
            return;
        disegno.titolo = e.titolo;
        e.svg = Figura(eng, disegno, f, &sopra, prefisso);
    };
    figura(esStazioni, sStazioni, cad::EstensioneDi(sStazioni), "stazioni");
    figura(esOggetti, sOggetti, cad::EstensioneDi(sOggetti), "oggetti");
    figura(esAllineamenti, sAllineamenti, tutto, "allineamenti");
    figura(esSuperfici, sSuperfici, tutto, "superfici");
    disegno.titolo = titolo;
    r.esami = {std::move(esStazioni), std::move(esOggetti), std::move(esAllineamenti), std::move(esDistanze),
               std::move(esSuperfici)};
    r.nonEseguiti = {{"FPregeoTollDistanze",
                      "verifica delle distanze fra punti fiduciali: vuole il punto di partenza e i "
                      "punti d'arrivo scelti sul disegno"},
                     {"FPregeoTollOggRilievoDist",
                      "oggetto del rilievo, distanze dalla maglia: vuole un lato della maglia e "
                      "i punti interni scelti sul disegno"}};
    return r;
}

std::string FiguraDelGiudizio(Project& project, const std::string& funzione) {
    const cad::DatiRilievo dati{&project.cts, &project.cmp, &project.gps, project.nome};
    Esame e;
    cad::Sovrapposizione sopra;
    // Judged before the drawing places the rows 5 and computes the rows 7, as in the report.
    GiudiziRighe5 righe5;
    if (funzione == "FPregeoTollAllineamenti")
        righe5 = Allineamenti(project, e);
    else if (funzione == "FPregeoTollSuperfici")
        SuperficiCensuarie(project, e, sopra);
    else
        return {};
    CGcadEng eng;
    const cad::DisegnoRilievo disegno = cad::DisegnaRilievo(eng, dati);
    if (funzione == "FPregeoTollAllineamenti")
        DisegnaAllineamenti(project, righe5, sopra);
    cad::OpzioniFigura opzioni;
    opzioni.finestra = cad::EstensioneRilievo(eng);
    opzioni.aiMargini = true;
    opzioni.sopra = &sopra;
    return cad::FiguraSvg(eng, disegno, opzioni);
}

std::string Html(const Rapporto& r) {
    std::string h = "<!DOCTYPE html>\n<html lang=\"it\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                    Esc("Rapporto - " + r.titolo) + "</title>\n<style>" + kStile +
                    "</style>\n</head>\n<body>\n";
    h += "<h1>" + Esc(r.titolo) +
         "</h1>\n<p class=\"nota\">Rapporto del rilievo: intestazione del libretto, "
         "disegno, controllo del libretto e verifiche di tolleranza.</p>\n";

    h += "<h2>Intestazione del libretto</h2>\n<table>\n";
    for (const auto& [etichetta, valore] : r.intestazione)
        h += "<tr><th>" + Esc(etichetta) + "</th><td>" + Esc(valore) + "</td></tr>\n";
    h += "</table>\n";

    h += "<h2>Disegno del rilievo</h2>\n<div class=\"figura\">\n" + r.disegno + "</div>\n";

    h += "<h2>Controllo del libretto</h2>\n";
    const auto& voci = r.controllo.at("voci");
    const int errori = r.controllo.at("errori"), avvertimenti = r.controllo.at("avvertimenti");
    h += "<p>Errori: <strong>" + std::to_string(errori) + "</strong>, avvertimenti: <strong>" +
         std::to_string(avvertimenti) + "</strong>.</p>\n";
    if (voci.empty())
        h += "<p class=\"in\">Nessun errore e nessun avvertimento.</p>\n";
    // Grouped by view as check --json counts them, in the order of its counts: an entry whose view is not
    // one of the named ones is counted with those without a view.
    std::set<nlohmann::ordered_json> nominate;
    for (const auto& vista : r.controllo.at("viste"))
        if (!vista.at("vista").is_null())
            nominate.insert(vista.at("vista"));
    for (const auto& vista : r.controllo.at("viste")) {
        const auto nome = vista.at("vista");
        h += "<h3>" + Esc(nome.is_null() ? std::string("Senza vista") : nome.get<std::string>()) +
             " (errori " + std::to_string(vista.at("errori").get<int>()) + ", avvertimenti " +
             std::to_string(vista.at("avvertimenti").get<int>()) + ")</h3>\n<ul class=\"voci\">\n";
        for (const auto& v : voci) {
            const bool delGruppo = nome.is_null() ? !nominate.contains(v.at("vista")) : v.at("vista") == nome;
            if (!delGruppo)
                continue;
            const bool errore = v.at("errore");
            h += std::string("<li><span class=\"") + (errore ? "errore\">Errore" : "avviso\">Avvertimento") +
                 "</span>";
            if (!v.at("riga").is_null())
                h += " (riga " + std::to_string(v.at("riga").get<int>()) + ")";
            h += ":";
            for (const std::string& riga : Righe(v.at("testo").get<std::string>()))
                h += "<br>" + Esc(riga);
            h += "</li>\n";
        }
        h += "</ul>\n";
    }

    h += "<h2>Verifiche di tolleranza</h2>\n";
    for (const Esame& e : r.esami) {
        h += "<h3>" + Esc(e.titolo) + "</h3>\n<p class=\"spiega\">" + Esc(e.spiegazione) + "</p>\n";
        if (!e.voci.empty()) {
            int dentro = 0;
            for (const Voce& v : e.voci)
                dentro += v.inTolleranza ? 1 : 0;
            h += "<p>Esaminati: " + std::to_string(e.voci.size()) +
                 ", in tolleranza: " + std::to_string(dentro) +
                 ", fuori tolleranza: " + std::to_string(static_cast<int>(e.voci.size()) - dentro) +
                 ".</p>\n";
            h += "<table>\n<tr><th>Oggetto</th><th>Esito</th><th>Dettaglio</th></tr>\n";
            for (const Voce& v : e.voci)
                h += "<tr><td>" + Esc(v.oggetto) + "</td><td class=\"" + (v.inTolleranza ? "in" : "fuori") +
                     "\">" + (v.inTolleranza ? "In tolleranza" : "Fuori tolleranza") + "</td><td>" +
                     Esc(v.testo) + "</td></tr>\n";
            h += "</table>\n";
        }
        if (!e.nota.empty())
            h += "<p class=\"nota\">" + Esc(e.nota) + "</p>\n";
        if (!e.svg.empty())
            h += "<div class=\"figura\">\n" + e.svg + "</div>\n";
    }
    if (!r.nonEseguiti.empty()) {
        h += "<h3>Verifiche che richiedono una scelta sul disegno</h3>\n<ul>\n";
        for (const auto& [funzione, perche] : r.nonEseguiti)
            h += "<li>" + Esc(perche) + ": da eseguire nel programma.</li>\n";
        h += "</ul>\n";
    }
    h += "</body>\n</html>\n";
    return h;
}

int ScriviRapporto(Project& project, const std::filesystem::path& file, std::ostream& out,
                   std::ostream& err) {
    const Rapporto r = Raccogli(project);
    const std::string html = Html(r);
    // Beside it first, then into place: a write that fails leaves no half page and keeps an older report.
    std::filesystem::path provvisorio = file;
    provvisorio += ".scrittura";
    std::ofstream f(provvisorio, std::ios::binary | std::ios::trunc);
    f.write(html.data(), static_cast<std::streamsize>(html.size()));
    f.close();
    std::error_code ec;
    if (f)
        std::filesystem::rename(provvisorio, file, ec);
    if (!f || ec) {
        std::filesystem::remove(provvisorio, ec);
        err << "pregeo-host: il rapporto non si può scrivere in " << ui::Printable(file.string()) << "\n";
        return 1;
    }
    out << "Rapporto: " << ui::Printable(file.string()) << " (" << r.controllo.at("errori").get<int>()
        << " errori, " << r.controllo.at("avvertimenti").get<int>() << " avvertimenti)\n";
    for (const Esame& e : r.esami) {
        int fuori = 0;
        for (const Voce& v : e.voci)
            fuori += v.inTolleranza ? 0 : 1;
        out << "  " << e.titolo << ": esaminati " << e.voci.size() << ", fuori tolleranza " << fuori << "\n";
    }
    for (const auto& [funzione, perche] : r.nonEseguiti)
        out << "  non eseguito " << funzione << ": " << perche << "\n";
    return 0;
}

} // namespace host::rapporto
