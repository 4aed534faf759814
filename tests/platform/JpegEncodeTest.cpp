#include "platform/JpegImage.h"

#include <gtest/gtest.h>

TEST(JpegEncode, EncodedPictureDecodesToItsSizeAndColours)
{
    JpegImage in;
    in.Width = 37;
    in.Height = 21;
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

TEST(JpegEncode, LibraryErrorsComeBackAsAFailureNotAnExit)
{
    JpegImage empty;   // the library refuses a picture without rows
    const JpegEncodeResult a = EncodeJpeg(empty, 90);
    EXPECT_FALSE(a.Ok);
    EXPECT_FALSE(a.Error.empty());
    JpegImage shortOfPixels;
    shortOfPixels.Width = 4;
    shortOfPixels.Height = 4;
    EXPECT_FALSE(EncodeJpeg(shortOfPixels, 90).Ok);
}
