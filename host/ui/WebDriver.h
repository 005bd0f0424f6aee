// A person in a browser. The tool runs on its own thread as with the other drivers; what waits for the
// user is published as a state the page draws, and the page's actions, lines of the command language,
// come back through the same road as a script's lines. The server's threads only call the public
// functions below, which are safe from any thread.
#pragma once

#include "host/ui/Driver.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace host::ui {

// What the page gets back for an action.
struct WebAnswer {
    int status = 200; // 400 a line that does not parse, 409 nothing waits for an action
    std::string why;  // Italian, for the page
};

class HOSTAPI WebDriver : private TranscriptBuffer, public Driver {
public:
    WebDriver();
    ~WebDriver() override;

    // The tool's thread: a tool starts (the transcript and the recorded script begin afresh) and ends.
    void Begin(const std::string& tool);
    std::string TranscriptText() const { return m_Text.str(); }
    // The actions carried out since Begin, one line each, as a script replays them.
    std::string RecordedScript() const;
    // The dialogs shown since Begin, each time one waited for the user (JSON, as in the state's
    // "finestra"): what a tool's results said, for the drawing after it.
    std::vector<std::string> DialogsShown() const;
    // Publishes a state of the host's own (the list of tools, the end of a tool): a JSON object.
    void Publish(const std::string& json);

    // Any thread. The state as JSON: "seq" counts the states published, "occupato" says that an action
    // is being carried out.
    std::string State() const;
    std::uint64_t Seq() const;
    // Hands a line of the command language to what waits, then waits up to `wait` for the state it
    // leads to.
    WebAnswer Submit(std::string_view line, std::chrono::milliseconds wait);
    // The listing of a folder of the project (relative path), with the files that fit the file choice
    // that waits: a page that walks down from the project's folder.
    std::string Folder(const std::string& sub) const;
    // Waits up to `wait` for a state after `seq`.
    void WaitAfter(std::uint64_t seq, std::chrono::milliseconds wait) const;
    // The page gave the tool up: what waits is told the input ended (nothing is saved).
    void Abandon();

    // The drawing the page shows beside the tools, as SVG: the survey set here between tools, the CAD
    // view's own picture while one is open. The state's "disegno" numbers it, so that the page fetches
    // it again only when it changed.
    void SetDrawing(std::string svg);
    std::string Drawing() const;

protected:
    std::optional<Action> Next(const Prompt& prompt) override;
    void Refuse(const Action& action, const Prompt& prompt, const std::string& why) override;
    [[noreturn]] void RanOut(const Prompt& prompt) override;
    void Carried(const std::string& canonical) override;

private:
    void PublishLocked(std::string json);

    std::string m_Tool;
    std::string m_Script;
    std::string m_LastCarried;
    std::string m_Refused; // why the last action was refused, shown with the next state
    std::vector<std::string> m_Shown;

    mutable std::mutex m_Mutex;
    mutable std::condition_variable m_Changed;
    std::string m_State;
    std::uint64_t m_Seq = 0;
    bool m_Waiting = false;
    bool m_Busy = false;
    bool m_Abandoned = false;
    std::optional<Action> m_Action;
    WString m_Filter;
    std::string m_Drawing;
    std::uint64_t m_DrawingN = 0;
    bool m_FileChoice = false;
};

// The state of what waits for the user, as the page draws it (JSON): the dialog with its controls,
// pages and grids, a message box, a file or folder choice.
HOSTAPI std::string PromptJson(const Prompt& prompt);

} // namespace host::ui
