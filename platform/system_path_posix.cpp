#include "platform/system_path.h"

#include "platform/text.h"

namespace lumeret {

std::string SystemPath(std::string_view path) {
    std::string out(path);
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto c = static_cast<unsigned char>(out[i]);
        if (IsLeadByte(c) && i + 1 < out.size()) {
            ++i;  // the second byte of a double-byte character may be 0x5C
        } else if (c == '\\') {
            out[i] = '/';
        }
    }
    return out;
}

}  // namespace lumeret
