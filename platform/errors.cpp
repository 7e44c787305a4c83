#include "platform/errors.h"

namespace lumeret {

std::string FormatMessage1(const std::string& pattern, const std::string& text) {
    std::string result = pattern;
    if (auto at = result.find("%s"); at != std::string::npos) {
        result.replace(at, 2, text);
    }
    return result;
}

FileOpenError::FileOpenError(const std::string& path)
    : Exception(FormatMessage1("ﾌｧｲﾙ %s は開けません", path)) {}

FileCreateError::FileCreateError(const std::string& path)
    : Exception(FormatMessage1("ﾌｧｲﾙ %s を作成できません", path)) {}

namespace {

std::string InOutMessage(int code) {
    switch (code) {
    case kErrorFileNotFound:
        return "ﾌｧｲﾙが見つかりません";
    case kErrorAccessDenied:
        return "ﾌｧｲﾙへのｱｸｾｽが拒否されました";
    default:
        return "I/O ｴﾗｰ (" + std::to_string(code) + ")";
    }
}

}  // namespace

IoError::IoError(int errorCode) : Exception(InOutMessage(errorCode)), errorCode_(errorCode) {}

}  // namespace lumeret
