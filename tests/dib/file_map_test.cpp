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

TEST(PixelStore, HoldsAWritableStoreOfItsSizeAndHandsItOverWhenMoved) {
    PixelStore empty;
    EXPECT_EQ(empty.Bits(), nullptr);
    EXPECT_EQ(empty.Size(), 0);

    PixelStore store(16);
    ASSERT_NE(store.Bits(), nullptr);
    EXPECT_EQ(store.Size(), 16);
    std::memcpy(store.Bits(), "0123456789abcdef", 16);
    const std::uint8_t* bits = store.Bits();

    PixelStore moved(std::move(store));
    EXPECT_EQ(moved.Bits(), bits);  // the same store, not a copy
    EXPECT_EQ(moved.Size(), 16);
    EXPECT_EQ(store.Bits(), nullptr);
    EXPECT_EQ(store.Size(), 0);

    PixelStore target(4);
    target = std::move(moved);
    EXPECT_EQ(target.Bits(), bits);
    EXPECT_EQ(moved.Bits(), nullptr);
    EXPECT_EQ(std::memcmp(target.Bits(), "0123456789abcdef", 16), 0);
    static_assert(!std::is_copy_constructible_v<PixelStore> && !std::is_copy_assignable_v<PixelStore>);
}

TEST(PixelStore, CopyHoldsTheSameBytesInAStoreOfItsOwn) {
    PixelStore store(8);
    std::memcpy(store.Bits(), "abcdefgh", 8);
    PixelStore copy = store.Copy();
    ASSERT_NE(copy.Bits(), store.Bits());
    EXPECT_EQ(copy.Size(), 8);
    EXPECT_EQ(std::memcmp(copy.Bits(), "abcdefgh", 8), 0);
    copy.Bits()[0] = 'X';
    EXPECT_EQ(store.Bits()[0], 'a');
}

TEST(PixelStore, ASizeThatCannotBeMappedFailsAsGetFileMapDoes) {
    ExpectError<OutOfResourcesError>([] { PixelStore store(0); }, "GetFileMap: Cannot Make File Mapping Object");
    const PixelStore empty;
    ExpectError<OutOfResourcesError>([&] { empty.Copy(); }, "GetFileMap: Cannot Make File Mapping Object");
}

#ifndef _WIN32
TEST(PixelStore, EveryStoreIsGivenBackOnceItsOwnerGoes) {
    const std::size_t before = OpenPixelMapCount();
    {
        PixelStore store(16);
        EXPECT_EQ(OpenPixelMapCount(), before + 1);
        PixelStore moved(std::move(store));
        EXPECT_EQ(OpenPixelMapCount(), before + 1);  // handed over, nothing new
        PixelStore target(8);
        target = std::move(moved);  // target's own store goes
        EXPECT_EQ(OpenPixelMapCount(), before + 1);
        PixelStore copy = target.Copy();
        EXPECT_EQ(OpenPixelMapCount(), before + 2);
        target.Reset();
        EXPECT_EQ(OpenPixelMapCount(), before + 1);
        EXPECT_EQ(target.Bits(), nullptr);
        EXPECT_EQ(target.Size(), 0);
        target.Reset();  // nothing left to give back
    }
    EXPECT_EQ(OpenPixelMapCount(), before);
    EXPECT_THROW(PixelStore(-1), OutOfResourcesError);
    EXPECT_EQ(OpenPixelMapCount(), before);
}
#endif

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
