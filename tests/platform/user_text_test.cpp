#include "platform/user_text.h"

#include <gtest/gtest.h>

#include "platform/errors.h"

namespace lumeret {
namespace {

TEST(UserText, KeepsTheProgramsWordsApartFromData) {
    UserText text = FormatWithData("ﾌｧｲﾙ %s は開けません", "C:\\caf\xE9.txt");
    ASSERT_EQ(text.Pieces().size(), 3u);
    EXPECT_FALSE(text.Pieces()[0].data);
    EXPECT_TRUE(text.Pieces()[1].data);
    EXPECT_EQ(text.Pieces()[1].bytes, "C:\\caf\xE9.txt");
    EXPECT_FALSE(text.Pieces()[2].data);
    EXPECT_EQ(text.Bytes(), "ﾌｧｲﾙ C:\\caf\xE9.txt は開けません");
    // No "%s": all words. Empty pieces are left out.
    EXPECT_EQ(FormatWithData("plain", "x").Pieces().size(), 1u);
    EXPECT_EQ(FormatWithData("%s", "").Pieces().size(), 0u);
}

TEST(UserText, FileErrorsCarryThePathAsData) {
    FileOpenError error("C:\\a.txt");
    EXPECT_EQ(error.Message(), "ﾌｧｲﾙ C:\\a.txt は開けません");
    ASSERT_EQ(error.Text().Pieces().size(), 3u);
    EXPECT_TRUE(error.Text().Pieces()[1].data);
    EXPECT_FALSE(Exception("plain").Text().Pieces()[0].data);
}

}  // namespace
}  // namespace lumeret
