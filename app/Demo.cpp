#include "app/Demo.h"

#include "host/project/Project.h"
#include "host/ui/Driver.h"
#include "host/ui/Window.h"

#include <memory>

class CWnd;

namespace host {

namespace {

// Plays a user who looks at the first dialog or message and walks away.
class Osservatore : private ui::TranscriptBuffer, public ui::Driver {
public:
    Osservatore() : ui::Driver(m_Text), m_Precedente(ui::SetActiveDriver(this)) {}
    ~Osservatore() override { ui::SetActiveDriver(m_Precedente); }
    Osservatore(const Osservatore&) = delete;
    Osservatore& operator=(const Osservatore&) = delete;

    struct Visto {};
    std::string visto;
    std::string perLUtente;

protected:
    std::optional<ui::Action> Next(const ui::Prompt& prompt) override {
        visto = prompt.Describe();
        switch (prompt.kind) {
        case ui::Prompt::Kind::Dialog:
            perLUtente = prompt.dialog
                             ? "apre la finestra \"" + ui::Printable(prompt.dialog->text.ToUtf8()) + "\""
                             : "apre una finestra";
            break;
        case ui::Prompt::Kind::MessageBox:
            perLUtente = "mostra il messaggio \"" + ui::Printable(prompt.text.ToUtf8()) + "\"";
            break;
        case ui::Prompt::Kind::File:
            perLUtente = "chiede di scegliere un file";
            break;
        case ui::Prompt::Kind::Folder:
            perLUtente = "chiede di scegliere una cartella";
            break;
        }
        throw Visto{};
    }
    void Refuse(const ui::Action&, const ui::Prompt&, const std::string&) override {}
    [[noreturn]] void RanOut(const ui::Prompt&) override { throw Visto{}; }

private:
    ui::Driver* m_Precedente;
};

} // namespace

bool ChiamaExport(const ExportInfo& info, FARPROC proc, ICarviloDati* dati) {
    switch (info.kind) {
    case ExportKind::Editor:
        return reinterpret_cast<bool (*)(CWnd*, ICarviloDati*)>(proc)(nullptr, dati);
    case ExportKind::Tool:
        reinterpret_cast<void (*)(CWnd*, ICarviloDati*)>(proc)(nullptr, dati);
        return false;
    case ExportKind::ToolWithWord:
        reinterpret_cast<void (*)(CWnd*, ICarviloDati*, WPARAM)>(proc)(nullptr, dati, 0);
        return false;
    }
    return false;
}

std::string DescriviExport(const ExportInfo& info, FARPROC proc, const std::filesystem::path& dir,
                           bool dettagli) {
    std::unique_ptr<Project> copia;
    try {
        copia = Project::Load(dir);
    } catch (const ProjectError&) {
        return "(progetto non leggibile)";
    }
    copia->Activate();
    HostData dati(*copia);
    std::string fa;
    {
        Osservatore utente;
        try {
            const bool confermato = ChiamaExport(info, proc, &dati);
            fa = dettagli ? "non mostra nulla" : "termina senza mostrare nulla";
            if (info.kind == ExportKind::Editor && dettagli)
                fa += confermato ? ", risponde true" : ", risponde false";
        } catch (const Osservatore::Visto&) {
            fa = dettagli ? "mostra " + utente.visto : utente.perLUtente;
        }
    }
    if (!dettagli)
        return fa;
    std::string chiede;
    for (const std::string& c : dati.Chiamate())
        chiede += (chiede.empty() ? "" : ", ") + c;
    return fa + (chiede.empty() ? " (non chiede dati)" : " (chiede " + chiede + ")");
}

const char* ACosaServe(std::string_view exportName) {
    static constexpr struct {
        const char* nome;
        const char* testo;
    } kStrumenti[] = {
        {"FPregeoEditRiga0", "Riga 0: intestazione del libretto (archivio e tecnico)"},
        {"FPregeoEditRiga3", "Righe 3: poligoni, con i loro vertici"},
        {"FPregeoEditRiga4And5", "Righe 4 e 5: allineamenti e punti rilevati sugli allineamenti"},
        {"FPregeoEditRiga7", "Righe 7: particelle (poligoni o punti isolati)"},
        {"FPregeoEditRiga8", "Righe 8: punti fiduciali e punti noti del rilievo"},
        {"FPregeoEditRiga9",
         "Riga 9: chiusura del libretto (quota, Est media, precisioni, tipo di aggiornamento)"},
        {"FPregeoImportRighe8", "importa punti fiduciali da file TAF/OUT o da internet nelle righe 8"},
        {"FPregeoImportPFNear", "posizione e raggio per il pulsante \"PF vicini\" dell'importazione"},
        {"FPregeoImportDistanze", "distanze d'archivio fra punti fiduciali: elenco e importazione"},
        {"FPregeoTollDistanze", "verifica delle distanze misurate fra punti fiduciali"},
        {"FPregeoTollAllineamenti", "tolleranza degli allineamenti (prolungamento e squadro)"},
        {"FPregeoTollStazOutTriang", "stazioni fuori dalla maglia dei punti fiduciali"},
        {"FPregeoTollDistStazioni", "distanze fra stazioni misurate dai due estremi"},
        {"FPregeoTollSuperfici", "tolleranza della superficie di una particella (riga 7)"},
        {"FPregeoTollOggRilievoDist", "oggetto del rilievo: tolleranza delle distanze dalla maglia"},
        {"FPregeoTollOggRilievoSup", "oggetto del rilievo: particelle fuori dalla maglia"},
    };
    for (const auto& s : kStrumenti)
        if (exportName == s.nome)
            return s.testo;
    return "";
}

} // namespace host
