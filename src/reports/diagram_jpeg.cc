#include <csetjmp>
#include <cstdio>
#include <cstdlib>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

#include "reports/diagram_bitmap.h"

namespace ravelin::reports {

namespace {

// libjpeg reports errors through a callback that must not return; it jumps back to the encoder.
struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf back;
};

[[noreturn]] void OnJpegError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->back, 1);
}

}  // namespace

std::vector<std::uint8_t> EncodeDiagramJpeg(const DiagramRaster& raster, int quality) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(raster.side) * raster.side * 3);
    for (std::size_t i = 0; i < raster.pixels.size(); ++i) {
        const Rgb& colour = raster.palette[raster.pixels[i]];
        rgb[i * 3] = colour.r;
        rgb[i * 3 + 1] = colour.g;
        rgb[i * 3 + 2] = colour.b;
    }
    jpeg_compress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = OnJpegError;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::vector<std::uint8_t> out;
    if (setjmp(error.back) != 0) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return {};
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(raster.side);
    info.image_height = static_cast<JDIMENSION>(raster.side);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = &rgb[static_cast<std::size_t>(info.next_scanline) * raster.side * 3];
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    out.assign(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

}  // namespace ravelin::reports
