// A profile file through the system's profile functions.
#pragma once

#include "platform/profile.h"

namespace lumeret {

class IniProfile : public IProfile {
public:
    explicit IniProfile(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> ReadString(const std::string& section, const std::string& key) override;
    // The keys go into a copy of the file, which then replaces it: the file
    // keeps its other sections and keys in their order, and a process that
    // dies meanwhile leaves it as it was.
    bool WriteStrings(const std::vector<ProfileValue>& values) override;
    std::string Path() const override { return path_; }

private:
    std::string path_;
};

}  // namespace lumeret
