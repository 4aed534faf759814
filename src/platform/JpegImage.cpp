#include "platform/JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace {

// The library's default error exit ends the process; ours jumps back to the
// decode call with the message kept.
struct JpegErrorTrap {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info)
{
    auto* trap = reinterpret_cast<JpegErrorTrap*>(info->err);
    (*info->err->format_message)(info, trap->Message);
    std::longjmp(trap->Jump, 1);
}

void SilentOutput(j_common_ptr) {}

// Everything that must survive a longjmp lives outside the function that
// calls setjmp.
struct DecodeState {
    jpeg_decompress_struct Info {};
    JpegErrorTrap Trap {};
    std::vector<uint8_t> Pixels;
};

bool RunDecode(DecodeState& s, const uint8_t* data, std::size_t size, JpegImage& image)
{
    if (setjmp(s.Trap.Jump)) return false;
    jpeg_mem_src(&s.Info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&s.Info, TRUE);
    s.Info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&s.Info);
    const std::size_t stride = static_cast<std::size_t>(s.Info.output_width) * 3;
    s.Pixels.assign(stride * s.Info.output_height, 0);
    while (s.Info.output_scanline < s.Info.output_height) {
        JSAMPROW row = s.Pixels.data() + stride * s.Info.output_scanline;
        jpeg_read_scanlines(&s.Info, &row, 1);
    }
    jpeg_finish_decompress(&s.Info);
    image.Width = static_cast<int>(s.Info.output_width);
    image.Height = static_cast<int>(s.Info.output_height);
    image.Rgb = std::move(s.Pixels);
    return true;
}

} // namespace

JpegDecodeResult DecodeJpeg(const uint8_t* data, std::size_t size, JpegImage& image)
{
    JpegDecodeResult result;
    if (!data || size == 0) {
        result.Error = "Empty JPEG data";
        return result;
    }
    DecodeState state;
    state.Info.err = jpeg_std_error(&state.Trap.Manager);
    state.Trap.Manager.error_exit = ErrorExit;
    state.Trap.Manager.output_message = SilentOutput;
    state.Trap.Message[0] = '\0';
    jpeg_create_decompress(&state.Info);
    result.Ok = RunDecode(state, data, size, image);
    if (!result.Ok) result.Error = state.Trap.Message;
    jpeg_destroy_decompress(&state.Info);
    return result;
}
