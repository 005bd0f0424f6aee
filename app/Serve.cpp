#include "app/Serve.h"

#include "app/Demo.h"
#include "app/Esiti.h"
#include "app/Indica.h"
#include "app/Maglia.h"
#include "app/Rapporto.h"
#include "app/Strumento.h"
#include "app/WebGuard.h"
#include "host/cad/Figura.h"
#include "host/core/HostContext.h"
#include "host/core/Parti.h"
#include "host/parti/Server.h"
#include "host/project/Project.h"
#include "host/ui/WebDriver.h"
#include "hostapi/Dialog.h"

#include "Pagina.inc"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <ctime>
#include <fstream>
#include <functional>
#include <future>
#include <mutex>
#include <optional>
#include <ostream>
#include <sstream>
#include <thread>

namespace host {

namespace {

using json = nlohmann::json;
using namespace std::chrono_literals;

// A page that has not been heard of for this long no longer drives: another may take over.
constexpr auto kPilotaScade = 15s;
// How long a request waits for what an action leads to before answering "occupato"; the page then asks
// again.
constexpr auto kAttesaAzione = 3s;
// How long a page that follows the state waits for a change.
constexpr auto kAttesaStato = 10s;
// How long the page waits for the report; the tolerance tools run on the whole survey.
constexpr auto kAttesaRapporto = 60s;

const char* const kImmagini[] = {"Esiti.bmp", "IconaModifica.bmp", "GPSAcquisCADButtons.bmp"};

// What the server's threads and the tool's thread share.
struct Sessione {
    std::mutex m;
    std::condition_variable cv;
    std::optional<std::string> daAvviare;
    bool inCorso = false;
    std::string pilota;
    std::chrono::steady_clock::time_point visto;
    // Work the tools' thread does between tools, as it touches what the tools touch: the report.
    std::optional<std::packaged_task<std::string()>> lavoro;
    // The check of the project as it is now, with what each finding names, and its number.
    std::string controllo = "{}";
    std::uint64_t controlloN = 0;

    // Whether this page drives the tools; the first to ask drives until it is silent too long.
    bool Pilota(const std::string& client) {
        std::lock_guard lock(m);
        const auto ora = std::chrono::steady_clock::now();
        if (client.empty())
            return false;
        if (pilota.empty() || pilota == client || ora - visto > kPilotaScade) {
            pilota = client;
            visto = ora;
            return true;
        }
        return false;
    }
};

std::string Adesso() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    char testo[32];
    std::strftime(testo, sizeof testo, "%Y%m%d-%H%M%S", &tm);
    return testo;
}

json Strumenti() {
    json gruppi = json::array();
    for (const char* nome : {"Righe del libretto", "Importazione", "Tolleranze"}) {
        json voci = json::array();
        for (const auto& e : ModuleExports())
            if (std::string_view(web::Gruppo(e.name)) == nome)
                voci.push_back(json{
                    {"nome", e.name}, {"titolo", web::Titolo(e.name)}, {"descrizione", ACosaServe(e.name)}});
        gruppi.push_back(json{{"nome", nome}, {"strumenti", std::move(voci)}});
    }
    return gruppi;
}

void Sicuro(parti::Risposta& res) {
    res.Intestazione("Cache-Control", "no-store");
    res.Intestazione("X-Content-Type-Options", "nosniff");
    res.Intestazione("Referrer-Policy", "no-referrer");
    res.Intestazione("X-Frame-Options", "DENY");
}

void Rifiuta(parti::Risposta& res, int status, const std::string& why) {
    res.Stato(status);
    Sicuro(res);
    res.Contenuto(json{{"errore", why}}.dump(), "application/json");
}

// The body of a page's request, or the status that refuses it.
std::optional<web::Corpo> LeggiRichiesta(const parti::Domanda& req, parti::Risposta& res) {
    if (req.Intestazione("Content-Type").rfind("application/json", 0) != 0) {
        Rifiuta(res, 415, "la richiesta deve essere JSON");
        return std::nullopt;
    }
    web::Corpo corpo;
    std::string why;
    if (const int status = web::LeggiCorpo(req.Corpo(), corpo, why); status != 0) {
        Rifiuta(res, status, why);
        return std::nullopt;
    }
    return corpo;
}

// The tools whose findings `maglia` draws: after them the survey shows what they judged.
bool GiudicaSullaMaglia(const std::string& strumento) {
    return strumento == "FPregeoTollStazOutTriang" || strumento == "FPregeoTollOggRilievoSup";
}

std::string ControlloDelProgetto(const std::filesystem::path& cartella) {
    try {
        return ControlloIndicato(*Project::Load(cartella))
            .dump(-1, ' ', false, json::error_handler_t::replace);
    } catch (const ProjectError& e) {
        return json{{"nonValido", e.what()}}.dump(-1, ' ', false, json::error_handler_t::replace);
    }
}

} // namespace

std::string DisegnoDelProgetto(const std::filesystem::path& cartella, const std::string& dopo,
                               const std::vector<std::string>& finestre) {
    std::unique_ptr<Project> progetto;
    try {
        progetto = Project::Load(cartella);
    } catch (const ProjectError&) {
        return {};
    }
    if (std::string svg = rapporto::FiguraDelGiudizio(*progetto, dopo); !svg.empty())
        return svg;
    std::optional<GiudizioMaglia> giudizio;
    if (GiudicaSullaMaglia(dopo)) {
        // Judged on a copy of its own: the drawing below computes rows 5 in memory.
        std::string why;
        try {
            giudizio = GiudicaMaglia(*Project::Load(cartella), false, why);
        } catch (const ProjectError&) {
        }
    }
    CGcadEng eng;
    HostData dati(*progetto);
    const cad::DisegnoRilievo disegno = cad::DisegnaRilievo(eng, cad::DatiDi(&dati));
    cad::OpzioniFigura opzioni;
    // The tools that judge a person's picks: what their results showed.
    cad::Sovrapposizione mostrati;
    if (!giudizio) {
        std::vector<json> viste;
        for (const std::string& f : finestre)
            viste.push_back(json::parse(f, nullptr, false));
        DisegnaEsitiMostrati(dopo, EsitiMostrati(dopo, viste), *progetto, mostrati);
    }
    if (!mostrati.forme.empty() || !mostrati.anelli.empty()) {
        // The survey and what was judged, fiducial points far off included.
        const cad::Finestra a = cad::EstensioneRilievo(eng), b = cad::EstensioneDi(mostrati);
        opzioni.finestra = {std::min(a.xMin, b.xMin), std::min(a.yMin, b.yMin), std::max(a.xMax, b.xMax),
                            std::max(a.yMax, b.yMax)};
        opzioni.aiMargini = true;
        opzioni.sopra = &mostrati;
    } else if (giudizio) {
        opzioni.finestra = cad::Estensione(eng);
        opzioni.sopra = &giudizio->sopra;
    } else {
        // As `disegno` frames it: the survey proper, far points at the edges.
        opzioni.finestra = cad::EstensioneRilievo(eng);
        opzioni.aiMargini = true;
    }
    return cad::FiguraSvg(eng, disegno, opzioni);
}

int Servi(const std::filesystem::path& cartella, int porta, LoadedModule& modulo, std::ostream& out,
          std::ostream& err) {
    ui::WebDriver driver;
    ui::Driver* precedente = ui::SetActiveDriver(&driver);
    SetSettingsWriteNotice([](const WString& testo) {
        CreateMessageBox(nullptr, testo, u"Impostazioni", MB_OK | MB_ICONERROR);
    });
    Sessione sessione;
    const std::string token = web::NuovoToken();

    // The HTTP server and what it brings along (OpenSSL, zlib, brotli) are loaded by this command only.
    std::string motivo;
    auto* const crea = FunzioneDi<parti::CreaServer>("serve", "PregeoServeServer", motivo);
    if (!crea) {
        err << "pregeo-host: " << motivo << "\n";
        ui::SetActiveDriver(precedente);
        return 1;
    }
    const std::unique_ptr<parti::ServerHttp> server(crea(web::kMaxBody, 5));
    const int bound = server->Lega("127.0.0.1", porta);
    if (bound <= 0) {
        err << "pregeo-host: la porta " << porta << " di 127.0.0.1 non è disponibile\n";
        ui::SetActiveDriver(precedente);
        return 2;
    }

    server->Prima([&](const parti::Domanda& req, parti::Risposta& res) {
        web::Richiesta r;
        const std::string t = req.Parametro("t");
        const std::string host = req.Intestazione("Host");
        const std::string origin = req.Intestazione("Origin");
        r.token = t;
        r.host = host;
        r.origin = origin;
        r.hasOrigin = req.HaIntestazione("Origin");
        if (web::Ammessa(r, token, bound) != 0) {
            Rifiuta(res, 403, "vietato");
            return true;
        }
        return false;
    });

    const auto stato = [&](const std::string& client) {
        json j = json::parse(driver.State());
        j["pilota"] = sessione.Pilota(client);
        j["progetto"] = cartella.filename().string().empty() ? cartella.parent_path().filename().string()
                                                             : cartella.filename().string();
        return j.dump(-1, ' ', false, json::error_handler_t::replace);
    };
    const auto rispondi = [&](parti::Risposta& res, const std::string& client) {
        Sicuro(res);
        res.Contenuto(stato(client), "application/json");
    };

    server->Get("/", [&](const parti::Domanda&, parti::Risposta& res) {
        Sicuro(res);
        res.Intestazione("Content-Security-Policy",
                         "default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; "
                         "img-src 'self' data:; connect-src 'self'; base-uri 'none'; form-action 'none'; "
                         "frame-ancestors 'none'");
        res.Contenuto(kPagina, "text/html; charset=utf-8");
    });
    // The drawing beside the tools; the state's "disegno" says when it changed.
    server->Get("/api/disegno", [&](const parti::Domanda&, parti::Risposta& res) {
        Sicuro(res);
        res.Contenuto(driver.Drawing(), "image/svg+xml; charset=utf-8");
    });
    // The booklet check, grouped as check --json groups it, each finding with what it names; the state's
    // "controllo" says when it changed.
    server->Get("/api/controllo", [&](const parti::Domanda&, parti::Risposta& res) {
        std::string doc;
        {
            std::lock_guard lock(sessione.m);
            doc = sessione.controllo;
        }
        Sicuro(res);
        res.Contenuto(doc, "application/json");
    });
    // The handover report, as `rapporto` writes it, to be saved by the browser.
    server->Get("/api/rapporto", [&](const parti::Domanda&, parti::Risposta& res) {
        std::future<std::string> pronto;
        {
            std::lock_guard lock(sessione.m);
            if (sessione.lavoro) {
                Rifiuta(res, 409, "un rapporto è già in preparazione");
                return;
            }
            if (sessione.inCorso || sessione.daAvviare) {
                Rifiuta(res, 409, "uno strumento è aperto: il rapporto si salva fra uno strumento e l'altro");
                return;
            }
            sessione.lavoro.emplace([cartella] {
                const auto progetto = Project::Load(cartella);
                return rapporto::Html(rapporto::Raccogli(*progetto));
            });
            pronto = sessione.lavoro->get_future();
        }
        sessione.cv.notify_all();
        if (pronto.wait_for(kAttesaRapporto) != std::future_status::ready) {
            Rifiuta(res, 503, "il rapporto non è pronto");
            return;
        }
        std::string html;
        try {
            html = pronto.get();
        } catch (const std::exception& e) {
            Rifiuta(res, 500, std::string("il rapporto non si può fare: ") + e.what());
            return;
        }
        Sicuro(res);
        res.Intestazione("Content-Disposition", "attachment; filename=\"rapporto.html\"");
        res.Contenuto(html, "text/html; charset=utf-8");
    });
    server->Get("/api/stato", [&](const parti::Domanda& req, parti::Risposta& res) {
        const std::string client = req.Parametro("c").substr(0, 64);
        if (req.HaParametro("dopo")) {
            std::uint64_t dopo = 0;
            try {
                dopo = std::stoull(req.Parametro("dopo"));
            } catch (const std::exception&) {
                Rifiuta(res, 400, "dopo non valido");
                return;
            }
            if (dopo == driver.Seq())
                driver.WaitAfter(dopo, kAttesaStato);
        }
        rispondi(res, client);
    });
    // The project's own folders, for a file or folder choice; nothing above the project.
    server->Get("/api/cartella", [&](const parti::Domanda& req, parti::Risposta& res) {
        const std::string sub = req.Parametro("sub");
        if (sub.size() > 1024) {
            Rifiuta(res, 400, "percorso troppo lungo");
            return;
        }
        Sicuro(res);
        res.Contenuto(driver.Folder(sub), "application/json");
    });
    server->Post("/api/azione", [&](const parti::Domanda& req, parti::Risposta& res) {
        const auto j = LeggiRichiesta(req, res);
        if (!j)
            return;
        const std::string& client = j->client;
        const std::string& azione = j->azione;
        if (!sessione.Pilota(client)) {
            Rifiuta(res, 409, "un'altra scheda sta usando gli strumenti: qui si può solo guardare");
            return;
        }
        const ui::WebAnswer a = driver.Submit(azione, kAttesaAzione);
        if (a.status != 200) {
            Rifiuta(res, a.status, a.why);
            return;
        }
        rispondi(res, client);
    });
    server->Post("/api/avvia", [&](const parti::Domanda& req, parti::Risposta& res) {
        const auto j = LeggiRichiesta(req, res);
        if (!j)
            return;
        const std::string& client = j->client;
        const std::string& nome = j->strumento;
        bool noto = false;
        for (const auto& e : ModuleExports())
            noto = noto || nome == e.name;
        if (!noto) {
            Rifiuta(res, 400, "strumento sconosciuto");
            return;
        }
        if (!sessione.Pilota(client)) {
            Rifiuta(res, 409, "un'altra scheda sta usando gli strumenti: qui si può solo guardare");
            return;
        }
        const std::uint64_t seq = driver.Seq();
        {
            std::lock_guard lock(sessione.m);
            if (sessione.inCorso || sessione.daAvviare) {
                Rifiuta(res, 409, "uno strumento è già aperto");
                return;
            }
            sessione.daAvviare = nome;
        }
        sessione.cv.notify_all();
        driver.WaitAfter(seq, kAttesaAzione);
        rispondi(res, client);
    });
    server->Post("/api/abbandona", [&](const parti::Domanda& req, parti::Risposta& res) {
        const auto j = LeggiRichiesta(req, res);
        if (!j)
            return;
        const std::string& client = j->client;
        if (!sessione.Pilota(client)) {
            Rifiuta(res, 409, "un'altra scheda sta usando gli strumenti: qui si può solo guardare");
            return;
        }
        const std::uint64_t seq = driver.Seq();
        driver.Abandon();
        driver.WaitAfter(seq, kAttesaAzione);
        rispondi(res, client);
    });
    for (const char* bmp : kImmagini) {
        const std::string nome = bmp;
        const std::string percorso = "/img/" + nome.substr(0, nome.size() - 4) + ".png";
        server->Get(percorso, [nome](const parti::Domanda& req, parti::Risposta& res) {
            CBitmap bitmap;
            if (!bitmap.LoadFromFile(FGetSpecialFolderPathAndSubDir(
                    CARTELLA_INSTALLAZIONE, u"Support\\" + WString::FromUtf8(nome)))) {
                Rifiuta(res, 404, "immagine mancante");
                return;
            }
            // The colour the image list shows as transparent, RRGGBB.
            std::optional<COLORREF> trasparente;
            const std::string t = req.Parametro("trasparente");
            if (t.size() == 6 && t.find_first_not_of("0123456789abcdef") == std::string::npos) {
                const unsigned long v = std::stoul(t, nullptr, 16);
                trasparente = static_cast<COLORREF>(((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16));
            }
            Sicuro(res);
            res.Contenuto(cad::BitmapPng(bitmap, trasparente), "image/png");
        });
    }

    // The server runs until the program is stopped from outside.
    std::thread([&] { server->Ascolta(); }).detach();
    out << "pregeo-host serve: apri nel browser http://127.0.0.1:" << bound << "/?t=" << token << "\n"
        << "(solo da questo computer; Ctrl-C per finire)\n"
        << std::flush;

    json esito = nullptr;
    std::string ultimo;
    for (;;) {
        // After every tool the drawing is the project's as it is now, with what the tool judged.
        driver.SetDrawing(DisegnoDelProgetto(cartella, ultimo, driver.DialogsShown()));
        std::string controllo = ControlloDelProgetto(cartella);
        std::uint64_t controlloN = 0;
        {
            std::lock_guard lock(sessione.m);
            sessione.controllo = std::move(controllo);
            controlloN = ++sessione.controlloN;
        }
        driver.Publish(
            json{{"modo", "strumenti"}, {"gruppi", Strumenti()}, {"esito", esito}, {"controllo", controlloN}}
                .dump());
        std::string nome;
        for (;;) {
            std::unique_lock lock(sessione.m);
            sessione.cv.wait(lock,
                             [&] { return sessione.daAvviare.has_value() || sessione.lavoro.has_value(); });
            if (sessione.lavoro) {
                std::packaged_task<std::string()> lavoro = std::move(*sessione.lavoro);
                sessione.lavoro.reset();
                lock.unlock();
                lavoro();
                continue;
            }
            nome = *sessione.daAvviare;
            sessione.daAvviare.reset();
            sessione.inCorso = true;
            break;
        }
        const ExportInfo* info = nullptr;
        for (const auto& e : ModuleExports())
            if (nome == e.name)
                info = &e;
        FARPROC proc = modulo.Resolve(info->name);
        std::vector<std::string> righe;
        std::ostringstream fine, errori;
        std::string trascrizione, script;
        // Each tool starts from the project as it is on disk, as a run of pregeo-host does.
        std::unique_ptr<Project> progetto;
        try {
            progetto = Project::Load(cartella);
        } catch (const ProjectError& e) {
            errori << "progetto non valido: " << e.what() << "\n";
        }
        if (!proc)
            errori << "il modulo non esporta " << info->name << "\n";
        if (progetto && proc) {
            // While a survey object is picked against the mesh, the views draw the mesh.
            std::optional<GiudizioMaglia> maglia;
            if (nome == "FPregeoTollOggRilievoDist") {
                std::string why;
                try {
                    maglia = GiudicaMaglia(*Project::Load(cartella), true, why);
                } catch (const ProjectError&) {
                }
            }
            cad::ImpostaSopraLeViste(maglia ? &maglia->sopra : nullptr);
            progetto->Activate();
            HostData dati(*progetto);
            driver.Begin(nome);
            const std::string prima = PrimaDelloStrumento(*info, *progetto);
            bool abbandonato = false;
            bool confermato = false;
            try {
                confermato = ChiamaExport(*info, proc, &dati);
            } catch (const ui::ScriptError& e) {
                abbandonato = true;
                errori << e.what() << "\n";
            }
            cad::ImpostaSopraLeViste(nullptr);
            if (!abbandonato)
                ConcludiStrumento(*info, confermato, *progetto, prima, cartella, fine, errori);
            trascrizione = driver.TranscriptText() + fine.str();
            script = driver.RecordedScript();
        }
        for (const auto& f : SettingsNotKept())
            errori << "le impostazioni non sono state salvate in " << f.string() << "\n";
        // The session is written down beside the project: the actions as a script that replays it, and
        // what the transcript said.
        std::string registrata;
        if (!script.empty() || !trascrizione.empty()) {
            std::error_code ec;
            const std::filesystem::path dir = cartella / "sessioni";
            std::filesystem::create_directories(dir, ec);
            const std::string base = Adesso() + "-" + nome;
            std::ofstream(dir / (base + ".script"), std::ios::binary) << script;
            std::ofstream(dir / (base + ".txt"), std::ios::binary) << trascrizione;
            registrata = "sessioni/" + base + ".script";
        }
        ultimo = nome;
        const std::string testo = fine.str();
        esito = json{{"strumento", nome},
                     {"salvato", testo.find("Progetto salvato.") != std::string::npos},
                     {"invariato", testo.find("Nessuna modifica") != std::string::npos},
                     {"righe", testo},
                     {"errori", errori.str()},
                     {"sessione", registrata}};
        out << nome << ": " << (testo.empty() ? std::string("nulla è cambiato\n") : testo) << errori.str()
            << std::flush;
        std::lock_guard lock(sessione.m);
        sessione.inCorso = false;
    }
}

} // namespace host
