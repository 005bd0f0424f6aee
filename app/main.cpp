// pregeo-host: loads a project and the module, and runs one of the module's exports on it.
#include "app/Check.h"
#include "app/Demo.h"
#include "app/Esporta.h"
#include "app/Maglia.h"
#include "app/Rapporto.h"
#include "app/Serve.h"
#include "app/Strumento.h"
#include "host/cad/Figura.h"
#include "host/core/HostContext.h"
#include "host/core/Limits.h"
#include "host/core/ModuleHost.h"
#include "host/core/Windows.h"
#include "host/export/Esporta.h"
#include "host/project/Project.h"
#include "host/project/Storia.h"
#include "host/ui/Driver.h"
#include "hostapi/CarviloDati.h"
#include "hostapi/Conversions.h"
#include "hostapi/Dialog.h"
#include "hostapi/Settings.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

class CWnd;

namespace {

const char* kUsage =
    "uso: pregeo-host --project CARTELLA [--module FILE] [--script FILE]\n"
    "                   [--setting SEZIONE/CHIAVE=VALORE ...] [--verbose] COMANDO\n"
    "     pregeo-host [--project CARTELLA] check [--json] [CARTELLA...]\n"
    "     pregeo-host --project CARTELLA serve [--port N]\n"
    "COMANDO: exports | demo | riscrivi | storia | ripristina N | check [--json] [CARTELLA...] |\n"
    "         disegno FILE.svg|FILE.png | maglia FILE.svg|FILE.png | rapporto FILE.html |\n"
    "         esporta [--sovrascrivi] FILE.dxf|FILE.gpkg|FILE.geojson |\n"
    "         il nome di un export del modulo (FPregeoEditRiga0, ...)\n"
    "pregeo-host --help spiega comandi e strumenti.\n";

// The page a person gets with --help: how to start, the commands, the sixteen tools.
void StampaAiuto(std::ostream& out) {
    out << "pregeo-host: prova sul computer il modulo Pregeo del palmare, sul progetto di una cartella.\n\n"
        << "uso: pregeo-host --project CARTELLA [opzioni] COMANDO\n"
           "     pregeo-host [--project CARTELLA] check [--json] [CARTELLA...]\n\n"
           "Opzioni:\n"
           "  --project CARTELLA   la cartella del progetto (progetto.json, impostazioni.ini, Support/, "
           "lavori/)\n"
           "  --script FILE        esegue i comandi scritti nel file invece di chiederli al terminale\n"
           "  --setting SEZ/CHIAVE=VALORE  un'impostazione valida solo per questa volta (il file non "
           "cambia)\n"
           "  --module FILE        un altro modulo al posto di libpregeo.so accanto al programma\n"
           "  --verbose            con demo: i dettagli per lo sviluppatore\n"
           "  --help               questa pagina\n\n"
           "Comandi:\n"
           "  demo                 che cosa fa ogni strumento, un riassunto del libretto e il suo controllo\n"
           "  check [--json]       controlla il libretto e ne elenca errori e avvertimenti\n"
           "  disegno FILE         disegna il rilievo in un file .svg o .png\n"
           "  maglia FILE          disegna la maglia dei punti fiduciali con stazioni e particelle "
           "giudicate\n"
           "  rapporto FILE.html   il rapporto da consegnare: intestazione, disegno, controllo e verifiche "
           "di tolleranza\n"
           "  esporta FILE         scrive il rilievo per CAD e GIS in un file .dxf, .gpkg o .geojson;\n"
           "                       --sovrascrivi sostituisce un file che esiste già\n"
           "  exports              gli strumenti che il modulo mette a disposizione\n"
           "  riscrivi             riscrive progetto.json nella sua forma ordinata\n"
           "  serve [--port N]     gli strumenti nel browser: scrive l'indirizzo da aprire\n"
           "  storia               le versioni precedenti del progetto conservate in storia/, e che cosa "
           "ha cambiato ognuna\n"
           "  ripristina N         riporta la versione N, dopo aver conservato quella attuale\n"
           "  STRUMENTO            apre uno dei sedici strumenti sul progetto:\n";
    for (const auto& e : host::ModuleExports())
        out << "    " << e.name << std::string(28 - std::min<std::size_t>(27, std::strlen(e.name)), ' ')
            << host::ACosaServe(e.name) << "\n";
    out << "\nUno strumento aperto senza --script parte in modo interattivo: il terminale mostra la finestra "
           "e\n"
           "aspetta i comandi (click [OK], type [Protocollo] 123, ...); help li elenca, Tab li completa, la\n"
           "freccia su richiama i precedenti, quit rinuncia senza salvare. Con --script FILE gli stessi "
           "comandi\n"
           "si leggono dal file, uno per riga.\n"
           "La guida per il tecnico è docs/guida.md.\n";
}

struct Options {
    std::filesystem::path project;
    std::string module;
    std::optional<std::filesystem::path> script;
    std::string command;
    // check: the folders after the command, checked after --project's.
    std::vector<std::filesystem::path> cartelle;
    std::vector<std::string> args; // disegno, maglia, esporta: what follows the command
    bool json = false;
    bool aiuto = false;
    bool dettagli = false;    // demo --verbose
    bool sovrascrivi = false; // esporta
    std::vector<std::string> settings;
    int porta = 0; // serve: 0 for any free port
};

bool RapportoHtml(const std::filesystem::path& file) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".html" || ext == ".htm";
}

bool ParseOptions(int argc, char** argv, Options& opt, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const char* name) -> const char* {
            if (i + 1 >= argc) {
                error = std::string("manca il valore di ") + name;
                return nullptr;
            }
            return argv[++i];
        };
        if (arg == "--project") {
            const char* v = value("--project");
            if (!v)
                return false;
            opt.project = v;
        } else if (arg == "--module") {
            const char* v = value("--module");
            if (!v)
                return false;
            opt.module = v;
        } else if (arg == "--script") {
            const char* v = value("--script");
            if (!v)
                return false;
            opt.script = v;
        } else if (arg == "--setting") {
            const char* v = value("--setting");
            if (!v)
                return false;
            const std::string text = v;
            const auto slash = text.find('/');
            const auto eq = text.find('=');
            if (slash == std::string::npos || slash == 0 || eq == std::string::npos || eq < slash + 2) {
                error = "impostazione non valida (SEZIONE/CHIAVE=VALORE): " + text;
                return false;
            }
            opt.settings.push_back(text);
        } else if (arg == "--port") {
            const char* v = value("--port");
            if (!v)
                return false;
            char* end = nullptr;
            const long n = std::strtol(v, &end, 10);
            if (*v == '\0' || *end != '\0' || n < 1 || n > 65535) {
                error = std::string("porta non valida: ") + v;
                return false;
            }
            opt.porta = static_cast<int>(n);
        } else if (arg == "--json") {
            opt.json = true;
        } else if (arg == "-h" || arg == "--help") {
            opt.aiuto = true;
        } else if (arg == "--sovrascrivi") {
            opt.sovrascrivi = true;
        } else if (arg == "--verbose") {
            opt.dettagli = true;
        } else if (!arg.empty() && arg[0] == '-') {
            error = "opzione sconosciuta: " + arg;
            return false;
        } else if (opt.command.empty()) {
            opt.command = arg;
        } else if (opt.command == "check") {
            opt.cartelle.push_back(arg);
        } else {
            opt.args.push_back(arg);
        }
    }
    if (opt.aiuto)
        return true;
    const bool figura = opt.command == "disegno" || opt.command == "maglia";
    if (opt.command == "check" && !opt.project.empty())
        opt.cartelle.insert(opt.cartelle.begin(), opt.project);
    if (opt.command == "check" ? opt.cartelle.empty() : opt.project.empty())
        error = "manca --project";
    else if (opt.command.empty())
        error = "manca il comando";
    else if (opt.command == "ripristina" && opt.args.size() != 1)
        error =
            "ripristina vuole il numero di una versione (pregeo-host --project CARTELLA storia le elenca)";
    else if (figura && opt.args.size() != 1)
        error = opt.command + " vuole un file .svg o .png";
    else if (opt.command == "rapporto" && (opt.args.size() != 1 || !RapportoHtml(opt.args.front())))
        error = "rapporto vuole un file .html";
    else if (opt.command == "esporta" &&
             (opt.args.size() != 1 ||
              host::esporta::FormatoDi(opt.args.front()) == host::esporta::Formato::Sconosciuto))
        error = "esporta vuole un file .dxf, .gpkg o .geojson";
    else if (opt.command != "esporta" && opt.command != "ripristina" && opt.command != "rapporto" &&
             !figura && !opt.args.empty())
        error = "un solo comando per volta: " + opt.args.front();
    else if (figura && host::cad::FormatoFigura(opt.args.front()).empty())
        error = "il disegno si scrive in un file .svg o .png: " + opt.args.front();
    return error.empty();
}

// The module sits beside the program unless --module says otherwise.
std::string DefaultModulePath() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("libpregeo.so") : (self.parent_path() / "libpregeo.so").string();
}

std::string Testo(const WString& s) {
    return s.IsEmpty() ? std::string("-") : host::ui::Printable(s.ToUtf8());
}

void PrintSummary(const host::Project& p) {
    const CCts& c = p.cts;
    std::cout << "Libretto: " << (p.nome.empty() ? "(senza nome)" : host::ui::Printable(p.nome)) << "\n";
    std::cout << "  Versione Pregeo " << c.GetVerPregeo() << ", tipo "
              << (c.m_TipoLibretto == 1 ? "modesta entità" : "standard") << "\n";
    std::cout << "  Comune " << Testo(c.GetCdCm()) << " (" << Testo(c.GetProvCm()) << "), foglio "
              << Testo(c.GetFogl()) << ", mappale " << Testo(c.GetMapp()) << ", protocollo "
              << Testo(c.GetProt()) << "\n";
    std::cout << "  Data " << Testo(c.GetGior()) << "/" << Testo(c.GetMese()) << "/" << Testo(c.GetAnno())
              << ", tecnico " << Testo(c.GetTcnN()) << " " << Testo(c.GetTcnC()) << " (" << Testo(c.GetQual())
              << ")\n";
    std::cout << "  Righe 3: " << c.m_Righe3.GetRigArSize() << ", righe 4/5: " << c.m_Righe45.GetRigArSize()
              << ", righe 7: " << c.m_Righe7.GetRigArSize() << ", riga 9: tipo aggiornamento "
              << Testo(c.GetRiga9()->GetLblNome2()) << "\n";
    int fiduciali = 0;
    for (int i = 0; i < p.cmp.GetOriArSize(); ++i)
        if (p.cmp.GetOriAt(i)->GetTipoPunto() == TIPO_PUNTO_FIDUCIALE)
            ++fiduciali;
    int stazioni = 0, osservazioni = 0;
    for (int j = 0; j < p.cmp.GetJobArSize(); ++j) {
        stazioni += p.cmp.GetStaArSize(j);
        for (int s = 0; s < p.cmp.GetStaArSize(j); ++s)
            osservazioni += p.cmp.GetPunArSize(j, s);
    }
    int puntiGps = 0;
    for (int g = 0; g < p.gps.GetGrpArSize(); ++g)
        puntiGps += p.gps.GetPunArSize(g);
    std::cout << "  Punti di orientamento: " << p.cmp.GetOriArSize() << " (fiduciali " << fiduciali << ")\n";
    std::cout << "  Celerimensura: " << p.cmp.GetJobArSize() << " lavori, " << stazioni << " stazioni, "
              << osservazioni << " osservazioni\n";
    std::cout << "  GPS: " << p.gps.GetGrpArSize() << " gruppi, " << puntiGps << " punti\n";
    std::cout << "  Distanze dell'estratto di mappa: " << c.m_EstrMap.GetDistanzaArSize() << "\n";
}

// The picture of the survey as a CAD view opens on it.
int StampaDisegno(host::Project& project, const std::filesystem::path& file) {
    CGcadEng eng;
    host::HostData dati(project);
    const host::cad::DisegnoRilievo disegno = host::cad::DisegnaRilievo(eng, host::cad::DatiDi(&dati));
    host::cad::OpzioniFigura opzioni;
    opzioni.finestra = host::cad::EstensioneRilievo(eng);
    opzioni.aiMargini = true;
    std::string error;
    if (!host::cad::ScriviFigura(eng, disegno, opzioni, file, error)) {
        std::cerr << "pregeo-host: " << error << "\n";
        return 1;
    }
    std::cout << "Disegno: " << file.string() << " (" << disegno.punti << " punti, " << disegno.righe7.size()
              << " righe 7)\n";
    for (const auto& r : disegno.righe7)
        if (r.entita.empty())
            std::cout << "  riga 7 n. " << r.numero << " non disegnata: " << r.nonDisegnata << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // A save past the file size limit fails with its reason, the old file kept, instead of killing the
    // program without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    host::SetInputNotice(
        [](const std::string& text) { std::cerr << "pregeo-host: " << host::ui::Printable(text) << "\n"; });
    Options opt;
    std::string error;
    if (!ParseOptions(argc, argv, opt, error)) {
        if (!error.empty())
            std::cerr << "pregeo-host: " << host::ui::Printable(error) << "\n";
        std::cerr << kUsage;
        return 2;
    }
    if (opt.aiuto) {
        StampaAiuto(std::cout);
        return 0;
    }

    // The host shows the checker's list itself: the module is not needed for it.
    if (opt.command == "check")
        return host::ControllaCartelle(opt.cartelle, opt.json, std::cout, std::cerr);

    // The history is read without loading the project: a damaged one can be brought back.
    if (opt.command == "storia")
        return host::StampaStoria(opt.project, std::cout, std::cerr);
    if (opt.command == "ripristina")
        return host::Ripristina(opt.project, opt.args.front(), std::cout, std::cerr);

    std::unique_ptr<host::Project> project;
    try {
        project = host::Project::Load(opt.project);
    } catch (const host::ProjectError& e) {
        std::cerr << "pregeo-host: progetto non valido: " << host::ui::Printable(e.what()) << "\n";
        return 2;
    }
    project->Activate();
    // Settings given here hold for this run only; the settings file is not written.
    for (const std::string& s : opt.settings) {
        const auto slash = s.find('/');
        const auto eq = s.find('=');
        host::SetSettingOverride(WString::FromUtf8(s.substr(0, slash)),
                                 WString::FromUtf8(s.substr(slash + 1, eq - slash - 1)),
                                 WString::FromUtf8(s.substr(eq + 1)));
    }

    // The host draws the survey itself: the module is not needed for it.
    if (opt.command == "disegno")
        return StampaDisegno(*project, opt.args.front());
    // The station tool's own code, linked into the program, decides the mesh and the findings; the module
    // is not loaded.
    if (opt.command == "maglia")
        return host::StampaMaglia(*project, opt.args.front(), std::cout, std::cerr);
    if (opt.command == "rapporto")
        return host::rapporto::ScriviRapporto(*project, opt.args.front(), std::cout, std::cerr);
    if (opt.command == "esporta")
        return host::StampaEsportazione(*project, opt.args.front(), opt.sovrascrivi, std::cout, std::cerr);

    // The host's start window: the module signals it while loading.
    std::vector<std::string> avvio;
    HWND startWindow =
        host::CreateTopLevelWindow(u"ValmenoFieldStart", [&](UINT msg, WPARAM w, LPARAM l) -> LRESULT {
            avvio.push_back("messaggio " + std::to_string(msg) + " (wParam " + std::to_string(w) +
                            ", lParam " + std::to_string(l) + ")");
            return 0;
        });

    host::LoadedModule module;
    const std::string modulePath = opt.module.empty() ? DefaultModulePath() : opt.module;
    if (!module.Load(modulePath, error)) {
        std::cerr << "pregeo-host: il modulo non si carica: " << host::ui::Printable(error) << "\n";
        return 2;
    }

    // The tools in a browser, until the program is stopped.
    if (opt.command == "serve")
        return host::Servi(opt.project, opt.porta, module, std::cout, std::cerr);

    if (opt.command == "riscrivi") {
        // Rewrites the project file in the host's own form, as every save does.
        if (!project->Save(&error, opt.command)) {
            std::cerr << "pregeo-host: il progetto non si può salvare in "
                      << host::ui::Printable(opt.project.string()) << ": " << host::ui::Printable(error)
                      << "\n";
            return 1;
        }
        return 0;
    }

    // A surveyor reads what each tool is for and what it opens; --verbose adds what a developer checks.
    const bool perIlTecnico = opt.command == "demo" && !opt.dettagli;
    if (perIlTecnico) {
        std::cout << "Gli strumenti del modulo, provati uno per uno su una copia del progetto:\n";
        int pronti = 0;
        for (const auto& e : host::ModuleExports()) {
            const FARPROC proc = module.Resolve(e.name);
            pronti += proc ? 1 : 0;
            std::cout << "  " << e.name
                      << std::string(28 - std::min<std::size_t>(27, std::strlen(e.name)), ' ')
                      << host::ACosaServe(e.name) << "\n"
                      << std::string(30, ' ')
                      << (proc ? host::DescriviExport(e, proc, opt.project, false)
                               : std::string("non disponibile in questo modulo"))
                      << "\n";
        }
        std::cout << "Strumenti disponibili: " << pronti << " di " << host::ModuleExports().size() << "\n\n";
        PrintSummary(*project);
        std::cout << "\n";
        host::StampaControllo(*project, false, std::cout);
        host::DestroyTopLevelWindow(startWindow);
        return pronti == static_cast<int>(host::ModuleExports().size()) ? 0 : 1;
    }
    if (opt.command == "exports" || opt.command == "demo") {
        int risolte = 0;
        for (const auto& e : host::ModuleExports()) {
            const FARPROC proc = module.Resolve(e.name);
            risolte += proc ? 1 : 0;
            std::cout << (proc ? "  risolto   " : "  MANCANTE  ") << e.name;
            if (proc && opt.command == "demo")
                std::cout << std::string(28 - std::min<std::size_t>(27, std::strlen(e.name)), ' ')
                          << host::DescriviExport(e, proc, opt.project);
            std::cout << "\n";
        }
        std::cout << "Export risolti: " << risolte << " di " << host::ModuleExports().size() << "\n";
        if (opt.command == "demo") {
            std::cout << "Finestra di avvio \"ValmenoFieldStart\": "
                      << (avvio.empty() ? std::string("nessun messaggio") : avvio.front()) << "\n";
            PrintSummary(*project);
            std::cout << "\n";
            host::StampaControllo(*project, false, std::cout);
        }
        host::DestroyTopLevelWindow(startWindow);
        return risolte == static_cast<int>(host::ModuleExports().size()) ? 0 : 1;
    }

    const host::ExportInfo* info = nullptr;
    for (const auto& e : host::ModuleExports())
        if (opt.command == e.name)
            info = &e;
    // Another export of a module given with --module (a test module's) runs as the tools do.
    const host::ExportInfo altro{opt.command.c_str(), host::ExportKind::Tool};
    if (!info && !opt.module.empty() && module.Resolve(opt.command.c_str()))
        info = &altro;
    if (!info) {
        std::cerr << "pregeo-host: comando sconosciuto: " << host::ui::Printable(opt.command) << "\n"
                  << kUsage;
        return 2;
    }
    FARPROC proc = module.Resolve(info->name);
    if (!proc) {
        std::cerr << "pregeo-host: il modulo non esporta " << info->name << "\n";
        return 2;
    }

    // UI driver: installed here, before the export runs.
    if (!host::ui::InstallDriver(opt.script, std::cout, error)) {
        std::cerr << "pregeo-host: " << host::ui::Printable(error) << "\n";
        return 2;
    }
    // A settings write that fails is told as the host tells its other failures.
    host::SetSettingsWriteNotice([](const WString& testo) {
        CreateMessageBox(nullptr, testo, u"Impostazioni", MB_OK | MB_ICONERROR);
    });
    host::HostData dati(*project);
    const std::string primaDelTool = host::PrimaDelloStrumento(*info, *project);
    bool confermato = false;
    try {
        confermato = host::ChiamaExport(*info, proc, &dati);
    } catch (const host::ui::ScriptError& e) {
        // The user's actions did not fit: nothing is saved.
        std::cerr << "pregeo-host: " << host::ui::Printable(e.what()) << "\n";
        host::ui::FinishDriver(error);
        return 1;
    }
    // UI driver: finished here; a script with actions left over is an error.
    if (!host::ui::FinishDriver(error)) {
        std::cerr << "pregeo-host: " << host::ui::Printable(error) << "\n";
        return 1;
    }
    if (host::ConcludiStrumento(*info, confermato, *project, primaDelTool, opt.project, std::cout,
                                std::cerr) != 0)
        return 1;
    host::DestroyTopLevelWindow(startWindow);
    const std::vector<std::filesystem::path> perse = host::SettingsNotKept();
    for (const std::filesystem::path& file : perse)
        std::cerr << "pregeo-host: le impostazioni non sono state salvate in "
                  << host::ui::Printable(file.string()) << "\n";
    if (!perse.empty())
        return 1;
    return 0;
}
