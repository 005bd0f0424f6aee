// A driver that plays a list of actions: a script file, lines of text, or actions built by a test.
#include "host/ui/Driver.h"

#include "host/core/Limits.h"
#include "host/ui/DriverParts.h"

#include <fstream>

namespace host::ui {

using namespace detail;

// ---------------------------------------------------------------------------------------------------
// ScriptDriver

ScriptDriver::ScriptDriver(std::ostream& transcript, std::string name)
    : Driver(transcript), m_Name(std::move(name)) {}

bool ScriptDriver::Load(const std::filesystem::path& file, std::string& error) {
    std::string text, why;
    int code = 0;
    if (!ReadFileBounded(file, kMaxScriptBytes, text, &why, &code)) {
        error =
            "non si legge lo script " + file.string() +
            (code == EFBIG ? ": supera il limite di " + std::to_string(kMaxScriptBytes / kMiB) + " MiB" : "");
        return false;
    }
    m_Name = file.filename().string();
    return AddLines(text, error);
}

bool ScriptDriver::AddLines(std::string_view text, std::string& error) {
    std::size_t lineNo = 0;
    std::vector<Action> parsed;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        std::string why;
        std::optional<Action> a = ParseAction(line, why);
        if (!why.empty()) {
            error = m_Name + ":" + std::to_string(lineNo) + ": " + why;
            return false;
        }
        if (a) {
            a->where = m_Name + ":" + std::to_string(lineNo);
            parsed.push_back(std::move(*a));
        }
    }
    for (auto& a : parsed)
        m_Actions.push_back(std::move(a));
    return true;
}

ScriptDriver& ScriptDriver::Add(Action action) {
    if (action.where.empty())
        action.where = "action " + std::to_string(m_Actions.size() + 1);
    m_Actions.push_back(std::move(action));
    return *this;
}

ScriptDriver& ScriptDriver::Push(Action::Verb verb, UINT id) {
    Action a;
    a.verb = verb;
    a.id = id;
    return Add(std::move(a));
}

ScriptDriver& ScriptDriver::Type(UINT id, const WString& text) {
    Push(Action::Verb::Type, id);
    m_Actions.back().text = text;
    return *this;
}
ScriptDriver& ScriptDriver::Pick(UINT id, int index) {
    Push(Action::Verb::Pick, id);
    m_Actions.back().index = index;
    return *this;
}
ScriptDriver& ScriptDriver::Pick(UINT id, const WString& entry) {
    Push(Action::Verb::Pick, id);
    m_Actions.back().text = entry;
    return *this;
}
ScriptDriver& ScriptDriver::Tick(UINT id) {
    return Push(Action::Verb::Tick, id);
}
ScriptDriver& ScriptDriver::Untick(UINT id) {
    return Push(Action::Verb::Untick, id);
}
ScriptDriver& ScriptDriver::TickRow(UINT grid, int row, int column) {
    Push(Action::Verb::Tick, grid);
    m_Actions.back().row = row;
    m_Actions.back().column = column;
    return *this;
}
ScriptDriver& ScriptDriver::UntickRow(UINT grid, int row, int column) {
    Push(Action::Verb::Untick, grid);
    m_Actions.back().row = row;
    m_Actions.back().column = column;
    return *this;
}
ScriptDriver& ScriptDriver::Choose(UINT id) {
    return Push(Action::Verb::Choose, id);
}
ScriptDriver& ScriptDriver::Click(UINT id) {
    return Push(Action::Verb::Click, id);
}
ScriptDriver& ScriptDriver::Tab(UINT id, int index) {
    Push(Action::Verb::Tab, id);
    m_Actions.back().index = index;
    return *this;
}
ScriptDriver& ScriptDriver::Tab(UINT id, const WString& label) {
    Push(Action::Verb::Tab, id);
    m_Actions.back().text = label;
    return *this;
}
ScriptDriver& ScriptDriver::Tap(UINT grid, int row, int column) {
    Push(Action::Verb::Tap, grid);
    m_Actions.back().row = row;
    m_Actions.back().column = column;
    return *this;
}
ScriptDriver& ScriptDriver::Edit(UINT grid, int row, int column, const WString& text) {
    Push(Action::Verb::Edit, grid);
    m_Actions.back().row = row;
    m_Actions.back().column = column;
    m_Actions.back().text = text;
    return *this;
}
ScriptDriver& ScriptDriver::Close() {
    return Push(Action::Verb::Close);
}
ScriptDriver& ScriptDriver::Ok() {
    return Push(Action::Verb::Ok);
}
ScriptDriver& ScriptDriver::Yes() {
    return Push(Action::Verb::Yes);
}
ScriptDriver& ScriptDriver::No() {
    return Push(Action::Verb::No);
}
ScriptDriver& ScriptDriver::Cancel() {
    return Push(Action::Verb::Cancel);
}
ScriptDriver& ScriptDriver::File(const WString& path) {
    Push(Action::Verb::File);
    m_Actions.back().text = path;
    return *this;
}
ScriptDriver& ScriptDriver::Folder(const WString& path) {
    Push(Action::Verb::Folder);
    m_Actions.back().text = path;
    return *this;
}
ScriptDriver& ScriptDriver::Show(UINT id) {
    return Push(Action::Verb::Show, id);
}
ScriptDriver& ScriptDriver::Point(const WString& name) {
    Push(Action::Verb::Point);
    m_Actions.back().text = name;
    return *this;
}
ScriptDriver& ScriptDriver::PointEnt(int ent) {
    Push(Action::Verb::Point);
    m_Actions.back().index = ent;
    return *this;
}
ScriptDriver& ScriptDriver::PointRow(int row) {
    Push(Action::Verb::Point);
    m_Actions.back().row = row;
    return *this;
}
ScriptDriver& ScriptDriver::Snapshot(const WString& file) {
    Push(Action::Verb::Snapshot);
    m_Actions.back().text = file;
    return *this;
}

std::optional<Action> ScriptDriver::Next(const Prompt&) {
    if (m_Next >= m_Actions.size())
        return std::nullopt;
    m_LastWhere = m_Actions[m_Next].where;
    return m_Actions[m_Next++];
}

void ScriptDriver::Refuse(const Action& action, const Prompt& prompt, const std::string& why) {
    throw ScriptError(action.where + ": " + prompt.Describe() + ": " + action.Canonical() + ": " + why);
}

void ScriptDriver::RanOut(const Prompt& prompt) {
    const std::string what =
        (prompt.kind == Prompt::Kind::Dialog ? "è ancora aperta " : "aspetta ") + prompt.Descrivi();
    if (m_LastWhere.empty())
        throw ScriptError(m_Name + ": lo script non ha azioni, ma " + what);
    throw ScriptError(m_LastWhere + ": lo script finisce qui, ma " + what);
}

ScriptedUi::ScriptedUi() : ScriptDriver(m_Text, "test"), m_Previous(SetActiveDriver(this)) {}

ScriptedUi::~ScriptedUi() {
    SetActiveDriver(m_Previous);
}

} // namespace host::ui
