#include "platform/JpegImage.h"

#include <gtest/gtest.h>

#include <vector>

// A picture the library cannot read is a failure with a message, not an exit
// of the program (the library's own error handler would end the process).
TEST(JpegImage, GarbageIsAFailureWithAMessageNotAnExit)
{
    const std::vector<uint8_t> garbage(200, 0x42);
    JpegImage image;
    const JpegDecodeResult r = DecodeJpeg(garbage.data(), garbage.size(), image);
    EXPECT_FALSE(r.Ok);
    EXPECT_FALSE(r.Error.empty());
    EXPECT_TRUE(image.Rgb.empty());
}

