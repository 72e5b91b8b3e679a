#include "image/jpg/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>

// libjpeg's header wants size_t and FILE declared first.
#include <jpeglib.h>

namespace s::image::jpg {
namespace {

// Errors jump back to the decoding call; warnings (corrupt data) are counted and make the
// result empty. Nothing is printed.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf back;
    int warnings = 0;
    jpeg_progress_mgr progress = {};
};

[[noreturn]] void errorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(err->back, 1);
}

void emitMessage(j_common_ptr cinfo, int level) {
    if (level < 0)
        ++reinterpret_cast<ErrorManager*>(cinfo->err)->warnings;
}

void outputMessage(j_common_ptr) {}

// A source over memory. When the data runs out, a fake end-of-image marker ends the
// picture (as libjpeg's own file source does) and the shortfall is remembered.
struct MemorySource {
    jpeg_source_mgr base;
    const uint8_t* data;
    size_t size;
    bool started = false;
    bool underrun = false;
};

const JOCTET kFakeEoi[2] = {0xFF, JPEG_EOI};

void initSource(j_decompress_ptr) {}

boolean fillInputBuffer(j_decompress_ptr cinfo) {
    auto* src = reinterpret_cast<MemorySource*>(cinfo->src);
    if (!src->started && src->size > 0) {
        src->started = true;
        src->base.next_input_byte = src->data;
        src->base.bytes_in_buffer = src->size;
        return TRUE;
    }
    src->underrun = true;
    src->base.next_input_byte = kFakeEoi;
    src->base.bytes_in_buffer = 2;
    return TRUE;
}

void skipInputData(j_decompress_ptr cinfo, long count) {
    auto* src = reinterpret_cast<MemorySource*>(cinfo->src);
    if (count <= 0)
        return;
    while (count > static_cast<long>(src->base.bytes_in_buffer)) {
        count -= static_cast<long>(src->base.bytes_in_buffer);
        fillInputBuffer(cinfo);
        if (src->underrun)
            return;  // the fake marker stays to be read
    }
    src->base.next_input_byte += count;
    src->base.bytes_in_buffer -= static_cast<size_t>(count);
}

void termSource(j_decompress_ptr) {}

// Progressive pictures can carry endless scans; a real picture needs few.
constexpr long kMaxScans = 500;

void limitScans(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->is_decompressor && d->input_scan_number > kMaxScans)
        errorExit(cinfo);
}

// The part that may be left through longjmp: it owns nothing that needs a destructor
// beyond `out`, which stays valid and is cleared by the caller on failure.
bool run(jpeg_decompress_struct& cinfo, ErrorManager& err, MemorySource& src, DecodedPicture& out) {
    if (setjmp(err.back))
        return false;
    jpeg_create_decompress(&cinfo);
    cinfo.src = &src.base;
    err.progress.progress_monitor = limitScans;
    cinfo.progress = &err.progress;
    // Whatever the header claims, libjpeg's own buffers stay bounded.
    cinfo.mem->max_memory_to_use = 512L * 1024 * 1024;
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK)
        return false;
    if (cinfo.image_width == 0 || cinfo.image_height == 0 ||
        cinfo.image_width > static_cast<JDIMENSION>(kMaxJpegSide) ||
        cinfo.image_height > static_cast<JDIMENSION>(kMaxJpegSide) ||
        static_cast<int64_t>(cinfo.image_width) * cinfo.image_height > kMaxJpegPixels)
        return false;
    const int components = cinfo.num_components;
    if (components == 1)
        cinfo.out_color_space = JCS_GRAYSCALE;
    else if (components == 3)
        cinfo.out_color_space = JCS_RGB;
    else if (components == 4)
        cinfo.out_color_space = JCS_CMYK;
    else
        return false;
    if (!jpeg_start_decompress(&cinfo))
        return false;
    if (cinfo.output_components != components)
        return false;
    const int32_t width = static_cast<int32_t>(cinfo.output_width);
    const int32_t height = static_cast<int32_t>(cinfo.output_height);
    const int32_t stride = (width * 3 + 3) / 4 * 4;
    out.bgr.assign(static_cast<size_t>(stride) * static_cast<size_t>(height), 0);
    const int rowBytes = width * (components > 3 ? components : 3);
    JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                static_cast<JDIMENSION>(rowBytes), 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        const int32_t y = static_cast<int32_t>(cinfo.output_scanline);
        if (jpeg_read_scanlines(&cinfo, row, 1) != 1)
            return false;
        if (src.underrun)
            return false;  // the rest would be made up
        const uint8_t* in = row[0];
        uint8_t* to = out.bgr.data() + static_cast<size_t>(y) * static_cast<size_t>(stride);
        for (int32_t x = 0; x < width; ++x, to += 3) {
            if (components == 4) {
                // Inverted CMYK as common tools write it: each channel times K over 255.
                const uint32_t k = in[3];
                to[0] = static_cast<uint8_t>(in[2] * k / 255);
                to[1] = static_cast<uint8_t>(in[1] * k / 255);
                to[2] = static_cast<uint8_t>(in[0] * k / 255);
                in += 4;
            } else if (components == 1) {
                to[0] = to[1] = to[2] = in[0];
                in += 1;
            } else {
                to[0] = in[2];
                to[1] = in[1];
                to[2] = in[0];
                in += 3;
            }
        }
    }
    if (!jpeg_finish_decompress(&cinfo))
        return false;
    if (src.underrun || err.warnings > 0)
        return false;
    out.width = width;
    out.height = height;
    out.stride = stride;
    out.components = components;
    return true;
}

}  // namespace

bool decodeJpeg(const uint8_t* data, size_t size, DecodedPicture& out) {
    out.clear();
    if (!data || size < 4)
        return false;
    jpeg_decompress_struct cinfo = {};
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = errorExit;
    err.base.emit_message = emitMessage;
    err.base.output_message = outputMessage;
    MemorySource src = {};
    src.base.init_source = initSource;
    src.base.fill_input_buffer = fillInputBuffer;
    src.base.skip_input_data = skipInputData;
    src.base.resync_to_restart = jpeg_resync_to_restart;
    src.base.term_source = termSource;
    src.data = data;
    src.size = size;
    const bool ok = run(cinfo, err, src, out);
    // Safe after a jump too: jpeg_destroy frees whatever was allocated so far.
    jpeg_destroy_decompress(&cinfo);
    if (!ok)
        out.clear();
    return ok;
}

}  // namespace s::image::jpg
