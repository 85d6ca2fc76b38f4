#include "platform/codecs/jpeg_decode.h"

#include "platform/codecs/exif_orientation.h"
#include "platform/files/input_file.h"
#include "platform/codecs/turned_jpeg_rows.h"

#include <algorithm>
#include <csetjmp>
#include <string>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>
#include <jerror.h>

namespace morvane {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back to the call that
// handed libjpeg the work. Only plain values live in the frames between, so nothing is skipped on the way.
struct JpegDecoderState {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    std::jmp_buf on_error{};
    bool started = false;
    bool failed = false;
    bool cropped = false;  // rows come only for some of the columns (start_with_columns)
    std::string damage;  // libjpeg's words for the first warning that leaves pixels missing or wrong
    std::string error;   // libjpeg's words for the error that stopped it

    // Why the rows broke off: the damage that came first, or else the error.
    Outcome broke_off() const { return Outcome::failed(damage.empty() ? error : damage); }
};

namespace {

bool starts_like_jpeg(const uint8_t* data, size_t size) {
    return data && size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

[[noreturn]] void jump_back(j_common_ptr info) {
    auto* state = static_cast<JpegDecoderState*>(info->client_data);
    char text[JMSG_LENGTH_MAX];
    info->err->format_message(info, text);
    state->error = text;
    std::longjmp(state->on_error, 1);
}

// Nothing is printed: what the user needs to know is said once, in the loader's message.
void stay_quiet(j_common_ptr) {}

// The warnings after which the decoded picture is not the photograph: its data ends early (the rest comes out
// grey) or a stretch of it is damaged. Extraneous bytes between two segments, an unknown colour transform or
// colour profile, a newer JFIF revision leave every pixel as the camera wrote it, and are let pass.
bool leaves_pixels_missing(int code) {
    switch (code) {
        case JWRN_JPEG_EOF:
        case JWRN_HIT_MARKER:
        case JWRN_HUFF_BAD_CODE:
        case JWRN_ARITH_BAD_CODE:
        case JWRN_MUST_RESYNC:
        case JWRN_NOT_SEQUENTIAL:
        case JWRN_BOGUS_PROGRESSION: return true;
        default: return false;
    }
}

// Level -1 is a warning; the higher levels are trace messages.
void note_damage(j_common_ptr info, int level) {
    auto* state = static_cast<JpegDecoderState*>(info->client_data);
    if (level != -1 || !state->damage.empty() || !leaves_pixels_missing(info->err->msg_code)) return;
    char text[JMSG_LENGTH_MAX];
    info->err->format_message(info, text);
    state->damage = text;
}

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
    state->errors.emit_message = note_damage;
    info.client_data = state.get();
    if (setjmp(state->on_error)) {
        // libjpeg itself refuses a side of more than 65500 pixels, once it has read the frame's size.
        if (state->errors.msg_code == JERR_IMAGE_TOO_BIG) {
            width_ = int(std::min<JDIMENSION>(info.image_width, 0x7FFF'FFFF));
            height_ = int(std::min<JDIMENSION>(info.image_height, 0x7FFF'FFFF));
            too_large_ = true;
        }
        jpeg_destroy_decompress(&info);
        return;  // state goes with this constructor: not ok()
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, jpeg, (unsigned long)size);
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&info, TRUE);
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    const size_t pixels = size_t(info.image_width) * size_t(info.image_height);
    width_ = int(std::min<JDIMENSION>(info.image_width, 0x7FFF'FFFF));
    height_ = int(std::min<JDIMENSION>(info.image_height, 0x7FFF'FFFF));
    too_large_ = pixels > max_bytes / 4 || info.image_width > 0x7FFF'FFFF / 4;
    if (cmyk || pixels == 0 || too_large_) {
        jpeg_destroy_decompress(&info);
        return;
    }
    // The accurate integer transform and smooth chroma upsampling (libjpeg's defaults), as the general
    // decoder uses; BGRA makes the decoder write 255 into the fourth byte.
    info.out_color_space = JCS_EXT_BGRA;
    info.dct_method = JDCT_ISLOW;
    info.do_fancy_upsampling = TRUE;
    orientation_ = orientation_of(info);
    state_ = std::move(state);
}

JpegDecoder::~JpegDecoder() {
    if (state_) jpeg_destroy_decompress(&state_->info);
}

Outcome JpegDecoder::read_rows(uint8_t* const* rows, int count) {
    if (!state_) return Outcome::failed("libjpeg-turbo does not take this file");
    JpegDecoderState& state = *state_;
    if (state.failed) return state.broke_off();
    jpeg_decompress_struct& info = state.info;
    if (setjmp(state.on_error)) {
        state.failed = true;
        return state.broke_off();
    }
    if (!state.started) {
        jpeg_start_decompress(&info);
        state.started = true;
    }
    for (int done = 0; done < count;) {
        if (info.output_scanline >= info.output_height) return Outcome::failed("more rows were asked for than it has");
        done += int(jpeg_read_scanlines(&info, const_cast<JSAMPARRAY>(rows + done), JDIMENSION(count - done)));
    }
    return state.damage.empty() ? Outcome::done() : state.broke_off();
}

Result<JpegDecoder::Columns> JpegDecoder::start_with_columns(int first, int count) {
    if (!state_ || state_->started || first < 0 || count <= 0 || first > width_ - count)
        return Result<Columns>::failed("no such columns can be decoded now");
    JpegDecoderState& state = *state_;
    jpeg_decompress_struct& info = state.info;
    if (setjmp(state.on_error)) {
        state.failed = true;
        return Result<Columns>::failed(state.broke_off());
    }
    jpeg_start_decompress(&info);
    state.started = true;
    JDIMENSION x = JDIMENSION(first), w = JDIMENSION(count);
    jpeg_crop_scanline(&info, &x, &w);  // widened to whole blocks
    state.cropped = true;
    if (!state.damage.empty()) return Result<Columns>::failed(state.broke_off());
    return Result<Columns>::made({int(x), int(w)});
}

std::optional<JpegFile> open_jpeg_file(const std::filesystem::path& file, size_t max_bytes) {
    static constexpr uint8_t kStart[3] = {0xFF, 0xD8, 0xFF};
    Result<InputFile> in = open_input_file(file);
    if (!in.ok) return std::nullopt;
    // Compressed, a picture within the limit takes far fewer bytes than its pixels do.
    Result<std::vector<uint8_t>> bytes = read_file_beginning_with(in.value, kStart, max_bytes);
    return bytes.ok ? JpegFile::open(std::move(bytes.value), max_bytes) : std::nullopt;
}

std::optional<LoadedPicture> decode_jpeg(const uint8_t* jpeg, size_t size, size_t max_bytes, const std::string& shown) {
    JpegDecoder decoder(jpeg, size, max_bytes);
    if (decoder.too_large())
        return LoadedPicture::failed(picture_message::too_large(shown, decoder.width(), decoder.height()));
    if (!decoder.ok()) return std::nullopt;
    std::optional<TurnedJpegRows> turned;
    if (turns_sideways(decoder.orientation())) turned.emplace(jpeg, size, max_bytes, decoder.orientation());
    RowSource& rows_of = turned ? static_cast<RowSource&>(*turned) : decoder;
    Image32 picture = Image32::unfilled(rows_of.width(), rows_of.height());
    constexpr int kRowsAtOnce = 16;  // libjpeg hands out at most a block row at a time
    uint8_t* rows[kRowsAtOnce];
    for (int y = 0; y < picture.height; y += kRowsAtOnce) {
        const int count = std::min(kRowsAtOnce, picture.height - y);
        for (int i = 0; i < count; ++i) rows[i] = picture.bytes.data() + size_t(y + i) * picture.stride();
        if (const Outcome read = rows_of.read_rows(rows, count); !read.ok)
            return LoadedPicture::failed(picture_message::damaged(shown, read.error));
    }
    picture.touch();
    return LoadedPicture::made(turned ? std::move(picture) : upright(std::move(picture), decoder.orientation()));
}

}  // namespace morvane
