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

// The library's error manager, routed into the trap.
jpeg_error_mgr* Arm(JpegErrorTrap& trap)
{
    jpeg_error_mgr* manager = jpeg_std_error(&trap.Manager);
    manager->error_exit = ErrorExit;
    manager->output_message = SilentOutput;
    trap.Message[0] = '\0';
    return manager;
}

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
    state.Info.err = Arm(state.Trap);
    jpeg_create_decompress(&state.Info);
    result.Ok = RunDecode(state, data, size, image);
    if (!result.Ok) result.Error = state.Trap.Message;
    jpeg_destroy_decompress(&state.Info);
    return result;
}

namespace {

// Output into a string of our own: nothing the library allocates has to be
// freed by hand, whatever way the encoder leaves.
struct StringDestination {
    jpeg_destination_mgr Manager {};
    std::string* Out = nullptr;
    JOCTET Chunk[16384];
};

void InitDestination(j_compress_ptr info)
{
    auto* d = reinterpret_cast<StringDestination*>(info->dest);
    d->Manager.next_output_byte = d->Chunk;
    d->Manager.free_in_buffer = sizeof d->Chunk;
}

boolean FlushChunk(j_compress_ptr info)
{
    auto* d = reinterpret_cast<StringDestination*>(info->dest);
    d->Out->append(reinterpret_cast<const char*>(d->Chunk), sizeof d->Chunk);
    InitDestination(info);
    return TRUE;
}

void TermDestination(j_compress_ptr info)
{
    auto* d = reinterpret_cast<StringDestination*>(info->dest);
    d->Out->append(reinterpret_cast<const char*>(d->Chunk), sizeof d->Chunk - d->Manager.free_in_buffer);
}

struct EncodeState {
    jpeg_compress_struct Info {};
    JpegErrorTrap Trap {};
    StringDestination Destination {};
};

bool RunEncode(EncodeState& s, const JpegImage& image, int quality)
{
    if (setjmp(s.Trap.Jump)) return false;
    s.Info.dest = &s.Destination.Manager;
    s.Info.image_width = static_cast<JDIMENSION>(image.Width);
    s.Info.image_height = static_cast<JDIMENSION>(image.Height);
    s.Info.input_components = 3;
    s.Info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&s.Info);
    jpeg_set_quality(&s.Info, quality, TRUE);
    jpeg_start_compress(&s.Info, TRUE);
    const std::size_t stride = static_cast<std::size_t>(image.Width) * 3;
    while (s.Info.next_scanline < s.Info.image_height) {
        auto* row = const_cast<JSAMPLE*>(image.Rgb.data() + stride * s.Info.next_scanline);
        jpeg_write_scanlines(&s.Info, &row, 1);
    }
    jpeg_finish_compress(&s.Info);
    return true;
}

} // namespace

JpegEncodeResult EncodeJpeg(const JpegImage& image, int quality)
{
    JpegEncodeResult result;
    if (image.Width < 0 || image.Height < 0 ||
        image.Rgb.size() < static_cast<std::size_t>(image.Width) * std::size_t(image.Height) * 3) {
        result.Error = "JPEG picture has fewer pixels than its size";
        return result;
    }
    EncodeState state;
    state.Info.err = Arm(state.Trap);
    state.Destination.Out = &result.Bytes;
    state.Destination.Manager.init_destination = InitDestination;
    state.Destination.Manager.empty_output_buffer = FlushChunk;
    state.Destination.Manager.term_destination = TermDestination;
    jpeg_create_compress(&state.Info);
    result.Ok = RunEncode(state, image, quality);
    jpeg_destroy_compress(&state.Info);
    if (!result.Ok) {
        result.Error = state.Trap.Message;
        result.Bytes.clear();
    }
    return result;
}
