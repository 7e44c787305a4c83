#include "platform/errors.h"

namespace lumeret {

FileOpenError::FileOpenError(const std::string& path)
    : Exception(FormatWithData("ﾌｧｲﾙ %s は開けません", path)) {}

FileCreateError::FileCreateError(const std::string& path)
    : Exception(FormatWithData("ﾌｧｲﾙ %s を作成できません", path)) {}

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
