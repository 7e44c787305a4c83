#include "dib/file_map.h"

#include <gtest/gtest.h>

#include <cstring>
#include <type_traits>

#include "bmp_builder.h"
#include "dib/dib_errors.h"

namespace lumeret {
namespace {

using test::ExpectError;

TEST(FileMap, GivesWritableViewAndReleasesIt) {
    FileMapHandle map = nullptr;
    void* bits = nullptr;
    GetFileMap(4, map, bits);
    ASSERT_NE(map, nullptr);
    ASSERT_NE(bits, nullptr);
    EXPECT_EQ(std::memcmp(bits, "\0\0\0\0", 4), 0);  // fresh mappings are zeroed
    std::memcpy(bits, "abcd", 4);
    EXPECT_EQ(std::memcmp(bits, "abcd", 4), 0);
    ReleaseFileMap(map, bits);
    EXPECT_FALSE(ClosePixelMap(map));  // already closed
}

TEST(FileMap, SizeZeroOrNegativeCannotBeMapped) {
    for (std::int32_t size : {0, -1, -100000}) {
        FileMapHandle map = nullptr;
        void* bits = nullptr;
        ExpectError<OutOfResourcesError>([&] { GetFileMap(size, map, bits); },
                                     "GetFileMap: Cannot Make File Mapping Object");
        EXPECT_EQ(map, nullptr);
        EXPECT_EQ(bits, nullptr);
    }
}

TEST(FileMap, ReleasingAPointerThatIsNoViewFailsAndLeavesMappingOpen) {
    FileMapHandle map = nullptr;
    void* bits = nullptr;
    GetFileMap(16, map, bits);
    int notAView = 0;
    ExpectError<DibAssertionError>([&] { ReleaseFileMap(map, &notAView); },
                              "ReleaseFileMap: Failed To Unmap View of File map");
    // The mapping is still open: the proper release succeeds.
    ReleaseFileMap(map, bits);
}

TEST(FileMap, ClosingAnUnknownMappingFails) {
    FileMapHandle map = nullptr;
    void* bits = nullptr;
    GetFileMap(8, map, bits);
    ASSERT_TRUE(ClosePixelMap(map));
    ExpectError<DibAssertionError>([&] { ReleaseFileMap(map, bits); },
                              "ReleaseFileMap: Failed To Close File Map");
}

TEST(DibAssert, TrueConditionDoesNothingFalseRaisesTheGivenText) {
    EXPECT_NO_THROW(DibAssert(true, "never"));
    ExpectError<DibAssertionError>([] { DibAssert(false, "Some.Check: Exact text"); }, "Some.Check: Exact text");
}

TEST(DibErrors, EveryClassIsCaughtAsTheProgramsException) {
    auto caught = [](auto thrower) {
        try {
            thrower();
        } catch (const Exception& e) {
            return e.Message();
        }
        return std::string("not caught");
    };
    EXPECT_EQ(caught([] { throw InvalidDibError("a"); }), "a");
    EXPECT_EQ(caught([] { throw InvalidDibFileError("b"); }), "b");
    EXPECT_EQ(caught([] { throw InvalidDibParameterError("c"); }), "c");
    EXPECT_EQ(caught([] { throw InvalidPaletteError("d"); }), "d");
    EXPECT_EQ(caught([] { throw DibAssertionError("e"); }), "e");
    // The classes are distinct: one is not caught as another.
    EXPECT_THROW(
        {
            try {
                throw InvalidDibError("x");
            } catch (const InvalidDibFileError&) {
            }
        },
        InvalidDibError);
}

}  // namespace
}  // namespace lumeret
