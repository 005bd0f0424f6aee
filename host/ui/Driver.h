// The UI driver: who plays the user. DoModal hands a dialog to the active driver, which initialises
// it and feeds it user actions until it ends; message boxes and file and folder choices ask the same
// driver. Actions come from a script, from a person at the terminal, or from a test through the C++
// API below; all three speak the same command language and write the same transcript.
#pragma once

#include "host/parti/Terminale.h"
#include "hostapi/Dialog.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct UiWindow;

namespace host::ui {

// A script that runs out while a dialog is open, or an action that does not fit the dialog shown.
// Thrown out of DoModal; the program reports it and saves nothing.
class HOSTAPI ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The screen the dialogs are shown on: template variant 0..3 and the pixel multiplier.
struct Screen {
    int variant = 0;
    int multiplier = 1;
};
HOSTAPI void SetScreen(const Screen& screen);
HOSTAPI const Screen& GetScreen();

// One user action.
struct HOSTAPI Action {
    enum class Verb {
        Type,
        Pick,
        Tick,
        Untick,
        Choose,
        Click,
        Tab,
        Tap,
        Edit,
        Close,
        Ok,
        Yes,
        No,
        Cancel,
        File,
        Folder,
        Show,
        Point,   // a pick on the CAD view: by name (text), by entity (#index) or by row 7 (row)
        Snapshot // a picture of the CAD view (text: the file)
    };
    Verb verb = Verb::Show;
    UINT id = 0;    // the control, 0 when named by label or not needed
    WString label;  // the control's own text, when named as [label]
    WString text;   // typed text, entry text, path
    int index = -1; // entry or tab index (#n)
    int row = -1;   // grid row and column; point: the row 7
    int column = -1;
    std::string where; // "file:line", "terminal" or "action n"

    // The action as the command language writes it, for the transcript.
    std::string Canonical() const;
};

// Parses one line of the command language. Blank lines and comments (#...) give no action and no
// error; a malformed line gives no action and the reason.
HOSTAPI std::optional<Action> ParseAction(std::string_view line, std::string& error);
// The command summary shown by "help".
HOSTAPI const char* CommandHelp();

// What is waiting for the user.
struct Prompt {
    enum class Kind { Dialog, MessageBox, File, Folder } kind = Kind::Dialog;
    UiWindow* dialog = nullptr; // Dialog
    WString title;              // MessageBox
    WString text;               // MessageBox: the text; File: the filter
    UINT style = 0;             // MessageBox
    std::string Describe() const;
    // The same for a person at the terminal, in Italian.
    std::string Descrivi() const;
};

class HOSTAPI Driver {
public:
    explicit Driver(std::ostream& transcript);
    virtual ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    int RunModal(CWSizeDialog& dialog);
    int MessageBox(const WString& text, const WString& title, UINT style);
    bool ChooseFile(const WString& filter, bool mustExist, WString& path);
    bool ChooseFolder(WString& folder);

    std::ostream& Transcript() { return m_Out; }
    // Whether a person reads the transcript as it comes (Italian) rather than a test comparing it.
    bool ForPerson() const { return m_Persona; }
    // The dialog the user sees (the innermost open one), null when none.
    UiWindow* CurrentDialog() const { return m_Open.empty() ? nullptr : m_Open.back(); }

protected:
    // The next action for what is waiting; nullopt when the source has run out.
    virtual std::optional<Action> Next(const Prompt& prompt) = 0;
    // An action that does not fit: a script stops (throws ScriptError), a person is told and goes on.
    virtual void Refuse(const Action& action, const Prompt& prompt, const std::string& why) = 0;
    // The source ran out while something waits for the user: throws ScriptError.
    [[noreturn]] virtual void RanOut(const Prompt& prompt) = 0;

    // How many dialogs have come up so far.
    std::size_t DialogsOpened() const { return m_Opened; }
    // The line that shows a message box; the terminal breaks the text's lines.
    virtual std::string MessageBoxLine(const WString& text, const WString& title, UINT style) const;

    // Every action carried out, as the transcript writes it after "> ": a front end records them.
    virtual void Carried(const std::string& canonical);

    // A person at the terminal reads Italian and sees lists whole; the transcript keeps its own form.
    bool m_Persona = false;

private:
    bool Execute(const Action& action, const Prompt& prompt);
    bool ExecuteOnCustom(const Action& action, const Prompt& prompt);
    void Echo(const Action& action);

    std::ostream& m_Out;
    std::vector<UiWindow*> m_Open;
    std::size_t m_Opened = 0;
};

// Plays a list of actions: from a script file, from lines of text, or built in C++ by a test.
class HOSTAPI ScriptDriver : public Driver {
public:
    explicit ScriptDriver(std::ostream& transcript, std::string name = "script");

    // Reads a script; false with the reason (naming the line) when a line does not parse.
    bool Load(const std::filesystem::path& file, std::string& error);
    bool AddLines(std::string_view text, std::string& error);

    ScriptDriver& Add(Action action);
    ScriptDriver& Type(UINT id, const WString& text);
    ScriptDriver& Pick(UINT id, int index);
    ScriptDriver& Pick(UINT id, const WString& entry);
    ScriptDriver& Tick(UINT id);
    ScriptDriver& Untick(UINT id);
    ScriptDriver& TickRow(UINT grid, int row, int column = -1);
    ScriptDriver& UntickRow(UINT grid, int row, int column = -1);
    ScriptDriver& Choose(UINT id);
    ScriptDriver& Click(UINT id);
    ScriptDriver& Tab(UINT id, int index);
    ScriptDriver& Tab(UINT id, const WString& label);
    ScriptDriver& Tap(UINT grid, int row, int column);
    ScriptDriver& Edit(UINT grid, int row, int column, const WString& text);
    ScriptDriver& Close();
    ScriptDriver& Ok();
    ScriptDriver& Yes();
    ScriptDriver& No();
    ScriptDriver& Cancel();
    ScriptDriver& File(const WString& path);
    ScriptDriver& Folder(const WString& path);
    ScriptDriver& Show(UINT id = 0);
    // Picks on the CAD view: the insert of that name, the entity, an entity of the n-th row 7.
    ScriptDriver& Point(const WString& name);
    ScriptDriver& PointEnt(int ent);
    ScriptDriver& PointRow(int row);
    ScriptDriver& Snapshot(const WString& file);

    std::size_t Remaining() const { return m_Actions.size() - m_Next; }
    // Where the first unused action stands.
    std::string NextWhere() const {
        return m_Next < m_Actions.size() ? m_Actions[m_Next].where : std::string();
    }

protected:
    std::optional<Action> Next(const Prompt& prompt) override;
    void Refuse(const Action& action, const Prompt& prompt, const std::string& why) override;
    [[noreturn]] void RanOut(const Prompt& prompt) override;

private:
    ScriptDriver& Push(Action::Verb verb, UINT id = 0);
    std::string m_Name;
    std::vector<Action> m_Actions;
    std::size_t m_Next = 0;
    std::string m_LastWhere;
};

// Where a person's lines come from: a stream, or the line editor.
class HOSTAPI LineSource {
public:
    virtual ~LineSource();
    // Shows the prompt and reads one line, without its end; false when the input has ended.
    virtual bool Read(const std::string& prompt, std::string& line) = 0;
};

using Completion = parti::Completion;
// Completes a command, a control of the dialog (by id or [label], only those the command acts on), or
// an entry of the control a pick or tab names. No dialog: only the commands.
HOSTAPI Completion Complete(const UiWindow* dialog, std::string_view before);

// The line editor of a real terminal (libedit): editing, history loaded from and saved to `history`
// (none when empty), Tab completion through `complete`. Null, with the reason in Italian, when libedit's
// part cannot be loaded.
HOSTAPI std::unique_ptr<LineSource> EditedLines(const std::filesystem::path& history,
                                                std::function<Completion(std::string_view)> complete,
                                                std::string& why);
// The history file in the user's home folder; empty without HOME.
HOSTAPI std::filesystem::path HistoryFile();

// A person at a terminal: each dialog is shown when it comes up, commands are read line by line, and a
// command that does not fit is answered with the reason, in Italian.
class HOSTAPI TerminalDriver : public Driver {
public:
    TerminalDriver(std::istream& in, std::ostream& out);
    TerminalDriver(std::ostream& out, std::unique_ptr<LineSource> lines);
    ~TerminalDriver() override;
    void SetLines(std::unique_ptr<LineSource> lines) { m_Lines = std::move(lines); }
    // Completion in the dialog that waits for the person.
    Completion CompleteHere(std::string_view before) const;

protected:
    std::optional<Action> Next(const Prompt& prompt) override;
    void Refuse(const Action& action, const Prompt& prompt, const std::string& why) override;
    [[noreturn]] void RanOut(const Prompt& prompt) override;
    std::string MessageBoxLine(const WString& text, const WString& title, UINT style) const override;

private:
    // Shows the dialog when it comes up, and after each action the lines of it that changed.
    void Redraw(const UiWindow& dialog);

    std::unique_ptr<LineSource> m_Lines;
    std::ostream& m_Screen;
    const UiWindow* m_Waiting = nullptr;
    const void* m_Shown = nullptr;
    std::size_t m_ShownOpened = 0;
    std::string m_LastScreen;
};

// The driver DoModal and the message boxes use; null when there is none (DoModal then gives -1).
HOSTAPI Driver* ActiveDriver();
// Makes driver the active one; returns the previous one.
HOSTAPI Driver* SetActiveDriver(Driver* driver);
// The transcript's words: Italian for a person, the tests' own otherwise.
inline const char* Parole(const char* test, const char* persona) {
    const Driver* driver = ActiveDriver();
    return driver && driver->ForPerson() ? persona : test;
}

// For unit tests of single dialogs: a script driver, active for the object's lifetime, whose
// transcript is kept in memory.
struct TranscriptBuffer {
    std::ostringstream m_Text;
};
class HOSTAPI ScriptedUi : private TranscriptBuffer, public ScriptDriver {
public:
    ScriptedUi();
    ~ScriptedUi() override;
    std::string TranscriptText() const { return m_Text.str(); }

private:
    Driver* m_Previous;
};

// For pregeo-host: a script driver over the file when one is given, the terminal driver otherwise,
// writing the transcript to the stream. False with the reason when the script cannot be read.
HOSTAPI bool InstallDriver(const std::optional<std::filesystem::path>& script, std::ostream& transcript,
                           std::string& error);
// Removes the installed driver; false with the reason when script actions were left unused.
HOSTAPI bool FinishDriver(std::string& error);

// DoModal's road to the active driver.
int RunModalDialog(CWSizeDialog& dialog);

// The state of a dialog (its controls in template order, visible pages inside) or of one control in
// full (every entry of a list), as the transcript shows them; with persona in the terminal's Italian, every
// entry of a list shown and grid images said in words.
HOSTAPI std::string RenderDialog(const UiWindow& dialog, bool persona = false);
HOSTAPI std::string RenderControl(const UiWindow& control, bool full, bool persona = false);
// A text in double quotes, with \" \\ \n \r \t escaped and other control characters as \u00XX, UTF-8.
HOSTAPI std::string Quote(const WString& text);
// A message fit for the terminal: control characters written as in Quote.
HOSTAPI std::string Printable(std::string_view utf8);

} // namespace host::ui
