// Where the stand-in host keeps its files: set by the program (or a test) before the module runs.
#pragma once

#include "hostapi/WString.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace host {

struct Folders {
    std::filesystem::path install;  // holds Support/
    std::filesystem::path jobs;     // the job folder
    std::filesystem::path settings; // the settings file
};

void SetFolders(const Folders& folders);
const Folders& GetFolders();

// Maps a device path (backslashes, any case) to this file system: separators become '/', a relative path
// starts from the install folder when that is absolute, and each part that does not exist as written is
// matched without regard to case against the folder's entries.
std::filesystem::path ResolvePath(const WString& devicePath);

// The host's own settings, section "Host" of the settings file. "Connessione=offline" plays a device
// without a network: the connection check says so and every download fails; any other value, or none,
// is online.
bool IsOnline();

// Every Sleep is scaled by the environment variable PREGEO_HOST_SLEEP (a factor, 1 when unset or not a
// number; tests set 0 so that the module's waits cost nothing). What was asked for is counted.
unsigned long long SleepRequested();

// Settings given to the program (pregeo-host --setting): read as if the settings file held them, until
// the key is written.
void SetSettingOverride(const WString& section, const WString& key, const WString& value);
void ClearSettingOverrides();

// Files opened for reading through the runtime's _wfopen since the program started: a test counts with it
// how often the module reads a file.
std::size_t FileAperti();
void RegistraFileAperto();

// Writes a file beside its target and renames it into place, so that readers never see half a file.
// A read-only target is refused. On failure the old file stays and `why` gets the reason, in Italian.
bool WriteFileAtomic(const std::filesystem::path& target, const std::string& bytes,
                     std::string* why = nullptr);

// Files held in memory in place of the disk's, by full path: a fuzz target hands its input to the readers
// this way, through the same functions the program reads with (the runtime's _wfopen, ReadFileBounded,
// device paths), and WriteFileAtomic writes back there. The program holds none.
void SetMemoryFile(const std::filesystem::path& path, std::string bytes);
std::string* FindMemoryFile(const std::filesystem::path& path);
void ClearMemoryFiles();

// A settings write that fails is told to the user through this notice (the program shows the host's
// message box); without one nothing is shown.
void SetSettingsWriteNotice(std::function<void(const WString& text)> notice);
// The settings files of the values that could not be written and have not been written since; empty
// when every value was kept.
std::vector<std::filesystem::path> SettingsNotKept();

// What the user is told of a failed file operation ("spazio su disco esaurito").
std::string CausaErrore(int error);

} // namespace host
