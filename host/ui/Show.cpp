// How the transcript shows dialogs and controls.
#include "host/ui/Driver.h"
#include "host/ui/DriverParts.h"
#include "host/ui/Window.h"

#include <algorithm>
#include <string>
#include <vector>

namespace host::ui {

namespace detail {

// What a grid's image says to a person: the row lists show the edit icon in their "Mod." column (a tap
// there opens the row), the result grids show the outcome.
std::string ImageMeaning(const GridState& g, int column, int image) {
    if (g.fixedRows > 0 && g.Valid(0, column) && g.cells.Text(0, column) == u"Mod.")
        return "modifica";
    if (image == 0)
        return "In tolleranza";
    if (image == 1)
        return "Fuori tolleranza";
    return "immagine " + std::to_string(image);
}

const char* TipoPerPersona(ControlKind kind) {
    switch (kind) {
    case ControlKind::Static:
        return "testo";
    case ControlKind::GroupBox:
        return "riquadro";
    case ControlKind::Button:
        return "pulsante";
    case ControlKind::CheckBox:
        return "casella";
    case ControlKind::Radio:
        return "opzione";
    case ControlKind::Edit:
        return "campo";
    case ControlKind::ComboList:
        return "scelta";
    case ControlKind::ComboEdit:
        return "scelta-mod";
    case ControlKind::ListBox:
        return "elenco";
    case ControlKind::Tab:
        return "schede";
    case ControlKind::Grid:
        return "griglia";
    }
    return "controllo";
}

const char* Icona(UINT style) {
    switch (style & 0xF0) {
    case MB_ICONERROR:
        return "errore";
    case MB_ICONQUESTION:
        return "domanda";
    case MB_ICONEXCLAMATION:
        return "attenzione";
    case MB_ICONINFORMATION:
        return "informazione";
    default:
        return "nessuna icona";
    }
}

} // namespace detail

using detail::ImageMeaning;
using detail::TipoPerPersona;

namespace {

// Control characters (C0, DEL, C1) never reach the terminal as they are: an escape sequence in a file
// or a script would act on it. `quotes` escapes '"' and '\\' too, as texts in double quotes need.
std::string Escape(const WString& text, bool quotes) {
    std::string out;
    std::u16string plain;
    const auto flush = [&]() {
        out += WString(plain).ToUtf8();
        plain.clear();
    };
    for (char16_t c : text.view()) {
        const char* named = c == u'\n' ? "\\n" : c == u'\r' ? "\\r" : c == u'\t' ? "\\t" : nullptr;
        if (quotes && (c == u'"' || c == u'\\')) {
            flush();
            out += '\\';
            out += static_cast<char>(c);
        } else if (named) {
            flush();
            out += named;
        } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
            flush();
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        } else {
            plain += c;
        }
    }
    flush();
    return out;
}

// Width in characters as the terminal shows them: UTF-8 continuation bytes take no room.
std::size_t Columns(const std::string& s) {
    return static_cast<std::size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string Pad(const std::string& s, std::size_t width) {
    const std::size_t n = Columns(s);
    return n >= width ? s : s + std::string(width - n, ' ');
}

std::string Selection(const UiWindow& c, bool persona) {
    const auto count = std::to_string(c.items.size());
    if (c.curSel < 0)
        return (persona ? "nessuna voce di " : "no entry of ") + count;
    return (persona ? "voce " : "entry ") + std::to_string(c.curSel) + (persona ? " di " : " of ") + count;
}

std::string GridCellText(const GridState& g, int column, const GridCell& cell, bool persona) {
    std::string out;
    if (cell.hasCheck)
        out += cell.checked ? "[x]" : "[ ]";
    if (cell.image >= 0) {
        if (!out.empty())
            out += ' ';
        out += persona ? ImageMeaning(g, column, cell.image) : "@" + std::to_string(cell.image);
    }
    if (!cell.text.IsEmpty()) {
        if (!out.empty())
            out += ' ';
        std::string t = Escape(cell.text, true);
        out += t;
    }
    return out;
}

void RenderGrid(const UiWindow& c, const std::string& indent, bool persona, std::string& out) {
    const GridState& g = *c.grid;
    const std::size_t perRow = static_cast<std::size_t>(g.columns) + 1;
    const auto text = [&](int r, std::size_t i) {
        if (i == 0)
            return std::to_string(r);
        const int column = static_cast<int>(i) - 1;
        return GridCellText(g, column, g.cells.Get(r, column), persona);
    };
    // The texts are made twice, once for the widths: a grid of a million rows is not held twice over.
    std::vector<std::size_t> widths(perRow, 0);
    for (int r = 0; r < g.RowCount(); ++r)
        for (std::size_t i = 0; i < perRow; ++i)
            widths[i] = std::max(widths[i], Columns(text(r, i)));
    std::string row;
    for (int r = 0; r < g.RowCount(); ++r) {
        row = indent + (r == g.selectedRow ? "> " : "  ");
        for (std::size_t i = 0; i < perRow; ++i) {
            if (i > 0)
                row += " | ";
            row += i + 1 < perRow ? Pad(text(r, i), widths[i]) : text(r, i);
        }
        // Empty cells at the end of a row leave no trailing separators.
        for (;;) {
            while (!row.empty() && row.back() == ' ')
                row.pop_back();
            if (row.size() < 2 || row.compare(row.size() - 2, 2, " |") != 0)
                break;
            row.resize(row.size() - 2);
        }
        out += row;
        out += '\n';
    }
}

std::string Flags(const UiWindow& c, bool persona) {
    std::vector<std::string> flags;
    if (!c.visible)
        flags.push_back(persona ? "nascosto" : "hidden");
    if (!c.enabled)
        flags.push_back(persona ? "disattivato" : "disabled");
    if (c.readOnly && (c.kind == ControlKind::Edit))
        flags.push_back(persona ? "sola lettura" : "read-only");
    std::string out;
    for (const auto& f : flags)
        out += (out.empty() ? " (" : ", ") + f;
    return out.empty() ? out : out + ")";
}

void RenderLine(const UiWindow& c, const std::string& indent, bool full, bool persona, std::string& out) {
    // A window the toolkit does not know shows itself.
    if (c.custom) {
        out += indent + Pad(std::to_string(c.id), 6) + Pad(c.custom->KindName(), 11) +
               c.custom->Render(false, indent) + Flags(c, persona) + "\n";
        if (full)
            out += c.custom->Render(true, indent + "      ");
        return;
    }
    std::string line =
        indent + Pad(std::to_string(c.id), 6) + Pad(persona ? TipoPerPersona(c.kind) : KindName(c.kind), 11);
    switch (c.kind) {
    case ControlKind::CheckBox:
        line += Quote(c.text) + (c.check == BST_CHECKED ? " [x]" : " [ ]");
        break;
    case ControlKind::Radio:
        line += Quote(c.text) + (c.check == BST_CHECKED ? " (o)" : " ( )");
        break;
    case ControlKind::ComboList:
        line += (c.curSel >= 0 ? Quote(c.items[c.curSel].text) : std::string("\"\"")) + ", " +
                Selection(c, persona);
        break;
    case ControlKind::ComboEdit:
        line += Quote(c.text) + ", " + Selection(c, persona);
        break;
    case ControlKind::ListBox:
        line +=
            (c.curSel >= 0 ? Quote(c.items[c.curSel].text) + ", " : std::string()) + Selection(c, persona);
        break;
    case ControlKind::Tab: {
        std::string tabs;
        for (std::size_t i = 0; i < c.items.size(); ++i) {
            const std::string label = Escape(c.items[i].text, true);
            tabs += (i ? " | " : "") + (static_cast<int>(i) == c.curSel ? "[" + label + "]" : label);
        }
        line += tabs.empty() ? std::string(persona ? "nessuna scheda" : "no tabs") : tabs;
        break;
    }
    case ControlKind::Grid: {
        const GridState& g = *c.grid;
        if (persona) {
            line += "righe " + std::to_string(g.RowCount()) + " (fisse " + std::to_string(g.fixedRows) +
                    "), colonne " + std::to_string(g.columns);
            if (g.selectedRow >= 0)
                line += ", selezionata la riga " + std::to_string(g.selectedRow);
            break;
        }
        line += std::to_string(g.RowCount()) + " rows (" + std::to_string(g.fixedRows) + " fixed), " +
                std::to_string(g.columns) + " columns";
        if (g.selectedRow >= 0)
            line += ", row " + std::to_string(g.selectedRow) + " selected";
        break;
    }
    default:
        line += Quote(c.text);
        if (c.image >= 0)
            line += (persona ? " immagine " : " image ") + std::to_string(c.image);
    }
    out += line + Flags(c, persona) + "\n";
    if (c.kind == ControlKind::Grid && c.grid) {
        RenderGrid(c, indent + "      ", persona, out);
    } else if (persona && c.IsList() && c.kind != ControlKind::Tab) {
        // A person sees every entry of a list or combo, the chosen one marked, several to a line.
        std::string row;
        for (std::size_t i = 0; i < c.items.size(); ++i) {
            const std::string entry = (static_cast<int>(i) == c.curSel ? "> #" : "#") + std::to_string(i) +
                                      " " + Quote(c.items[i].text);
            if (!row.empty() && Columns(row) + 2 + Columns(entry) > 96) {
                out += indent + "      " + row + "\n";
                row.clear();
            }
            row += (row.empty() ? "" : "  ") + entry;
        }
        if (!row.empty())
            out += indent + "      " + row + "\n";
    } else if (full && c.IsList()) {
        for (std::size_t i = 0; i < c.items.size(); ++i)
            out += indent + (static_cast<int>(i) == c.curSel ? "    > #" : "      #") + std::to_string(i) +
                   " " + Quote(c.items[i].text) + "\n";
    }
}

void RenderChildren(const UiWindow& dialog, const std::string& indent, bool persona, std::string& out) {
    for (const auto& c : dialog.children) {
        if (c->isDialog) {
            out += indent + (persona ? "pagina " : "page ") + std::to_string(c->id);
            if (!c->text.IsEmpty())
                out += " " + Quote(c->text);
            if (!c->visible) {
                out += persona ? " (nascosta)\n" : " (hidden)\n";
                continue;
            }
            out += "\n";
            RenderChildren(*c, indent + "  ", persona, out);
            continue;
        }
        RenderLine(*c, indent, false, persona, out);
    }
}

} // namespace

std::string Quote(const WString& text) {
    return "\"" + Escape(text, true) + "\"";
}

std::string Printable(std::string_view utf8) {
    return Escape(WString::FromUtf8(utf8), false);
}

std::string RenderDialog(const UiWindow& dialog, bool persona) {
    std::string out =
        (persona ? "finestra " : "dialog ") + std::to_string(dialog.id) + " " + Quote(dialog.text) + "\n";
    RenderChildren(dialog, "  ", persona, out);
    return out;
}

std::string RenderControl(const UiWindow& control, bool full, bool persona) {
    std::string out;
    RenderLine(control, "  ", full, persona, out);
    return out;
}

} // namespace host::ui
