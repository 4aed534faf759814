#include "platform/JpegImage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace {

// A small picture encoded with the library itself: left half red, right half
// blue.
std::vector<uint8_t> EncodeTwoColourPicture(int width, int height)
{
    jpeg_compress_struct info {};
    jpeg_error_mgr err {};
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(std::size_t(width) * 3);
    for (int x = 0; x < width; ++x) {
        const bool left = x < width / 2;
        row[std::size_t(x) * 3 + 0] = left ? 255 : 0;
        row[std::size_t(x) * 3 + 1] = 0;
        row[std::size_t(x) * 3 + 2] = left ? 0 : 255;
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&info, &r, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

} // namespace

TEST(JpegImage, DecodesSizeAndColoursOfAPicture)
{
    const std::vector<uint8_t> file = EncodeTwoColourPicture(336, 305);
    JpegImage image;
    const JpegDecodeResult r = DecodeJpeg(file.data(), file.size(), image);
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(image.Width, 336);
    EXPECT_EQ(image.Height, 305);
    ASSERT_EQ(image.Rgb.size(), std::size_t(336) * 305 * 3);
    const uint8_t* left = &image.Rgb[(150 * 336 + 40) * 3];
    const uint8_t* right = &image.Rgb[(150 * 336 + 300) * 3];
    EXPECT_GT(left[0], 200);
    EXPECT_LT(left[2], 60);
    EXPECT_LT(right[0], 60);
    EXPECT_GT(right[2], 200);
}

TEST(JpegImage, GarbageIsAFailureWithAMessageNotAnExit)
{
    const std::vector<uint8_t> garbage(200, 0x42);
    JpegImage image;
    const JpegDecodeResult r = DecodeJpeg(garbage.data(), garbage.size(), image);
    EXPECT_FALSE(r.Ok);
    EXPECT_FALSE(r.Error.empty());
    EXPECT_TRUE(image.Rgb.empty());
}

TEST(JpegImage, TruncatedPictureDoesNotCrash)
{
    std::vector<uint8_t> file = EncodeTwoColourPicture(64, 64);
    file.resize(file.size() / 3);
    JpegImage image;
    // The library pads a cut-off scan with grey and warns; either outcome is
    // fine as long as nothing is read beyond the data.
    const JpegDecodeResult r = DecodeJpeg(file.data(), file.size(), image);
    if (r.Ok) {
        EXPECT_EQ(image.Rgb.size(), std::size_t(64) * 64 * 3);
    }
}

