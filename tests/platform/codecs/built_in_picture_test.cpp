#include "platform/codecs/loaded_picture.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

// A build without a JPEG decoder still gets a square of the built-in picture's size to build from.
TEST(BuiltInPicture, WhatTheDecoderCouldNotReadAtItsSizeBecomesAPlainSquareOfThatSize) {
    const Image32 plain(kBuiltInPictureSide, kBuiltInPictureSide, bgra_from_colorref(0x36220E)),
        read(kBuiltInPictureSide, kBuiltInPictureSide, bgra_from_colorref(0x123456));
    EXPECT_TRUE(built_in_picture_or_plain(LoadedPicture::failed("no decoder")).bytes == plain.bytes);
    EXPECT_TRUE(built_in_picture_or_plain(LoadedPicture::made(Image32(16, 16))).bytes == plain.bytes);
    EXPECT_TRUE(built_in_picture_or_plain(LoadedPicture::made(Image32(read))).bytes == read.bytes);
}

}  // namespace
}  // namespace morvane
