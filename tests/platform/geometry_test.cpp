#include "platform/geometry.h"

#include <gtest/gtest.h>

namespace lumeret {
namespace {

TEST(Geometry, RoundsHalvesToEven) {
    EXPECT_EQ(RoundHalfEven(56.5), 56);
    EXPECT_EQ(RoundHalfEven(96.5), 96);
    EXPECT_EQ(RoundHalfEven(97.5), 98);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
}

TEST(Geometry, PreviewFitsTopLeftAnchored) {
    EXPECT_EQ(FitToFrame(10, 5, 113, 113), (Rect{0, 0, 113, 56}));  // 56.5 -> 56
    EXPECT_EQ(FitToFrame(5, 10, 113, 113), (Rect{0, 0, 56, 113}));
    EXPECT_EQ(FitToFrame(200, 200, 113, 113), (Rect{0, 0, 113, 113}));
}

TEST(Geometry, ViewerFitsAndEnlarges) {
    EXPECT_EQ(FitToFrame(300, 100, 193, 193), (Rect{0, 0, 193, 64}));
    EXPECT_EQ(FitToFrame(100, 300, 193, 193), (Rect{0, 0, 64, 193}));
    EXPECT_EQ(FitToFrame(386, 193, 193, 193), (Rect{0, 0, 193, 96}));
    EXPECT_EQ(FitToFrame(50, 50, 193, 193), (Rect{0, 0, 193, 193}));
    EXPECT_EQ(FitToFrame(1, 20000, 193, 193), (Rect{0, 0, 0, 193}));
    EXPECT_EQ(FitToFrame(100000, 100000, 193, 193), (Rect{0, 0, 193, 193}));
}

TEST(Geometry, WindowsOutsideTheAreaMoveTheLeastToComeInside) {
    const Rect area{0, 0, 1024, 738};
    EXPECT_EQ(MoveInside({10, 20, 210, 320}, area), (Rect{10, 20, 210, 320}));  // inside: unchanged
    EXPECT_EQ(MoveInside({-32768, 50, -32568, 350}, area), (Rect{0, 50, 200, 350}));
    EXPECT_EQ(MoveInside({2000, 900, 2200, 1200}, area), (Rect{824, 438, 1024, 738}));
    EXPECT_EQ(MoveInside({-2147483647 - 1, 2147483447, -2147483447, 2147483647}, area),
              (Rect{0, 538, 201, 738}));
    // Larger than the area: the top-left corner wins.
    EXPECT_EQ(MoveInside({-500, -500, 1500, 1000}, area), (Rect{0, 0, 2000, 1500}));
    EXPECT_EQ(MoveInside({10, 10, 110, 110}, {-1920, 0, 0, 1080}), (Rect{-100, 10, 0, 110}));
}

}  // namespace
}  // namespace lumeret
