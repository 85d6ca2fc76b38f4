#include "platform/codecs/loaded_picture.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

// A build without a JPEG decoder still gets a square of the built-in picture's size to build from.
TEST(BuiltInPicture, WhatTheDecoderCouldNotReadAtItsSizeBecomesAPlainSquareOfThatSize) {
    const int side = kBuiltInPictureSide;
    const LoadedPicture refused = LoadedPicture::failed("no decoder");
    const LoadedPicture too_small = LoadedPicture::made(Image32(16, 16, bgra_from_colorref(0xFFFFFF)));
    for (const LoadedPicture& decoded : {refused, too_small}) {
        const Image32 picture = built_in_picture_or_plain(decoded);
        ASSERT_EQ(picture.width, side);
        ASSERT_EQ(picture.height, side);
        EXPECT_EQ(picture.pixel(side - 1, side - 1), bgra_from_colorref(0x36220E));
    }
    const Image32 read = built_in_picture_or_plain(LoadedPicture::made(Image32(side, side, bgra_from_colorref(0x123456))));
    EXPECT_EQ(read.pixel(0, 0), bgra_from_colorref(0x123456));
}

}  // namespace
}  // namespace morvane
