#include "core/status_texts.h"

#include <gtest/gtest.h>

namespace lumeret {
namespace {

// What stays in the status line after a press: the last text set, if any.
std::string Shown(std::int32_t& repeatCount) {
    auto texts = status::AlreadyRegisteredPress(repeatCount);
    return texts.empty() ? std::string("(none)") : texts.back();
}

TEST(RegisterLadder, WalksTheTextsByPressCount) {
    std::int32_t count = 0;
    for (int press = 1; press <= 49; ++press) EXPECT_EQ(Shown(count), status::kAlreadyRegistered) << press;
    auto fiftieth = status::AlreadyRegisteredPress(count);
    EXPECT_EQ(fiftieth, (std::vector<std::string>{status::kAlreadyRegistered, status::kThatIsEnough}));
    for (int press = 51; press <= 99; ++press) EXPECT_EQ(Shown(count), status::kThatIsEnough) << press;
    for (int press = 100; press <= 199; ++press) EXPECT_EQ(Shown(count), status::kForYourHealth) << press;
    for (int press = 200; press <= 399; ++press) EXPECT_EQ(Shown(count), status::kDots) << press;
    for (int press = 400; press <= 410; ++press) EXPECT_EQ(Shown(count), "(none)") << press;
    EXPECT_EQ(count, 410);
}

TEST(RegisterLadder, TheTwoEmptyTextsDiffer) {
    EXPECT_STRNE(status::kRegisterEmpty, status::kIsEmpty);
    // Full-width dots: three bytes per "．" would be UTF-8; code page 932 has two.
    EXPECT_EQ(std::string(status::kDots).size(), 14u);
}

}  // namespace
}  // namespace lumeret
