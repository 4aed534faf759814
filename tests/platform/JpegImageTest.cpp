#include "platform/JpegImage.h"

#include <gtest/gtest.h>

#include <vector>

TEST(JpegEncode, EncodedPictureDecodesToItsSizeAndColours)
{
    JpegImage in;
    in.Width = 37, in.Height = 21;
    for (int y = 0; y < in.Height; ++y)
        for (int x = 0; x < in.Width; ++x)
            in.Rgb.insert(in.Rgb.end(), {uint8_t(x < 18 ? 255 : 0), 0, uint8_t(x < 18 ? 0 : 255)});
    const JpegEncodeResult out = EncodeJpeg(in, 90);
    ASSERT_TRUE(out.Ok) << out.Error;
    JpegImage back;
    ASSERT_TRUE(DecodeJpeg(reinterpret_cast<const uint8_t*>(out.Bytes.data()), out.Bytes.size(), back).Ok);
    EXPECT_EQ(back.Width, 37);
    EXPECT_EQ(back.Height, 21);
    EXPECT_GT(back.Rgb[0], 200);                       // red on the left
    EXPECT_GT(back.Rgb[(10 * 37 + 36) * 3 + 2], 200);  // blue on the right
}

// The library's own error handler would end the process: its errors must come
// back as a failure with a message instead.
TEST(JpegImage, LibraryErrorsComeBackAsAFailureNotAnExit)
{
    const JpegEncodeResult noRows = EncodeJpeg(JpegImage{}, 90);
    EXPECT_FALSE(noRows.Ok);
    EXPECT_FALSE(noRows.Error.empty());
    JpegImage shortOfPixels;
    shortOfPixels.Width = shortOfPixels.Height = 4;
    EXPECT_FALSE(EncodeJpeg(shortOfPixels, 90).Ok);

    const std::vector<uint8_t> garbage(200, 0x42);
    JpegImage image;
    const JpegDecodeResult r = DecodeJpeg(garbage.data(), garbage.size(), image);
    EXPECT_FALSE(r.Ok);
    EXPECT_FALSE(r.Error.empty());
    EXPECT_TRUE(image.Rgb.empty());
}
