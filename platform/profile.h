// A profile ("INI") file: sections of keys with string values. The windows
// build reads and writes it through the system's profile functions.
#pragma once

#include <optional>
#include <string>

namespace lumeret {

class IProfile {
public:
    virtual ~IProfile() = default;
    // The value, or nothing when the key is missing.
    virtual std::optional<std::string> ReadString(const std::string& section, const std::string& key) = 0;
    // False when the value could not be written.
    virtual bool WriteString(const std::string& section, const std::string& key, const std::string& value) = 0;
    // The file's path, for messages.
    virtual std::string Path() const = 0;
};

}  // namespace lumeret
