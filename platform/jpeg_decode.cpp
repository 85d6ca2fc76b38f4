#include "platform/jpeg_decode.h"

#include "platform/exif_orientation.h"
#include "platform/input_file.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>

namespace morvane {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back to the call that
// handed libjpeg the work. Only plain values live in the frames between, so nothing is skipped on the way.
struct JpegDecoderState {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    std::jmp_buf on_error{};
    bool started = false;
    bool failed = false;
};

namespace {

bool starts_like_jpeg(const uint8_t* data, size_t size) {
    return data && size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

[[noreturn]] void jump_back(j_common_ptr info) {
    auto* state = static_cast<JpegDecoderState*>(info->client_data);
    std::longjmp(state->on_error, 1);
}

// Warnings (data that ends early, a damaged stretch of it) are counted, not printed: what can be shown is.
void stay_quiet(j_common_ptr) {}

// The orientation tag of the first EXIF block among the markers libjpeg kept.
int orientation_of(const jpeg_decompress_struct& info) {
    for (jpeg_saved_marker_ptr m = info.marker_list; m; m = m->next)
        if (m->marker == JPEG_APP0 + 1) {
            const int tag = exif_orientation_tag(m->data, m->data_length);
            if (tag != 0) return tag;
        }
    return 1;
}

}  // namespace

JpegDecoder::JpegDecoder(const uint8_t* jpeg, size_t size, size_t max_bytes) {
    if (!starts_like_jpeg(jpeg, size)) return;
    auto state = std::make_unique<JpegDecoderState>();
    jpeg_decompress_struct& info = state->info;
    info.err = jpeg_std_error(&state->errors);
    state->errors.error_exit = jump_back;
    state->errors.output_message = stay_quiet;
    info.client_data = state.get();
    if (setjmp(state->on_error)) {
        jpeg_destroy_decompress(&info);
        return;  // state goes with this constructor: not ok()
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, jpeg, (unsigned long)size);
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&info, TRUE);
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    const size_t pixels = size_t(info.image_width) * size_t(info.image_height);
    if (cmyk || pixels == 0 || pixels > max_bytes / 4 || info.image_width > 0x7FFF'FFFF / 4) {
        jpeg_destroy_decompress(&info);
        return;
    }
    // The accurate integer transform and smooth chroma upsampling (libjpeg's defaults), as the general
    // decoder uses; BGRA makes the decoder write 255 into the fourth byte.
    info.out_color_space = JCS_EXT_BGRA;
    info.dct_method = JDCT_ISLOW;
    info.do_fancy_upsampling = TRUE;
    width_ = int(info.image_width);
    height_ = int(info.image_height);
    orientation_ = orientation_of(info);
    state_ = std::move(state);
}

JpegDecoder::~JpegDecoder() {
    if (state_) jpeg_destroy_decompress(&state_->info);
}

bool JpegDecoder::read_rows(uint8_t* const* rows, int count) {
    if (!state_ || state_->failed) return false;
    JpegDecoderState& state = *state_;
    jpeg_decompress_struct& info = state.info;
    if (setjmp(state.on_error)) {
        state.failed = true;
        return false;
    }
    if (!state.started) {
        jpeg_start_decompress(&info);
        state.started = true;
    }
    for (int done = 0; done < count;) {
        if (info.output_scanline >= info.output_height) return false;  // asked for more rows than there are
        done += int(jpeg_read_scanlines(&info, const_cast<JSAMPARRAY>(rows + done), JDIMENSION(count - done)));
    }
    return true;
}

std::optional<JpegFile> open_jpeg_file(const std::filesystem::path& file, size_t max_bytes) {
    static constexpr uint8_t kStart[3] = {0xFF, 0xD8, 0xFF};
    InputFile in(file);
    // Compressed, a picture within the limit takes far fewer bytes than its pixels do.
    std::optional<std::vector<uint8_t>> bytes = read_file_beginning_with(in, kStart, max_bytes);
    return bytes ? JpegFile::open(std::move(*bytes), max_bytes) : std::nullopt;
}

std::optional<Image32> decode_jpeg(const uint8_t* jpeg, size_t size, size_t max_bytes) {
    JpegDecoder decoder(jpeg, size, max_bytes);
    if (!decoder.ok()) return std::nullopt;
    Image32 picture = Image32::unfilled(decoder.width(), decoder.height());
    constexpr int kRowsAtOnce = 16;  // libjpeg hands out at most a block row at a time
    uint8_t* rows[kRowsAtOnce];
    for (int y = 0; y < picture.height; y += kRowsAtOnce) {
        const int count = std::min(kRowsAtOnce, picture.height - y);
        for (int i = 0; i < count; ++i) rows[i] = picture.bytes.data() + size_t(y + i) * picture.stride();
        if (!decoder.read_rows(rows, count)) return std::nullopt;
    }
    picture.touch();
    return upright(std::move(picture), decoder.orientation());
}

}  // namespace morvane
