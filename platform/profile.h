// A profile ("INI") file: sections of keys with string values. The windows
// build reads and writes it through the system's profile functions.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumeret {

struct ProfileValue {
    std::string section;
    std::string key;
    std::string value;
};

class IProfile {
public:
    virtual ~IProfile() = default;
    // The value, or nothing when the key is missing.
    virtual std::optional<std::string> ReadString(const std::string& section, const std::string& key) = 0;
    // Writes the values in their order, all in one step: afterwards the file
    // holds every one of them, or it is as it was. False when the file could
    // not be written.
    virtual bool WriteStrings(const std::vector<ProfileValue>& values) = 0;
    // The file's path, for messages.
    virtual std::string Path() const = 0;
};

}  // namespace lumeret
