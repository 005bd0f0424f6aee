#include "host/ui/WebDriver.h"

#include "host/ui/DriverParts.h"
#include "host/ui/Window.h"

#include <nlohmann/json.hpp>

namespace host::ui {

using namespace detail;
using nlohmann::json;

namespace {

std::string Utf8(const WString& s) {
    return s.ToUtf8();
}

json Colour(COLORREF c) {
    if (c == CLR_DEFAULT)
        return nullptr;
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<unsigned>(c & 0xFF),
                  static_cast<unsigned>((c >> 8) & 0xFF), static_cast<unsigned>((c >> 16) & 0xFF));
    return text;
}

// An image of a list: the support bitmap it is cut from and where, so that the page shows that part.
json Image(const CImageList* list, int index) {
    if (!list || index < 0)
        return nullptr;
    for (const ImageStrip& s : ImageSources(list))
        if (index >= s.first && index < s.first + s.count && !s.file.empty())
            return json{{"file", s.file},
                        {"trasparente", Colour(s.mask).get<std::string>().substr(1)},
                        {"x", (index - s.first) * list->GetImageWidth()},
                        {"w", list->GetImageWidth()},
                        {"h", list->GetImageHeight()},
                        {"n", index}};
    return json{{"n", index}};
}

json Grid(const GridState& g) {
    json rows = json::array();
    for (int r = 0; r < g.RowCount(); ++r) {
        json cells = json::array();
        for (int col = 0; col < g.columns; ++col) {
            const GridCell cell = g.cells.Get(r, col);
            json c{{"t", Utf8(cell.text)}};
            if (cell.hasCheck)
                c["v"] = cell.checked;
            if (cell.image >= 0) {
                c["img"] = Image(g.images, cell.image);
                c["senso"] = ImageMeaning(g, col, cell.image);
            }
            if (cell.bk != CLR_DEFAULT)
                c["bk"] = Colour(cell.bk);
            if (cell.fg != CLR_DEFAULT)
                c["fg"] = Colour(cell.fg);
            if (cell.format & DT_RIGHT)
                c["a"] = "r";
            else if (cell.format & DT_CENTER)
                c["a"] = "c";
            cells.push_back(std::move(c));
        }
        rows.push_back(std::move(cells));
    }
    return json{{"fisse", g.fixedRows},     {"colonne", g.columns}, {"larghezze", g.widths},
                {"righe", std::move(rows)}, {"sel", g.selectedRow}, {"modificabile", g.editable}};
}

json Window(const UiWindow& w);

json Control(const UiWindow& c) {
    json j{{"id", c.id},           {"x", c.rect.left},      {"y", c.rect.top},     {"w", c.rect.Width()},
           {"h", c.rect.Height()}, {"testo", Utf8(c.text)}, {"attivo", c.enabled}, {"visibile", c.visible}};
    if (c.isDialog) {
        j["tipo"] = "pagina";
        j["controlli"] = Window(c)["controlli"];
        return j;
    }
    if (c.custom) {
        j["tipo"] = "cad";
        json picks = json::array();
        for (const auto& p : c.custom->Picks())
            picks.push_back(json{{"testo", p.label}, {"comando", p.command}, {"entita", p.entities}});
        j["scelte"] = std::move(picks);
        return j;
    }
    j["tipo"] = TipoPerPersona(c.kind);
    switch (c.kind) {
    case ControlKind::CheckBox:
    case ControlKind::Radio:
        j["spuntato"] = c.check == BST_CHECKED;
        break;
    case ControlKind::Edit: {
        j["sola"] = c.readOnly;
        j["numerico"] = dynamic_cast<const CCEEditKeybNum*>(c.Primary()) != nullptr || (c.style & ES_NUMBER);
        if (c.textLimit > 0)
            j["limite"] = c.textLimit;
        break;
    }
    case ControlKind::ComboList:
    case ControlKind::ComboEdit:
    case ControlKind::ListBox:
    case ControlKind::Tab: {
        json items = json::array();
        for (const auto& i : c.items)
            items.push_back(Utf8(i.text));
        j["voci"] = std::move(items);
        j["sel"] = c.curSel;
        break;
    }
    case ControlKind::Button:
        if (c.images && c.image >= 0)
            j["img"] = Image(c.images, c.image);
        break;
    case ControlKind::Grid:
        if (c.grid)
            j["griglia"] = Grid(*c.grid);
        break;
    default:
        break;
    }
    return j;
}

json Window(const UiWindow& w) {
    json controls = json::array();
    for (const auto& c : w.children)
        controls.push_back(Control(*c));
    return json{{"id", w.id},          {"titolo", Utf8(w.text)}, {"fuoco", w.focus},
                {"w", w.rect.Width()}, {"h", w.rect.Height()},   {"controlli", std::move(controls)}};
}

json Listing(const WString* filter, const std::string& sub = {}) {
    const FolderListing l = ListFolder(filter, sub);
    return json{{"cartella", l.folder.string()}, {"sotto", sub}, {"cartelle", l.folders}, {"file", l.files}};
}

} // namespace

std::string PromptJson(const Prompt& prompt) {
    json j;
    switch (prompt.kind) {
    case Prompt::Kind::Dialog:
        j["modo"] = "finestra";
        j["finestra"] = Window(*prompt.dialog);
        break;
    case Prompt::Kind::MessageBox: {
        j["modo"] = "messaggio";
        json answers = json::array();
        for (Action::Verb v : Answers(prompt.style))
            answers.push_back(VerbText(v));
        j["messaggio"] = json{{"titolo", Utf8(prompt.title)},
                              {"testo", Utf8(prompt.text)},
                              {"icona", (prompt.style & 0xF0) ? Icona(prompt.style) : ""},
                              {"risposte", std::move(answers)}};
        break;
    }
    case Prompt::Kind::File:
        j["modo"] = "file";
        j["file"] = Listing(&prompt.text);
        j["file"]["filtro"] = Utf8(prompt.text);
        break;
    case Prompt::Kind::Folder:
        j["modo"] = "cartella";
        j["file"] = Listing(nullptr);
        break;
    }
    // Invalid UTF-16 in a text from the module must not make the page's state unreadable.
    return j.dump(-1, ' ', false, json::error_handler_t::replace);
}

namespace {

std::string FolderJson(const WString* filter, const std::string& sub) {
    return Listing(filter, sub).dump(-1, ' ', false, json::error_handler_t::replace);
}

} // namespace

WebDriver::WebDriver() : Driver(m_Text) {}

WebDriver::~WebDriver() = default;

void WebDriver::Begin(const std::string& tool) {
    m_Text.str({});
    m_Text.clear();
    std::lock_guard lock(m_Mutex);
    m_Tool = tool;
    m_Script.clear();
    m_LastCarried.clear();
    m_Refused.clear();
    m_Shown.clear();
    m_Abandoned = false;
    m_Action.reset();
}

std::vector<std::string> WebDriver::DialogsShown() const {
    std::lock_guard lock(m_Mutex);
    return m_Shown;
}

std::string WebDriver::RecordedScript() const {
    std::lock_guard lock(m_Mutex);
    return m_Script;
}

void WebDriver::PublishLocked(std::string state) {
    m_State = std::move(state);
    ++m_Seq;
    m_Busy = false;
    m_Changed.notify_all();
}

void WebDriver::Publish(const std::string& state) {
    std::lock_guard lock(m_Mutex);
    m_Waiting = false;
    json j = json::parse(state);
    if (!m_Drawing.empty())
        j["disegno"] = m_DrawingN;
    PublishLocked(j.dump(-1, ' ', false, json::error_handler_t::replace));
}

std::string WebDriver::State() const {
    std::lock_guard lock(m_Mutex);
    json j = m_State.empty() ? json::object() : json::parse(m_State);
    j["seq"] = m_Seq;
    j["occupato"] = m_Busy;
    return j.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string WebDriver::Folder(const std::string& sub) const {
    WString filter;
    bool file = false;
    {
        std::lock_guard lock(m_Mutex);
        file = m_Waiting && m_FileChoice;
        filter = m_Filter;
    }
    return FolderJson(file ? &filter : nullptr, sub);
}

std::uint64_t WebDriver::Seq() const {
    std::lock_guard lock(m_Mutex);
    return m_Seq;
}

WebAnswer WebDriver::Submit(std::string_view line, std::chrono::milliseconds wait) {
    std::string why;
    std::optional<Action> action = ParseAction(line, why);
    if (!action)
        return {400, why.empty() ? "nessuna azione" : why};
    action->where = "pagina";
    std::unique_lock lock(m_Mutex);
    if (!m_Waiting || m_Action)
        return {409, "in questo momento nulla aspetta un'azione"};
    m_Action = std::move(action);
    m_Waiting = false;
    m_Busy = true;
    const std::uint64_t seq = m_Seq;
    m_Changed.notify_all();
    m_Changed.wait_for(lock, wait, [&] { return m_Seq != seq; });
    return {};
}

void WebDriver::WaitAfter(std::uint64_t seq, std::chrono::milliseconds wait) const {
    std::unique_lock lock(m_Mutex);
    m_Changed.wait_for(lock, wait, [&] { return m_Seq != seq; });
}

void WebDriver::SetDrawing(std::string svg) {
    std::lock_guard lock(m_Mutex);
    if (svg == m_Drawing)
        return;
    m_Drawing = std::move(svg);
    ++m_DrawingN;
}

std::string WebDriver::Drawing() const {
    std::lock_guard lock(m_Mutex);
    return m_Drawing;
}

namespace {

const UiCustom* CadOf(const UiWindow& w) {
    if (w.custom && w.visible)
        return w.custom;
    for (const auto& c : w.children)
        if (const UiCustom* found = CadOf(*c))
            return found;
    return nullptr;
}

} // namespace

void WebDriver::Abandon() {
    std::lock_guard lock(m_Mutex);
    m_Abandoned = true;
    m_Changed.notify_all();
}

std::optional<Action> WebDriver::Next(const Prompt& prompt) {
    json state = json::parse(PromptJson(prompt));
    // A message or a choice is shown over the dialog it came from.
    if (prompt.kind != Prompt::Kind::Dialog && CurrentDialog()) {
        Prompt sotto;
        sotto.dialog = CurrentDialog();
        state["finestra"] = json::parse(PromptJson(sotto))["finestra"];
    }
    // The view's picture is drawn here, on the tool's thread, which alone may touch its drawing.
    const UiWindow* dialog = prompt.kind == Prompt::Kind::Dialog ? prompt.dialog : CurrentDialog();
    if (const UiCustom* cad = dialog ? CadOf(*dialog) : nullptr) {
        SetDrawing(cad->Svg());
        std::lock_guard lock(m_Mutex);
        // Said once, right after the pick it is about.
        if (const std::string why = cad->LastRefusal();
            !why.empty() && prompt.kind == Prompt::Kind::Dialog && m_LastCarried.rfind("point ", 0) == 0)
            state["nonIndicato"] = why;
    }
    std::unique_lock lock(m_Mutex);
    if (!m_Drawing.empty())
        state["disegno"] = m_DrawingN;
    m_Filter = prompt.kind == Prompt::Kind::File ? prompt.text : WString();
    m_FileChoice = prompt.kind == Prompt::Kind::File;
    state["strumento"] = m_Tool;
    if (!m_Refused.empty())
        state["rifiutata"] = m_Refused;
    m_Refused.clear();
    // A long session keeps its last dialogs: the results come at the end.
    constexpr std::size_t kDialoghiTenuti = 256;
    if (prompt.kind == Prompt::Kind::Dialog) {
        if (m_Shown.size() >= kDialoghiTenuti)
            m_Shown.erase(m_Shown.begin());
        m_Shown.push_back(state["finestra"].dump(-1, ' ', false, json::error_handler_t::replace));
    }
    m_Waiting = true;
    PublishLocked(state.dump(-1, ' ', false, json::error_handler_t::replace));
    m_Changed.wait(lock, [&] { return m_Action.has_value() || m_Abandoned; });
    m_Waiting = false;
    if (m_Abandoned)
        return std::nullopt;
    std::optional<Action> action = std::move(m_Action);
    m_Action.reset();
    return action;
}

void WebDriver::Refuse(const Action&, const Prompt&, const std::string& why) {
    std::lock_guard lock(m_Mutex);
    m_Refused = why;
}

void WebDriver::RanOut(const Prompt& prompt) {
    throw ScriptError("pagina: lo strumento è stato abbandonato mentre c'era " + prompt.Descrivi() +
                      "; non si salva nulla");
}

void WebDriver::Carried(const std::string& canonical) {
    std::lock_guard lock(m_Mutex);
    m_Script += canonical + "\n";
    m_LastCarried = canonical;
}

} // namespace host::ui
