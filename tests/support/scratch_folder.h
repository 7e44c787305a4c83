// A fresh folder on the real file system for tests of the system clip folder,
// removed with everything in it afterwards. Paths use the program's "\"
// separator in both builds.
#pragma once

#include <string>

namespace lumeret::test {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, ending in "\".
    const std::string& Base() const { return base_; }

private:
    std::string base_;
};

// Attributes the clip folder interface reads but does not set. A hidden file
// is marked by its attribute on Windows and by a leading "." elsewhere, so
// HiddenName gives the name to create; MarkHidden sets what the system needs.
std::string HiddenName(const std::string& name);
void MarkHidden(const std::string& path);
// Whether the system has a system-file attribute; marks a file with it.
bool HasSystemAttribute();
void MarkSystem(const std::string& path);
void SetReadOnly(const std::string& path, bool readOnly);

}  // namespace lumeret::test
