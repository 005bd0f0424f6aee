// Host settings file: sections and keys of typed values.
#pragma once

#include "hostapi/Platform.h"
#include "hostapi/WString.h"

#include <cstdint>
#include <map>
#include <string>

// The host's settings file. A default-constructed object works on the host's current settings file;
// every write goes to the file at once and is atomic (a crash mid-write never leaves a half file).
class HOSTAPI CIniFile {
public:
    CIniFile();
    explicit CIniFile(const WString& path);

    // Typed getters give the default when the key is missing or its value does not read as the type.
    short GetShort(const WString& section, const WString& key, short def) const;
    std::int32_t GetLong(const WString& section, const WString& key, std::int32_t def) const;
    bool GetBool(const WString& section, const WString& key, bool def) const;
    double GetDouble(const WString& section, const WString& key, double def) const;
    WString GetString(const WString& section, const WString& key, const WString& def) const;

    // Writers answer false when the file could not be written; the file then keeps its old content.
    bool WriteShort(const WString& section, const WString& key, short value);
    bool WriteLong(const WString& section, const WString& key, std::int32_t value);
    bool WriteBool(const WString& section, const WString& key, bool value);
    bool WriteDouble(const WString& section, const WString& key, double value);
    bool WriteString(const WString& section, const WString& key, const WString& value);

    const WString& GetPath() const { return m_Path; }

private:
    bool Write(const WString& section, const WString& key, const WString& value);
    bool Find(const WString& section, const WString& key, WString& value) const;
    WString m_Path;
};
