// A profile file through the system's profile functions.
#pragma once

#include "platform/profile.h"

namespace lumeret {

class IniProfile : public IProfile {
public:
    explicit IniProfile(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> ReadString(const std::string& section, const std::string& key) override;
    bool WriteString(const std::string& section, const std::string& key, const std::string& value) override;
    std::string Path() const override { return path_; }

private:
    std::string path_;
};

}  // namespace lumeret
