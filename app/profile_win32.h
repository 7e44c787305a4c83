// The settings file through the system's profile functions.
#pragma once

#include "app/settings.h"

namespace lumeret {

class IniProfile : public IProfile {
public:
    explicit IniProfile(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> ReadString(const std::string& section, const std::string& key) override;
    bool WriteString(const std::string& section, const std::string& key, const std::string& value) override;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace lumeret
