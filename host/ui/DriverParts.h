// What the drivers share besides their public interface: the command language's words, label matching
// and the listing of a file or folder choice.
#pragma once

#include "host/ui/Driver.h"
#include "host/ui/Window.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace host::ui::detail {

struct VerbName {
    Action::Verb verb;
    const char* name;
};

inline constexpr VerbName kVerbs[] = {
    {Action::Verb::Type, "type"},     {Action::Verb::Pick, "pick"},     {Action::Verb::Tick, "tick"},
    {Action::Verb::Untick, "untick"}, {Action::Verb::Choose, "choose"}, {Action::Verb::Click, "click"},
    {Action::Verb::Tab, "tab"},       {Action::Verb::Tap, "tap"},       {Action::Verb::Edit, "edit"},
    {Action::Verb::Close, "close"},   {Action::Verb::Ok, "ok"},         {Action::Verb::Yes, "yes"},
    {Action::Verb::No, "no"},         {Action::Verb::Cancel, "cancel"}, {Action::Verb::File, "file"},
    {Action::Verb::Folder, "folder"}, {Action::Verb::Show, "show"},
};

// The CAD view's commands.
inline constexpr VerbName kVerbiCad[] = {{Action::Verb::Point, "point"},
                                         {Action::Verb::Snapshot, "snapshot"}};

const char* VerbText(Action::Verb verb);
// A person's words for a control's kind and for a message box's icon ("nessuna icona" for none).
const char* TipoPerPersona(ControlKind kind);
const char* Icona(UINT style);
std::string_view TrimView(std::string_view s);
// The answers a message box offers, and as the command language lists them.
std::vector<Action::Verb> Answers(UINT style);
std::string AnswerList(UINT style);
std::string IconText(UINT style);
// A label as a person reads it: no '&' marks, no trailing colon, blanks and case aside.
WString LabelKey(const WString& label);
// The input a label names: the control that follows it in its dialog or page; the control itself otherwise.
UiWindow* LabelledInput(UiWindow* label);

// What a file or folder choice offers: the folder where relative paths start, its subfolders and the
// files that fit the filter (none for a folder choice), sorted.
struct FolderListing {
    std::filesystem::path folder;
    std::vector<std::string> folders;
    std::vector<std::string> files;
};
// `sub`, a folder inside the project's (as a relative path), lists that one; a path that leaves the project
// lists nothing.
FolderListing ListFolder(const WString* filter, const std::string& sub = {});

// What a grid's image says to a person ("In tolleranza", "modifica").
std::string ImageMeaning(const GridState& g, int column, int image);

} // namespace host::ui::detail
