// What the drivers share: the command language, the dialog a driver plays, message boxes, file and
// folder choices, and which driver is active.
#include "host/ui/Driver.h"

#include "host/core/HostContext.h"
#include "host/core/Limits.h"
#include "host/ui/DriverParts.h"
#include "host/ui/Window.h"
#include "hostapi/Internet.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <system_error>
#include <unistd.h>

namespace host::ui::detail {

// ---------------------------------------------------------------------------------------------------
// The command language

const char* VerbText(Action::Verb verb) {
    for (const auto& v : kVerbs)
        if (v.verb == verb)
            return v.name;
    for (const auto& v : kVerbiCad)
        if (v.verb == verb)
            return v.name;
    return "?";
}

std::string_view TrimView(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

std::string_view TakeWord(std::string_view& s) {
    s = TrimView(s);
    std::size_t n = 0;
    while (n < s.size() && !std::isspace(static_cast<unsigned char>(s[n])))
        ++n;
    std::string_view word = s.substr(0, n);
    s.remove_prefix(n);
    return word;
}

bool ParseInt(std::string_view word, int& value) {
    if (word.empty() || word.size() > 9)
        return false;
    int v = 0;
    for (char c : word) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    value = v;
    return true;
}

// Strict UTF-8: no overlong forms, no encoded surrogates, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t need = 0;
        char32_t cp = 0, least = 0;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            need = 1, cp = b & 0x1F, least = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            need = 2, cp = b & 0x0F, least = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            need = 3, cp = b & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (i + need >= s.size())
            return false;
        for (std::size_t k = 1; k <= need; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += need + 1;
    }
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The rest of a line as a text: in double quotes with escapes, or as written, blanks trimmed.
bool ParseText(std::string_view s, WString& text, std::string& error) {
    s = TrimView(s);
    if (s.empty() || s.front() != '"') {
        text = WString::FromUtf8(s);
        return true;
    }
    std::u16string out;
    std::size_t i = 1;
    std::size_t plain = i;
    const auto flush = [&](std::size_t end) {
        out += WString::FromUtf8(s.substr(plain, end - plain)).view();
    };
    for (; i < s.size() && s[i] != '"'; ++i) {
        if (s[i] != '\\')
            continue;
        flush(i);
        if (++i == s.size())
            break;
        switch (s[i]) {
        case 'n':
            out += u'\n';
            break;
        case 'r':
            out += u'\r';
            break;
        case 't':
            out += u'\t';
            break;
        case '"':
        case '\\':
            out += static_cast<char16_t>(s[i]);
            break;
        case 'u': {
            unsigned v = 0;
            bool hex = i + 4 < s.size();
            for (std::size_t k = 1; hex && k <= 4; ++k) {
                const int d = HexDigit(s[i + k]);
                hex = d >= 0;
                v = v * 16 + static_cast<unsigned>(d);
            }
            if (!hex || v == 0 || (v >= 0xD800 && v <= 0xDFFF)) {
                error = "\\u vuole quattro cifre esadecimali di un carattere che non sia NUL né un surrogato";
                return false;
            }
            out += static_cast<char16_t>(v);
            i += 4;
            break;
        }
        default:
            error = std::string("sequenza sconosciuta \\") + s[i] +
                    " (le sequenze sono \\n \\r \\t \\\" \\\\ \\uXXXX)";
            return false;
        }
        plain = i + 1;
    }
    if (i >= s.size()) {
        error = "il testo non ha le virgolette di chiusura";
        return false;
    }
    flush(i);
    if (!TrimView(s.substr(i + 1)).empty()) {
        error = "parole in più dopo il testo tra virgolette";
        return false;
    }
    text = WString(std::move(out));
    return true;
}

// A control: its id, or its own text in brackets.
bool ParseControl(std::string_view& s, Action& a, std::string& error) {
    s = TrimView(s);
    if (!s.empty() && s.front() == '[') {
        const std::size_t close = s.find(']');
        if (close == std::string_view::npos) {
            error = "l'etichetta non ha la ] di chiusura";
            return false;
        }
        a.label = WString::FromUtf8(s.substr(1, close - 1));
        s.remove_prefix(close + 1);
        return true;
    }
    const std::string_view word = TakeWord(s);
    int id = 0;
    if (!ParseInt(word, id) || id == 0) {
        error = word.empty() ? "manca il numero del controllo"
                             : "\"" + std::string(word) + "\" non è il numero di un controllo";
        return false;
    }
    a.id = static_cast<UINT>(id);
    return true;
}

bool ParseIndexOrText(std::string_view s, Action& a, std::string& error) {
    s = TrimView(s);
    if (!s.empty() && s.front() == '#') {
        std::string_view rest = s.substr(1);
        if (!ParseInt(TrimView(rest), a.index)) {
            error = "\"" + std::string(s) + "\" non è il numero di una voce";
            return false;
        }
        return true;
    }
    if (s.empty()) {
        error = "manca la voce (#numero o testo)";
        return false;
    }
    return ParseText(s, a.text, error);
}

std::string ControlRef(const Action& a) {
    if (a.id != 0)
        return std::to_string(a.id);
    return "[" + a.label.ToUtf8() + "]";
}

std::string ResultText(int result) {
    if (result == IDOK)
        return "1 (OK)";
    if (result == IDCANCEL)
        return "2 (Cancel)";
    return std::to_string(result);
}

std::string IconText(UINT style) {
    switch (style & 0xF0) {
    case MB_ICONERROR:
        return "error";
    case MB_ICONQUESTION:
        return "question";
    case MB_ICONEXCLAMATION:
        return "exclamation";
    case MB_ICONINFORMATION:
        return "information";
    default:
        return "no icon";
    }
}

// The answers a message box offers.
std::vector<Action::Verb> Answers(UINT style) {
    switch (style & 0x0F) {
    case MB_OKCANCEL:
        return {Action::Verb::Ok, Action::Verb::Cancel};
    case MB_YESNOCANCEL:
        return {Action::Verb::Yes, Action::Verb::No, Action::Verb::Cancel};
    case MB_YESNO:
        return {Action::Verb::Yes, Action::Verb::No};
    default:
        return {Action::Verb::Ok};
    }
}

std::string AnswerList(UINT style) {
    std::string out;
    for (auto v : Answers(style))
        out += (out.empty() ? "" : ", ") + std::string(VerbText(v));
    return out;
}

int AnswerId(Action::Verb verb) {
    switch (verb) {
    case Action::Verb::Yes:
        return IDYES;
    case Action::Verb::No:
        return IDNO;
    case Action::Verb::Cancel:
        return IDCANCEL;
    default:
        return IDOK;
    }
}

bool IsAnswer(Action::Verb v) {
    return v == Action::Verb::Ok || v == Action::Verb::Yes || v == Action::Verb::No ||
           v == Action::Verb::Cancel || v == Action::Verb::File || v == Action::Verb::Folder;
}

// ---------------------------------------------------------------------------------------------------
// Finding the control an action names

bool Contains(const UiWindow& root, const UiWindow* w) {
    if (&root == w)
        return true;
    for (const auto& c : root.children)
        if (Contains(*c, w))
            return true;
    return false;
}

// A label as a person reads it: no '&' marks, no trailing colon, blanks and case aside.
WString LabelKey(const WString& label) {
    WString text = label;
    text.Remove(u'&');
    text.Trim();
    if (!text.IsEmpty() && text.Right(1) == u":") {
        text = text.Left(text.GetLength() - 1);
        text.Trim();
    }
    text.MakeLower();
    return text;
}

bool LabelMatches(const UiWindow& c, const WString& label) {
    return !label.IsEmpty() && LabelKey(c.text) == LabelKey(label);
}

void Collect(UiWindow& dialog, const Action& a, std::vector<UiWindow*>& found) {
    for (const auto& c : dialog.children) {
        if (c->isDialog) {
            Collect(*c, a, found);
            continue;
        }
        if (a.id != 0 ? c->id == a.id : LabelMatches(*c, a.label))
            found.push_back(c.get());
    }
}

// A label names the input it labels: the control that follows it in its dialog or page, when the label
// itself takes no input and that control does.
bool TakesInput(ControlKind kind) {
    return kind != ControlKind::Static && kind != ControlKind::GroupBox && kind != ControlKind::Button;
}

UiWindow* LabelledInput(UiWindow* label) {
    if (label->kind != ControlKind::Static || label->custom || !label->parent)
        return label;
    const auto& siblings = label->parent->children;
    for (std::size_t i = 0; i + 1 < siblings.size(); ++i)
        if (siblings[i].get() == label) {
            UiWindow* next = siblings[i + 1].get();
            return !next->isDialog && !next->custom && TakesInput(next->kind) ? next : label;
        }
    return label;
}

// The control, preferring one the user can see; with why when the user cannot act on it. A label that
// names several controls the user can see is refused, listing them, rather than guessed.
UiWindow* Resolve(UiWindow& dialog, const Action& a, std::string& why, bool forShow = false) {
    std::vector<UiWindow*> found;
    Collect(dialog, a, found);
    if (a.id == 0)
        for (UiWindow*& c : found)
            c = LabelledInput(c);
    if (found.empty()) {
        why = "non c'è il controllo " + ControlRef(a);
        return nullptr;
    }
    std::vector<UiWindow*> shown;
    for (UiWindow* c : found)
        if (c->Shown() && std::find(shown.begin(), shown.end(), c) == shown.end())
            shown.push_back(c);
    if (a.id == 0 && shown.size() > 1) {
        why = ControlRef(a) + " indica più controlli:";
        for (UiWindow* c : shown)
            why += " " + std::to_string(c->id) + " " + Quote(c->text) + (c == shown.back() ? "" : ",");
        why += "; usa il numero";
        return nullptr;
    }
    if (!shown.empty()) {
        UiWindow* c = shown.front();
        if (!forShow && !c->enabled) {
            why = "il controllo " + std::to_string(c->id) + " è disattivato";
            return nullptr;
        }
        return c;
    }
    if (forShow)
        return found.front();
    why = "il controllo " + std::to_string(found.front()->id) + " è nascosto";
    return nullptr;
}

const char* NomeTipo(ControlKind kind) {
    switch (kind) {
    case ControlKind::Static:
        return "un testo";
    case ControlKind::GroupBox:
        return "un riquadro";
    case ControlKind::Button:
        return "un pulsante";
    case ControlKind::CheckBox:
        return "una casella di spunta";
    case ControlKind::Radio:
        return "un pulsante di opzione";
    case ControlKind::Edit:
        return "un campo di testo";
    case ControlKind::ComboList:
        return "una casella combinata";
    case ControlKind::ComboEdit:
        return "una casella combinata modificabile";
    case ControlKind::ListBox:
        return "un elenco";
    case ControlKind::Tab:
        return "una scheda";
    case ControlKind::Grid:
        return "una griglia";
    }
    return "un controllo";
}

std::string KindMismatch(const UiWindow& c, const char* wanted) {
    return "il controllo " + std::to_string(c.id) + " è " + NomeTipo(c.kind) + ", non " + wanted;
}

// The device has no working folder: a relative path starts from the install folder, the project's.
std::filesystem::path HostPath(const WString& typed) {
    std::filesystem::path p(typed.ToUtf8());
    if (p.is_relative() && !host::GetFolders().install.empty())
        p = host::GetFolders().install / p;
    return p;
}

// ---------------------------------------------------------------------------------------------------
// The active driver

Driver* g_active = nullptr;
std::unique_ptr<Driver> g_installed;

} // namespace host::ui::detail

namespace host::ui {

using namespace detail;

std::string Action::Canonical() const {
    std::string out = VerbText(verb);
    switch (verb) {
    case Verb::Type:
        return out + " " + ControlRef(*this) + " " + Quote(text);
    case Verb::Pick:
    case Verb::Tab:
        return out + " " + ControlRef(*this) + " " + (index >= 0 ? "#" + std::to_string(index) : Quote(text));
    case Verb::Tick:
    case Verb::Untick:
        out += " " + ControlRef(*this);
        if (row >= 0)
            out += " " + std::to_string(row);
        if (column >= 0)
            out += " " + std::to_string(column);
        return out;
    case Verb::Choose:
    case Verb::Click:
        return out + " " + ControlRef(*this);
    case Verb::Tap:
        return out + " " + ControlRef(*this) + " " + std::to_string(row) + " " + std::to_string(column);
    case Verb::Edit:
        return out + " " + ControlRef(*this) + " " + std::to_string(row) + " " + std::to_string(column) +
               " " + Quote(text);
    case Verb::File:
    case Verb::Folder:
        return out + " " + Quote(text);
    case Verb::Show:
        return id != 0 || !label.IsEmpty() ? out + " " + ControlRef(*this) : out;
    case Verb::Point:
        if (index >= 0)
            return out + " #" + std::to_string(index);
        if (row >= 0)
            return out + " row " + std::to_string(row);
        return out + " " + Quote(text);
    case Verb::Snapshot:
        return out + " " + Quote(text);
    default:
        return out;
    }
}

namespace {

// point NAME | point #ENTITY | point row N;  snapshot FILE.
bool ParseCadAction(std::string_view s, Action& a, std::string& error) {
    s = TrimView(s);
    if (a.verb == Action::Verb::Snapshot) {
        if (s.empty()) {
            error = "snapshot vuole un file (.svg o .png)";
            return false;
        }
        return ParseText(s, a.text, error);
    }
    if (s.empty()) {
        error = "point vuole il nome di un punto, #entità o row N";
        return false;
    }
    if (s.front() == '#') {
        if (!ParseInt(TrimView(s.substr(1)), a.index) || a.index == 0) {
            error = "\"" + std::string(s) + "\" non è un'entità (#numero)";
            return false;
        }
        return true;
    }
    std::string_view rest = s;
    if (TakeWord(rest) == "row") {
        const std::string_view n = TakeWord(rest);
        if (!ParseInt(n, a.row) || a.row == 0 || !TrimView(rest).empty()) {
            error = "point row vuole il numero di una riga 7 (1, 2, ...)";
            return false;
        }
        return true;
    }
    return ParseText(s, a.text, error);
}

} // namespace

std::optional<Action> ParseAction(std::string_view line, std::string& error) {
    error.clear();
    // A NUL would cut every message that quotes the line; bytes that are not UTF-8 have no meaning.
    if (line.find('\0') != std::string_view::npos) {
        error = "la riga contiene un byte NUL";
        return std::nullopt;
    }
    if (!IsValidUtf8(line)) {
        error = "la riga non è UTF-8 valido";
        return std::nullopt;
    }
    std::string_view s = TrimView(line);
    if (s.empty() || s.front() == '#')
        return std::nullopt;
    const std::string_view word = TakeWord(s);
    Action a;
    bool known = false;
    for (const auto& v : kVerbs)
        if (word == v.name) {
            a.verb = v.verb;
            known = true;
        }
    for (const auto& v : kVerbiCad)
        if (word == v.name) {
            a.verb = v.verb;
            known = true;
        }
    if (!known) {
        error = "comando sconosciuto \"" + std::string(word) + "\" (help elenca i comandi)";
        return std::nullopt;
    }
    const auto noMore = [&](std::string_view rest) {
        if (!TrimView(rest).empty()) {
            error = "parole in più dopo " + std::string(word) + ": \"" + std::string(TrimView(rest)) + "\"";
            return false;
        }
        return true;
    };
    const auto rowColumn = [&](std::string_view& rest, bool columnNeeded) {
        const std::string_view r = TakeWord(rest);
        if (!ParseInt(r, a.row)) {
            error = r.empty() ? "manca la riga della griglia"
                              : "\"" + std::string(r) + "\" non è una riga della griglia";
            return false;
        }
        const std::string_view c = TakeWord(rest);
        if (c.empty() && !columnNeeded)
            return true;
        if (!ParseInt(c, a.column)) {
            error = c.empty() ? "manca la colonna della griglia"
                              : "\"" + std::string(c) + "\" non è una colonna della griglia";
            return false;
        }
        return true;
    };
    switch (a.verb) {
    case Action::Verb::Type:
        if (!ParseControl(s, a, error))
            return std::nullopt;
        if (TrimView(s).empty()) {
            error = "type vuole un testo (\"\" per nessuno)";
            return std::nullopt;
        }
        if (!ParseText(s, a.text, error))
            return std::nullopt;
        break;
    case Action::Verb::Pick:
    case Action::Verb::Tab:
        if (!ParseControl(s, a, error) || !ParseIndexOrText(s, a, error))
            return std::nullopt;
        break;
    case Action::Verb::Tick:
    case Action::Verb::Untick:
        if (!ParseControl(s, a, error))
            return std::nullopt;
        if (!TrimView(s).empty() && (!rowColumn(s, false) || !noMore(s)))
            return std::nullopt;
        break;
    case Action::Verb::Choose:
    case Action::Verb::Click:
        if (!ParseControl(s, a, error) || !noMore(s))
            return std::nullopt;
        break;
    case Action::Verb::Tap:
        if (!ParseControl(s, a, error) || !rowColumn(s, true) || !noMore(s))
            return std::nullopt;
        break;
    case Action::Verb::Edit:
        if (!ParseControl(s, a, error) || !rowColumn(s, true) || !ParseText(s, a.text, error))
            return std::nullopt;
        break;
    case Action::Verb::File:
    case Action::Verb::Folder:
        if (TrimView(s).empty()) {
            error = std::string(word) + " vuole un percorso";
            return std::nullopt;
        }
        if (!ParseText(s, a.text, error))
            return std::nullopt;
        break;
    case Action::Verb::Show:
        if (!TrimView(s).empty() && (!ParseControl(s, a, error) || !noMore(s)))
            return std::nullopt;
        break;
    case Action::Verb::Point:
    case Action::Verb::Snapshot:
        if (!ParseCadAction(s, a, error))
            return std::nullopt;
        break;
    default:
        if (!noMore(s))
            return std::nullopt;
    }
    return a;
}

const char* CommandHelp() {
    return "Comandi (un controllo si indica col numero, o col suo testo tra parentesi quadre: click "
           "[Annulla];\n"
           "il testo vale senza i due punti finali e senza badare a maiuscole; Tab completa):\n"
           "  type ID TESTO         scrive il testo in un campo o in una scelta modificabile (\"\" per "
           "nessuno)\n"
           "  pick ID #N | TESTO    sceglie una voce di un elenco o di una scelta, per numero o per testo\n"
           "  tick ID / untick ID   spunta o toglie la spunta a una casella\n"
           "  tick ID RIGA [COL]    spunta la casella di una riga di una griglia (untick allo stesso modo)\n"
           "  choose ID             sceglie un'opzione\n"
           "  click ID              preme un pulsante\n"
           "  tab ID #N | TESTO     passa a una scheda\n"
           "  tap ID RIGA COL       tocca una cella di una griglia (la riga dei titoli è la 0)\n"
           "  edit ID RIGA COL TESTO  scrive in una cella di una griglia modificabile\n"
           "  close                 chiude la finestra come la sua croce (annulla)\n"
           "  ok | yes | no | cancel  risponde a un messaggio (ok, sì, no, annulla)\n"
           "  file PERCORSO | folder PERCORSO | cancel  risponde alla scelta di un file o di una cartella;\n"
           "                        i percorsi relativi partono dalla cartella del progetto\n"
           "  show [ID]             mostra la finestra, o un controllo per intero\n"
           "  point NOME | #ENT | row N  indica sulla vista CAD un punto, un'entità, una riga 7\n"
           "  snapshot FILE         un'immagine della vista CAD (.svg o .png)\n"
           "  help                  questo elenco\n"
           "  quit                  rinuncia: non si salva nulla\n"
           "I testi si possono scrivere tra virgolette, con le sequenze \\n \\r \\t \\\" \\\\ \\uXXXX.\n"
           "Freccia su e giù richiamano i comandi già dati, anche delle sessioni precedenti.\n";
}

std::string Prompt::Descrivi() const {
    switch (kind) {
    case Kind::Dialog:
        return dialog ? "la finestra " + std::to_string(dialog->id) + " " + Quote(dialog->text)
                      : "la finestra";
    case Kind::MessageBox:
        return "il messaggio " + Quote(title);
    case Kind::File:
        return "la scelta di un file";
    case Kind::Folder:
        return "la scelta di una cartella";
    }
    return "la finestra";
}

std::string Prompt::Describe() const {
    switch (kind) {
    case Kind::Dialog:
        return dialog ? "dialog " + std::to_string(dialog->id) + " " + Quote(dialog->text) : "dialog";
    case Kind::MessageBox:
        return "message box " + Quote(title);
    case Kind::File:
        return "file dialog";
    case Kind::Folder:
        return "folder dialog";
    }
    return "dialog";
}

namespace {

// The file patterns of a filter ("Files TAF(*.taf)|*.taf||"): its every second part, lower case.
std::vector<std::string> Estensioni(const WString& filter) {
    std::vector<std::string> out;
    const std::string f = filter.ToUtf8();
    std::size_t start = 0;
    for (int part = 0; start <= f.size(); ++part) {
        const std::size_t bar = f.find('|', start);
        const std::string p = f.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
        if (part % 2 == 1 && p.size() > 1 && p.compare(0, 2, "*.") == 0) {
            std::string ext = p.substr(1);
            std::transform(ext.begin(), ext.end(), ext.begin(),
                           [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
            out.push_back(ext);
        }
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    return out;
}

} // namespace

FolderListing detail::ListFolder(const WString* filter, const std::string& sub) {
    FolderListing out;
    out.folder = host::GetFolders().install;
    if (out.folder.empty())
        return out;
    if (!sub.empty()) {
        const std::filesystem::path rel = std::filesystem::path(sub).lexically_normal();
        if (rel.is_absolute() || rel.empty() || *rel.begin() == "..")
            return FolderListing{};
        // Nor through a link that leads out of the project.
        std::error_code e1, e2;
        const std::filesystem::path root = std::filesystem::canonical(out.folder, e1);
        const std::filesystem::path dir = std::filesystem::canonical(out.folder / rel, e2);
        const auto [end, _] = std::mismatch(root.begin(), root.end(), dir.begin(), dir.end());
        if (e1 || e2 || end != root.end())
            return FolderListing{};
        out.folder /= rel;
    }
    const std::vector<std::string> ext = filter ? Estensioni(*filter) : std::vector<std::string>{};
    std::error_code ec;
    for (std::filesystem::directory_iterator it(out.folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string nome = it->path().filename().string();
        std::error_code e2;
        if (it->is_directory(e2)) {
            out.folders.push_back(nome + "/");
        } else if (filter) {
            std::string e = it->path().extension().string();
            std::transform(e.begin(), e.end(), e.begin(),
                           [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
            if (ext.empty() || std::find(ext.begin(), ext.end(), e) != ext.end() ||
                std::find(ext.begin(), ext.end(), ".*") != ext.end())
                out.files.push_back(nome);
        }
    }
    std::sort(out.folders.begin(), out.folders.end());
    std::sort(out.files.begin(), out.files.end());
    return out;
}

namespace {

// What a person sees in a file or folder choice at the terminal.
std::string Elenco(const WString* filter) {
    const FolderListing l = ListFolder(filter);
    if (l.folder.empty())
        return {};
    std::string out =
        "  cartella " + Printable(l.folder.string()) + " (i percorsi relativi partono da qui)\n";
    for (const auto& n : l.folders)
        out += "    " + Printable(n) + "\n";
    for (const auto& n : l.files)
        out += "    " + Printable(n) + "\n";
    if (l.folders.empty() && l.files.empty())
        out += filter ? "    (nessun file adatto)\n" : "    (nessuna sottocartella)\n";
    return out;
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// Driver

Driver::Driver(std::ostream& transcript) : m_Out(transcript) {}

Driver::~Driver() {
    if (g_active == this)
        g_active = nullptr;
}

void Driver::Echo(const Action& action) {
    const std::string line = action.Canonical();
    m_Out << "> " << line << "\n";
    Carried(line);
}

void Driver::Carried(const std::string&) {}

int Driver::RunModal(CWSizeDialog& dialog) {
    const DialogTemplate* tmpl = FindDialogTemplate(dialog.GetTemplateId());
    if (!tmpl) {
        if (m_Persona)
            m_Out << "la finestra " << dialog.GetTemplateId() << " non si apre: manca il suo modello\n";
        else
            m_Out << "dialog " << dialog.GetTemplateId() << " cannot open: no template\n";
        return -1;
    }
    if (dialog.GetUiWindow())
        return -1;
    std::unique_ptr<UiWindow> window = CreateDialogWindow(dialog, *tmpl, nullptr);
    window->modal = true;
    UiWindow* w = window.get();
    m_Open.push_back(w);
    ++m_Opened;
    m_Out << (m_Persona ? "finestra " : "dialog ") << w->id << " " << Quote(w->text)
          << (m_Persona ? " aperta\n" : " opened\n");

    // Whatever way the dialog ends, its window goes; a dialog abandoned by an error is not told.
    struct Closer {
        Driver& driver;
        std::unique_ptr<UiWindow>& window;
        int exceptions = std::uncaught_exceptions();
        ~Closer() {
            driver.m_Open.pop_back();
            if (std::uncaught_exceptions() > exceptions)
                window.reset();
            else
                DestroyDialogWindow(std::move(window));
        }
    };
    int result = 0;
    WString title;
    {
        Closer closer{*this, window};
        dialog.OnInitDialog();
        while (!w->ended) {
            Prompt prompt;
            prompt.kind = Prompt::Kind::Dialog;
            prompt.dialog = w;
            std::optional<Action> action = Next(prompt);
            if (!action)
                RanOut(prompt);
            Execute(*action, prompt);
        }
        result = w->result;
        title = w->text;
    }
    if (m_Persona)
        m_Out << "finestra " << tmpl->id << " " << Quote(title) << " chiusa con "
              << (result == IDOK       ? "OK"
                  : result == IDCANCEL ? "Annulla"
                                       : std::to_string(result))
              << "\n";
    else
        m_Out << "dialog " << tmpl->id << " " << Quote(title) << " closed with " << ResultText(result)
              << "\n";
    return result;
}

int Driver::MessageBox(const WString& text, const WString& title, UINT style) {
    Prompt prompt;
    prompt.kind = Prompt::Kind::MessageBox;
    prompt.title = title;
    prompt.text = text;
    prompt.style = style;
    m_Out << MessageBoxLine(text, title, style) << "\n";
    for (;;) {
        std::optional<Action> action = Next(prompt);
        if (!action)
            RanOut(prompt);
        if (action->verb == Action::Verb::Show) {
            Echo(*action);
            m_Out << MessageBoxLine(text, title, style) << "\n";
            continue;
        }
        const auto answers = Answers(style);
        if (std::find(answers.begin(), answers.end(), action->verb) == answers.end()) {
            Refuse(*action, prompt, "un messaggio aspetta una risposta: " + AnswerList(style));
            continue;
        }
        Echo(*action);
        return AnswerId(action->verb);
    }
}

std::string Driver::MessageBoxLine(const WString& text, const WString& title, UINT style) const {
    return "message box " + Quote(title) + " [" + IconText(style) + "; " + AnswerList(style) +
           "]: " + Quote(text);
}

bool Driver::ChooseFile(const WString& filter, bool mustExist, WString& path) {
    Prompt prompt;
    prompt.kind = Prompt::Kind::File;
    prompt.text = filter;
    if (m_Persona)
        m_Out << "scelta di un file " << Quote(filter) << "\n" << Elenco(&filter);
    else
        m_Out << "file dialog " << Quote(filter) << "\n";
    for (;;) {
        std::optional<Action> action = Next(prompt);
        if (!action)
            RanOut(prompt);
        if (action->verb == Action::Verb::Cancel) {
            Echo(*action);
            return false;
        }
        if (action->verb != Action::Verb::File) {
            Refuse(*action, prompt, "la scelta del file aspetta: file PERCORSO, o cancel");
            continue;
        }
        const std::filesystem::path p = HostPath(action->text);
        std::error_code ec;
        if (mustExist && !std::filesystem::is_regular_file(p, ec)) {
            Refuse(*action, prompt, "non c'è il file " + Quote(action->text));
            continue;
        }
        Echo(*action);
        path = WString::FromUtf8(p.string());
        return true;
    }
}

bool Driver::ChooseFolder(WString& folder) {
    Prompt prompt;
    prompt.kind = Prompt::Kind::Folder;
    if (m_Persona)
        m_Out << "scelta di una cartella\n" << Elenco(nullptr);
    else
        m_Out << "folder dialog\n";
    for (;;) {
        std::optional<Action> action = Next(prompt);
        if (!action)
            RanOut(prompt);
        if (action->verb == Action::Verb::Cancel) {
            Echo(*action);
            return false;
        }
        if (action->verb != Action::Verb::Folder) {
            Refuse(*action, prompt, "la scelta della cartella aspetta: folder PERCORSO, o cancel");
            continue;
        }
        const std::filesystem::path p = HostPath(action->text);
        std::error_code ec;
        if (!std::filesystem::is_directory(p, ec)) {
            Refuse(*action, prompt, "non c'è la cartella " + Quote(action->text));
            continue;
        }
        Echo(*action);
        folder = WString::FromUtf8(p.string());
        return true;
    }
}

bool Driver::Execute(const Action& action, const Prompt& prompt) {
    UiWindow& dialog = *prompt.dialog;
    std::string why;
    const auto refuse = [&](const std::string& reason) {
        Refuse(action, prompt, reason);
        return false;
    };
    if (IsAnswer(action.verb))
        return refuse("non è aperto alcun messaggio né scelta di file; " +
                      std::string(VerbText(action.verb)) + " qui non serve");
    if (action.verb == Action::Verb::Close) {
        Echo(action);
        if (dialog.object)
            dialog.object->OnCommand(MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return true;
    }
    if (action.verb == Action::Verb::Show) {
        if (action.id == 0 && action.label.IsEmpty()) {
            Echo(action);
            m_Out << RenderDialog(dialog, m_Persona);
            return true;
        }
        UiWindow* c = Resolve(dialog, action, why, true);
        if (!c)
            return refuse(why);
        Echo(action);
        m_Out << RenderControl(*c, true, m_Persona);
        return true;
    }

    if (action.verb == Action::Verb::Point || action.verb == Action::Verb::Snapshot)
        return ExecuteOnCustom(action, prompt);

    UiWindow* c = Resolve(dialog, action, why);
    if (!c)
        return refuse(why);
    Action done = action;
    done.id = c->id;
    done.label.Empty();

    switch (action.verb) {
    case Action::Verb::Type: {
        if (c->kind != ControlKind::Edit && c->kind != ControlKind::ComboEdit)
            return refuse(KindMismatch(*c, "un campo di testo o una casella combinata modificabile"));
        if (c->kind == ControlKind::Edit && c->readOnly)
            return refuse("il controllo " + std::to_string(c->id) + " è di sola lettura");
        WString text = action.text;
        if (c->textLimit > 0 && text.GetLength() > static_cast<int>(c->textLimit))
            text = text.Left(static_cast<int>(c->textLimit));
        Echo(done);
        c->text = text;
        if (c->kind == ControlKind::Edit) {
            SendCommand(*c, EN_CHANGE);
        } else {
            c->curSel = -1;
            SendCommand(*c, CBN_EDITCHANGE);
        }
        return true;
    }
    case Action::Verb::Pick: {
        if (!c->IsCombo() && c->kind != ControlKind::ListBox)
            return refuse(KindMismatch(*c, "una casella combinata o un elenco"));
        int index = action.index;
        if (index >= 0 && index >= static_cast<int>(c->items.size()))
            return refuse("il controllo " + std::to_string(c->id) + " non ha la voce #" +
                          std::to_string(index) + " (voci: " + std::to_string(c->items.size()) + ")");
        if (index < 0) {
            for (std::size_t i = 0; i < c->items.size() && index < 0; ++i)
                if (c->items[i].text == action.text)
                    index = static_cast<int>(i);
            if (index < 0)
                return refuse("il controllo " + std::to_string(c->id) + " non ha la voce " +
                              Quote(action.text));
        }
        Echo(done);
        c->curSel = index;
        if (c->kind == ControlKind::ComboEdit)
            c->text = c->items[index].text;
        SendCommand(*c, c->kind == ControlKind::ListBox ? LBN_SELCHANGE : CBN_SELCHANGE);
        return true;
    }
    case Action::Verb::Tick:
    case Action::Verb::Untick:
    case Action::Verb::Tap: {
        const bool tick = action.verb == Action::Verb::Tick;
        if (action.verb != Action::Verb::Tap && action.row < 0) {
            if (c->kind != ControlKind::CheckBox)
                return refuse(KindMismatch(*c, "una casella di spunta"));
            if ((c->check == BST_CHECKED) == tick)
                return refuse("la casella " + std::to_string(c->id) +
                              (tick ? " è già spuntata" : " non è spuntata"));
            Echo(done);
            c->check = tick ? BST_CHECKED : BST_UNCHECKED;
            SendCommand(*c, BN_CLICKED);
            return true;
        }
        if (c->kind != ControlKind::Grid || !c->grid)
            return refuse(KindMismatch(*c, "una griglia"));
        GridState& g = *c->grid;
        const int row = action.row;
        int column = action.column;
        if (row < g.fixedRows || row >= g.RowCount())
            return refuse("la griglia " + std::to_string(c->id) + " non ha la riga di dati " +
                          std::to_string(row) + " (righe da " + std::to_string(g.fixedRows) + " a " +
                          std::to_string(g.RowCount() - 1) + ")");
        if (action.verb != Action::Verb::Tap) {
            if (column < 0)
                for (int k = 0; k < g.columns && column < 0; ++k)
                    if (g.cells.Attributes(row, k).hasCheck)
                        column = k;
            if (column < 0 || column >= g.columns || !g.cells.Attributes(row, column).hasCheck)
                return refuse("la riga " + std::to_string(row) + " della griglia " + std::to_string(c->id) +
                              " non ha una casella" +
                              (action.column >= 0 ? " nella colonna " + std::to_string(action.column) : ""));
            if (g.cells.Attributes(row, column).checked == tick)
                return refuse("la riga " + std::to_string(row) + " della griglia " + std::to_string(c->id) +
                              (tick ? " è già spuntata" : " non è spuntata"));
        } else if (column < 0 || column >= g.columns) {
            return refuse("la griglia " + std::to_string(c->id) + " non ha la colonna " +
                          std::to_string(column));
        }
        Echo(done);
        // A tap selects the row, toggles a check box under the finger and reports the cell.
        if (g.selectedRow != row) {
            g.selectedRow = row;
            g.focus = CCellID{row, column};
            SendGridNotify(*c, GVN_SELCHANGED, row, column);
            if (!Contains(dialog, c) || !c->grid)
                return true;
        }
        if (GridState& after = *c->grid; after.Valid(row, column)) {
            GridCell cell = after.cells.Attributes(row, column);
            if (cell.hasCheck) {
                cell.checked = !cell.checked;
                after.cells.PutAttributes(row, column, cell);
            }
        }
        SendGridNotify(*c, NM_CLICK, row, column);
        return true;
    }
    case Action::Verb::Choose: {
        if (c->kind != ControlKind::Radio)
            return refuse(KindMismatch(*c, "un pulsante di opzione"));
        Echo(done);
        for (UiWindow* r : RadioGroup(*c))
            r->check = r == c ? BST_CHECKED : BST_UNCHECKED;
        SendCommand(*c, BN_CLICKED);
        return true;
    }
    case Action::Verb::Click:
        if (c->kind != ControlKind::Button)
            return refuse(KindMismatch(*c, "un pulsante") + (c->kind == ControlKind::CheckBox
                                                                 ? " (usa tick o untick)"
                                                             : c->kind == ControlKind::Radio ? " (usa choose)"
                                                                                             : ""));
        Echo(done);
        SendCommand(*c, BN_CLICKED);
        return true;
    case Action::Verb::Tab: {
        if (c->kind != ControlKind::Tab)
            return refuse(KindMismatch(*c, "una scheda"));
        int index = action.index;
        if (index < 0)
            for (std::size_t i = 0; i < c->items.size() && index < 0; ++i)
                if (c->items[i].text == action.text)
                    index = static_cast<int>(i);
        if (index < 0 || index >= static_cast<int>(c->items.size()))
            return refuse("la scheda " + std::to_string(c->id) + " non ha la linguetta " +
                          (action.index >= 0 ? "#" + std::to_string(action.index) : Quote(action.text)));
        Echo(done);
        c->curSel = index;
        SendGridNotify(*c, TCN_SELCHANGE, -1, -1);
        return true;
    }
    case Action::Verb::Edit: {
        if (c->kind != ControlKind::Grid || !c->grid)
            return refuse(KindMismatch(*c, "una griglia"));
        GridState& g = *c->grid;
        if (!g.editable)
            return refuse("la griglia " + std::to_string(c->id) + " non è modificabile");
        if (action.row < g.fixedRows || action.row >= g.RowCount() || action.column < g.fixedColumns ||
            action.column >= g.columns || (g.autoNumber && action.column == 0))
            return refuse("la griglia " + std::to_string(c->id) + " non ha la cella modificabile " +
                          std::to_string(action.row) + " " + std::to_string(action.column));
        Echo(done);
        g.cells.SetText(action.row, action.column, action.text);
        g.KeepEmptyLastRow();
        SendGridNotify(*c, GVN_ENDLABELEDIT, action.row, action.column);
        return true;
    }
    default:
        return refuse(std::string(VerbText(action.verb)) + " qui non serve");
    }
}

namespace {

UiWindow* FindCustom(UiWindow& w) {
    for (const auto& c : w.children) {
        if (c->custom && c->Shown())
            return c.get();
        if (c->isDialog && c->Shown())
            if (UiWindow* found = FindCustom(*c))
                return found;
    }
    return nullptr;
}

} // namespace

// The CAD view's commands go to the dialog's CAD view, which checks and carries them out.
bool Driver::ExecuteOnCustom(const Action& action, const Prompt& prompt) {
    UiWindow* view = FindCustom(*prompt.dialog);
    if (!view) {
        Refuse(action, prompt, "in questa finestra non c'è una vista CAD");
        return false;
    }
    const std::string why = view->custom->Check(action);
    if (!why.empty()) {
        Refuse(action, prompt, why);
        return false;
    }
    Echo(action);
    view->custom->Perform(action, m_Out);
    return true;
}

// ---------------------------------------------------------------------------------------------------
// Installation

Driver* ActiveDriver() {
    return g_active;
}

Driver* SetActiveDriver(Driver* driver) {
    Driver* previous = g_active;
    g_active = driver;
    return previous;
}
bool InstallDriver(const std::optional<std::filesystem::path>& script, std::ostream& transcript,
                   std::string& error) {
    if (script) {
        auto driver = std::make_unique<ScriptDriver>(transcript);
        if (!driver->Load(*script, error))
            return false;
        g_installed = std::move(driver);
    } else if (::isatty(0) && ::isatty(1)) {
        // A person at a real terminal: line editing, history kept in the home folder, completion.
        auto driver = std::make_unique<TerminalDriver>(transcript, nullptr);
        TerminalDriver* self = driver.get();
        std::string why;
        auto lines = EditedLines(
            HistoryFile(), [self](std::string_view before) { return self->CompleteHere(before); }, why);
        if (lines) {
            driver->SetLines(std::move(lines));
            g_installed = std::move(driver);
        } else {
            // Plain lines still serve a person, without editing keys or history.
            std::cerr << "pregeo-host: " << why << "; le righe si leggono senza modifica né cronologia\n";
            g_installed = std::make_unique<TerminalDriver>(std::cin, transcript);
        }
    } else {
        g_installed = std::make_unique<TerminalDriver>(std::cin, transcript);
    }
    SetActiveDriver(g_installed.get());
    return true;
}

bool FinishDriver(std::string& error) {
    std::unique_ptr<Driver> driver = std::move(g_installed);
    if (!driver)
        return true;
    if (g_active == driver.get())
        g_active = nullptr;
    if (auto* script = dynamic_cast<ScriptDriver*>(driver.get()); script && script->Remaining() > 0) {
        error = script->NextWhere() + ": azioni non usate dopo la chiusura dell'ultima finestra: " +
                std::to_string(script->Remaining());
        return false;
    }
    return true;
}

int RunModalDialog(CWSizeDialog& dialog) {
    Driver* driver = ActiveDriver();
    return driver ? driver->RunModal(dialog) : -1;
}

} // namespace host::ui

// ---------------------------------------------------------------------------------------------------
// Host services that show something to the user

int CreateMessageBox(CWnd*, const WString& text, const WString& title, UINT style) {
    host::ui::Driver* driver = host::ui::ActiveDriver();
    return driver ? driver->MessageBox(text, title, style) : 0;
}

CWaitThread* CWaitThread::GetInstance() {
    static CWaitThread instance;
    return &instance;
}

void CWaitThread::StartWait() {
    ++m_Depth;
}

void CWaitThread::EndWait() {
    if (m_Depth > 0)
        --m_Depth;
}

CFileDialog::CFileDialog(BOOL open, const WString& defaultExt, const WString& fileName, DWORD flags,
                         const WString& filter, CWnd*)
    : m_Open(open), m_DefaultExt(defaultExt), m_Path(fileName), m_Flags(flags), m_Filter(filter) {}

int CFileDialog::DoModal() {
    host::ui::Driver* driver = host::ui::ActiveDriver();
    if (!driver)
        return IDCANCEL;
    WString path;
    if (!driver->ChooseFile(m_Filter, m_Open && (m_Flags & OFN_FILEMUSTEXIST), path))
        return IDCANCEL;
    m_Path = path;
    return IDOK;
}

WString CFileDialog::GetFileName() const {
    const int slash = std::max(m_Path.ReverseFind(u'/'), m_Path.ReverseFind(u'\\'));
    return m_Path.Mid(slash + 1);
}

BOOL DlgSelectJobFolder(CWnd*, WString& folder) {
    host::ui::Driver* driver = host::ui::ActiveDriver();
    return driver && driver->ChooseFolder(folder);
}

// The device would offer to dial a connection; the stand-in has nothing to dial and says so.
BOOL FDYN_CheckAndShowDialUpConn(CWnd* parent) {
    if (host::IsOnline())
        return TRUE;
    CreateMessageBox(parent, u"Nessuna connessione a internet disponibile.", u"Connessione",
                     MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}
