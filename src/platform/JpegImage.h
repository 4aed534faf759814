// Decoding of JPEG pictures (the splash window's picture) into plain RGB
// pixels, and encoding of RGB pixels (the information sheet's picture).
// Errors of the library become a failed result with a message; neither
// direction ever ends the process.
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

struct JpegEncodeResult {
    bool Ok = false;
    std::string Error;          // the encoder's message when not Ok
    std::string Bytes;          // the JFIF file when Ok
};

// Baseline JFIF of image (Rgb must hold Width * Height * 3 bytes) at the
// given quality, the library's other settings left at their defaults.
JpegEncodeResult EncodeJpeg(const JpegImage& image, int quality);
