// A person at the terminal: each dialog shown as lines, commands read one a line, completion.
#include "host/ui/Driver.h"

#include "host/core/Limits.h"
#include "host/ui/DriverParts.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <iostream>

namespace host::ui {

using namespace detail;

namespace {

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    if (prefix.size() > s.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

// Whether a command acts on a control of this kind; show looks at any.
bool Fits(Action::Verb verb, const UiWindow& c) {
    switch (verb) {
    case Action::Verb::Type:
        return c.kind == ControlKind::Edit || c.kind == ControlKind::ComboEdit;
    case Action::Verb::Pick:
        return c.IsCombo() || c.kind == ControlKind::ListBox;
    case Action::Verb::Tick:
    case Action::Verb::Untick:
        return c.kind == ControlKind::CheckBox || c.kind == ControlKind::Grid;
    case Action::Verb::Choose:
        return c.kind == ControlKind::Radio;
    case Action::Verb::Click:
        return c.kind == ControlKind::Button;
    case Action::Verb::Tab:
        return c.kind == ControlKind::Tab;
    case Action::Verb::Tap:
    case Action::Verb::Edit:
        return c.kind == ControlKind::Grid;
    default:
        return true;
    }
}

void Controls(const UiWindow& dialog, Action::Verb verb, std::vector<std::string>& out,
              std::vector<const UiWindow*>& targets) {
    for (const auto& c : dialog.children) {
        if (!c->Shown())
            continue;
        if (c->isDialog) {
            Controls(*c, verb, out, targets);
            continue;
        }
        const UiWindow* target = LabelledInput(c.get());
        if (!Fits(verb, *target) || !target->enabled)
            continue;
        if (c->id != 0 && c->id != 0xFFFF) {
            out.push_back(std::to_string(c->id));
            targets.push_back(c.get());
        }
        WString label = c->text;
        label.Remove(u'&');
        label.Trim();
        if (!label.IsEmpty() && label.Right(1) == u":") {
            label = label.Left(label.GetLength() - 1);
            label.Trim();
        }
        if (!label.IsEmpty() && label.Find(u']') < 0 && label.Find(u'\n') < 0) {
            out.push_back("[" + label.ToUtf8() + "]");
            targets.push_back(target);
        }
    }
}

} // namespace

Completion Complete(const UiWindow* dialog, std::string_view before) {
    Completion c;
    // The first word: a command.
    std::size_t i = 0;
    while (i < before.size() && std::isspace(static_cast<unsigned char>(before[i])))
        ++i;
    std::size_t j = i;
    while (j < before.size() && !std::isspace(static_cast<unsigned char>(before[j])))
        ++j;
    const std::string_view verbWord = before.substr(i, j - i);
    if (j == before.size()) {
        c.start = i;
        for (const auto& v : kVerbs)
            if (StartsWithNoCase(v.name, verbWord))
                c.candidates.push_back(std::string(v.name) + " ");
        for (const auto& v : kVerbiCad)
            if (StartsWithNoCase(v.name, verbWord))
                c.candidates.push_back(std::string(v.name) + " ");
        for (const char* w : {"help", "quit"})
            if (StartsWithNoCase(w, verbWord))
                c.candidates.push_back(w);
        return c;
    }
    // A pick on the CAD view: the names of its points and its rows 7.
    if (verbWord == "point") {
        std::size_t k = j;
        while (k < before.size() && std::isspace(static_cast<unsigned char>(before[k])))
            ++k;
        const std::string_view typed = before.substr(k);
        if (!dialog || typed.find_first_of(" \t") != std::string_view::npos)
            return c;
        c.start = k;
        const std::function<void(const UiWindow&)> raccogli = [&](const UiWindow& w) {
            if (w.custom && w.Shown())
                for (const UiCustom::Pick& p : w.custom->Picks()) {
                    // "point row 2" offers "row 2"; a point, its name.
                    const std::string dopo = p.command.substr(p.command.find(' ') + 1);
                    const bool nudo =
                        p.label.find_first_of(" \t\"\\") == std::string::npos && !p.label.empty();
                    const std::string nome = dopo.starts_with("row ") ? dopo
                                             : nudo                   ? p.label
                                                                      : Quote(WString::FromUtf8(p.label));
                    if (StartsWithNoCase(nome, typed) &&
                        std::find(c.candidates.begin(), c.candidates.end(), nome) == c.candidates.end())
                        c.candidates.push_back(nome);
                }
            for (const auto& child : w.children)
                raccogli(*child);
        };
        raccogli(*dialog);
        return c;
    }
    std::optional<Action::Verb> verb;
    for (const auto& v : kVerbs)
        if (verbWord == v.name)
            verb = v.verb;
    const bool takesControl = verb && *verb != Action::Verb::Close && *verb != Action::Verb::Ok &&
                              *verb != Action::Verb::Yes && *verb != Action::Verb::No &&
                              *verb != Action::Verb::Cancel && *verb != Action::Verb::File &&
                              *verb != Action::Verb::Folder;
    if (!dialog || !takesControl)
        return c;
    std::size_t k = j;
    while (k < before.size() && std::isspace(static_cast<unsigned char>(before[k])))
        ++k;
    std::vector<std::string> names;
    std::vector<const UiWindow*> targets;
    Controls(*dialog, *verb, names, targets);
    // The control is still being written: a bracketed label runs to its ], an id to a blank.
    const std::string_view ref = before.substr(k);
    const bool open = !ref.empty() && ref.front() == '[' ? ref.find(']') == std::string_view::npos
                                                         : ref.find_first_of(" \t") == std::string_view::npos;
    if (open) {
        c.start = k;
        for (const auto& n : names)
            if (StartsWithNoCase(n, ref) &&
                std::find(c.candidates.begin(), c.candidates.end(), n + " ") == c.candidates.end())
                c.candidates.push_back(n + " ");
        return c;
    }
    if (*verb != Action::Verb::Pick && *verb != Action::Verb::Tab)
        return c;
    // The entry of the control named.
    const std::size_t end = ref.front() == '[' ? ref.find(']') + 1 : ref.find_first_of(" \t");
    const std::string named(ref.substr(0, end));
    const UiWindow* target = nullptr;
    for (std::size_t n = 0; n < names.size(); ++n)
        if (LabelKey(WString::FromUtf8(names[n])) == LabelKey(WString::FromUtf8(named)) ||
            (named.front() == '[' && names[n].front() == '[' &&
             LabelKey(WString::FromUtf8(names[n].substr(1, names[n].size() - 2))) ==
                 LabelKey(WString::FromUtf8(named.substr(1, named.size() - 2)))))
            target = targets[n];
    if (!target)
        return c;
    std::size_t t = k + end;
    while (t < before.size() && std::isspace(static_cast<unsigned char>(before[t])))
        ++t;
    c.start = t;
    const std::string_view typed = before.substr(t);
    for (const auto& item : target->items) {
        const std::string entry = item.text.ToUtf8();
        if (!entry.empty() && StartsWithNoCase(entry, typed))
            c.candidates.push_back(entry);
    }
    return c;
}

// ---------------------------------------------------------------------------------------------------
// TerminalDriver

namespace {

// A stream read line by line: what a test or a pipe gives the terminal.
class StreamLines : public LineSource {
public:
    StreamLines(std::istream& in, std::ostream& out) : m_In(in), m_Out(out) {}
    bool Read(const std::string& prompt, std::string& line) override {
        m_Out << prompt << std::flush;
        // Nobody types a line this long: it is an input that never ends (/dev/zero), and the run gives up
        // as it does on "quit".
        line.clear();
        for (int c = m_In.get(); c != std::char_traits<char>::eof(); c = m_In.get()) {
            if (c == '\n')
                return true;
            if (line.size() >= kMaxTerminalLine)
                throw ScriptError("terminale: una riga di più di " + std::to_string(kMaxTerminalLine / 1024) +
                                  " KiB non è scritta da una persona; non si salva nulla");
            line += static_cast<char>(c);
        }
        return !line.empty();
    }

private:
    std::istream& m_In;
    std::ostream& m_Out;
};

} // namespace

LineSource::~LineSource() = default;

TerminalDriver::TerminalDriver(std::istream& in, std::ostream& out)
    : TerminalDriver(out, std::make_unique<StreamLines>(in, out)) {}

TerminalDriver::TerminalDriver(std::ostream& out, std::unique_ptr<LineSource> lines)
    : Driver(out), m_Lines(std::move(lines)), m_Screen(out) {
    m_Persona = true;
}

TerminalDriver::~TerminalDriver() = default;

Completion TerminalDriver::CompleteHere(std::string_view before) const {
    return Complete(m_Waiting, before);
}

std::optional<Action> TerminalDriver::Next(const Prompt& prompt) {
    m_Waiting = prompt.kind == Prompt::Kind::Dialog ? prompt.dialog : nullptr;
    for (;;) {
        if (prompt.kind == Prompt::Kind::Dialog)
            Redraw(*prompt.dialog);
        if (prompt.kind == Prompt::Kind::MessageBox)
            m_Screen << "(rispondi " << AnswerList(prompt.style) << ")\n";
        else if (prompt.kind == Prompt::Kind::File)
            m_Screen << "(rispondi file PERCORSO, o cancel)\n";
        else if (prompt.kind == Prompt::Kind::Folder)
            m_Screen << "(rispondi folder PERCORSO, o cancel)\n";
        m_Screen << std::flush;
        const std::string promptText =
            (prompt.kind == Prompt::Kind::Dialog ? std::to_string(prompt.dialog->id) : "?") + "> ";
        std::string line;
        if (!m_Lines->Read(promptText, line))
            return std::nullopt;
        const std::string_view s = TrimView(line);
        if (s.empty())
            continue;
        if (s == "help") {
            m_Screen << CommandHelp();
            continue;
        }
        if (s == "quit")
            throw ScriptError("terminale: abbandonato mentre c'era " + prompt.Descrivi() +
                              "; non si salva nulla");
        std::string why;
        std::optional<Action> a = ParseAction(s, why);
        if (!a) {
            if (!why.empty())
                m_Screen << "errore: " << Printable(why) << "\n";
            continue;
        }
        a->where = "terminal";
        return a;
    }
}

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

// The lines of `now` that are not matched in `before`, in order (the longest common subsequence).
std::string ChangedLines(const std::string& before, const std::string& now) {
    const std::vector<std::string> a = Lines(before), b = Lines(now);
    std::vector<std::vector<int>> common(a.size() + 1, std::vector<int>(b.size() + 1, 0));
    for (std::size_t i = a.size(); i-- > 0;)
        for (std::size_t j = b.size(); j-- > 0;)
            common[i][j] =
                a[i] == b[j] ? common[i + 1][j + 1] + 1 : std::max(common[i + 1][j], common[i][j + 1]);
    std::string out;
    std::size_t i = 0, j = 0;
    while (j < b.size()) {
        if (i < a.size() && a[i] == b[j]) {
            ++i;
            ++j;
        } else if (i < a.size() && common[i + 1][j] >= common[i][j + 1]) {
            ++i;
        } else {
            out += b[j++] + "\n";
        }
    }
    return out;
}

} // namespace

void TerminalDriver::Redraw(const UiWindow& dialog) {
    // A dialog that came up since the last screen is shown whole, even where an earlier one stood.
    const std::string screen = RenderDialog(dialog, true);
    if (m_Shown != &dialog || m_ShownOpened != DialogsOpened())
        m_Screen << screen;
    else if (screen != m_LastScreen)
        m_Screen << ChangedLines(m_LastScreen, screen);
    m_Shown = &dialog;
    m_ShownOpened = DialogsOpened();
    m_LastScreen = screen;
}

// A person reads the message's line breaks as breaks.
std::string TerminalDriver::MessageBoxLine(const WString& text, const WString& title, UINT style) const {
    std::string shown;
    WString line;
    const std::u16string_view v = text.view();
    for (std::size_t i = 0; i <= v.size(); ++i) {
        const bool end = i == v.size();
        if (!end && v[i] != u'\r' && v[i] != u'\n') {
            line += v[i];
            continue;
        }
        const std::string quoted = Quote(line);
        shown += quoted.substr(1, quoted.size() - 2);
        if (end)
            break;
        shown += "\n";
        if (v[i] == u'\r' && i + 1 < v.size() && v[i + 1] == u'\n')
            ++i;
        line.Empty();
    }
    return "messaggio " + Quote(title) + " [" + Icona(style) + "; rispondi " + AnswerList(style) + "]: \"" +
           shown + "\"";
}

void TerminalDriver::Refuse(const Action&, const Prompt&, const std::string& why) {
    m_Screen << "errore: " << Printable(why) << "\n";
}

void TerminalDriver::RanOut(const Prompt& prompt) {
    throw ScriptError("terminale: l'input è finito mentre c'era " + prompt.Descrivi() +
                      "; non si salva nulla");
}

} // namespace host::ui
