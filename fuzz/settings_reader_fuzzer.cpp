// ReadSettings on arbitrary values of the settings file's eight keys: the
// input's lines, in the order FORM LEFT, TOP, FILE PATH1..3, SYSTEM
// NONPREVIEW, STAYONTOP, DELETECHECK. What is read must write and read back
// unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/settings.h"
#include "support/fakes.h"

namespace {

bool SameSettings(const lumeret::Settings& a, const lumeret::Settings& b) {
    return a.left == b.left && a.top == b.top && a.textExportFolder == b.textExportFolder &&
           a.bitmapExportFolder == b.bitmapExportFolder && a.memoExportFolder == b.memoExportFolder &&
           a.hidePreview == b.hidePreview && a.stayOnTop == b.stayOnTop && a.confirmDelete == b.confirmDelete;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumeret;
    static const std::pair<const char*, const char*> kKeys[] = {
        {"FORM", "LEFT"},   {"FORM", "TOP"},          {"FILE", "PATH1"},       {"FILE", "PATH2"},
        {"FILE", "PATH3"},  {"SYSTEM", "NONPREVIEW"}, {"SYSTEM", "STAYONTOP"}, {"SYSTEM", "DELETECHECK"}};
    test::MemoryProfile file;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    for (const auto& [section, key] : kKeys) {
        if (rest.empty()) break;  // the remaining keys are missing
        const std::size_t end = rest.find('\n');
        file.values[{section, key}] = std::string(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    const Settings read = ReadSettings(file);
    test::MemoryProfile written;
    WriteSettings(written, read);
    if (!SameSettings(ReadSettings(written), read)) std::abort();
    return 0;
}
