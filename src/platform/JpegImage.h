// Decoding of JPEG pictures (the splash window's picture) into plain RGB
// pixels. Errors of the decoder become a failed result with a message; the
// decoder never ends the process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct JpegImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Rgb;   // Width * Height * 3 bytes, rows top to bottom
};

struct JpegDecodeResult {
    bool Ok = false;
    std::string Error;          // the decoder's message when not Ok
};

JpegDecodeResult DecodeJpeg(const uint8_t* data, std::size_t size, JpegImage& image);
