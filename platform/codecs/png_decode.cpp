#include "platform/codecs/png_decode.h"

#include <csetjmp>
#include <cstring>

#include <png.h>

namespace morvane {

// libpng reports a fatal error by jumping back (png_jmpbuf) to the call that handed it the work. Only plain
// values live in the frames between, so nothing is skipped on the way.
struct PngDecoderState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t at = 0;
    bool alpha = false;  // rows come with their own alpha, to be laid over black
    int rows_read = 0;
    bool failed = false;
    std::string error;  // libpng's words for the error that stopped it
    Outcome broke_off() const { return Outcome::failed(error.empty() ? "its data ends early" : error); }
    ~PngDecoderState() { png_destroy_read_struct(&png, &info, nullptr); }
};

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

void read_from_memory(png_structp png, png_bytep out, size_t bytes) {
    auto* state = static_cast<PngDecoderState*>(png_get_io_ptr(png));
    if (bytes > state->size - state->at) png_error(png, "the file ends early");
    std::memcpy(out, state->data + state->at, bytes);
    state->at += bytes;
}

// Nothing is printed, neither warnings (a damaged ancillary chunk) nor errors: what the user needs to know is
// said once, in the loader's message. An error jumps back as libpng's own handler would, after printing.
void stay_quiet(png_structp, png_const_charp) {}
[[noreturn]] void jump_back(png_structp png, png_const_charp message) {
    if (auto* state = static_cast<PngDecoderState*>(png_get_error_ptr(png)); state && message) state->error = message;
    png_longjmp(png, 1);
}

// Colour laid over black, rounded as the general decoder premultiplies: round(c * a / 255), exactly.
uint8_t over_black(uint32_t c, uint32_t a) {
    const uint32_t t = c * a + 0x80;
    return uint8_t((t + (t >> 8)) >> 8);
}

void lay_row_over_black(uint8_t* row, int width) {
    for (int x = 0; x < width; ++x, row += 4) {
        const uint32_t a = row[3];
        row[0] = over_black(row[0], a);
        row[1] = over_black(row[1], a);
        row[2] = over_black(row[2], a);
        row[3] = 255;
    }
}

}  // namespace

PngDecoder::PngDecoder(const uint8_t* png, size_t size, size_t max_bytes) {
    if (!png || size < 8 || std::memcmp(png, kSignature, 8) != 0) return;
    auto state = std::make_unique<PngDecoderState>();
    state->data = png;
    state->size = size;
    state->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, state.get(), jump_back, stay_quiet);
    if (!state->png) return;
    state->info = png_create_info_struct(state->png);
    if (!state->info) return;
    if (setjmp(png_jmpbuf(state->png))) return;  // state goes with this constructor: not ok()
    png_set_read_fn(state->png, state.get(), read_from_memory);
    png_read_info(state->png, state->info);
    png_uint_32 width = 0, height = 0;
    int depth = 0, colour = 0, interlace = 0;
    png_get_IHDR(state->png, state->info, &width, &height, &depth, &colour, &interlace, nullptr, nullptr);
    const size_t pixels = size_t(width) * size_t(height);
    if (depth > 8 || interlace != PNG_INTERLACE_NONE || pixels == 0 || pixels > max_bytes / 4 ||
        width > 0x7FFF'FFFF / 4 || height > 0x7FFF'FFFF)
        return;
    // Every kind becomes blue, green, red and alpha (or 255): palette and small grey values widened, grey
    // copied into all three colours, a transparent colour key turned into alpha.
    png_set_expand(state->png);
    png_set_gray_to_rgb(state->png);
    png_set_bgr(state->png);
    state->alpha = (colour & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(state->png, state->info, PNG_INFO_tRNS);
    if (!state->alpha) png_set_filler(state->png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(state->png, state->info);
    if (png_get_rowbytes(state->png, state->info) != size_t(width) * 4) return;
    width_ = int(width);
    height_ = int(height);
    state_ = std::move(state);
}

PngDecoder::~PngDecoder() = default;

Outcome PngDecoder::read_rows(uint8_t* const* rows, int count) {
    if (!state_) return Outcome::failed("libpng does not take this file");
    PngDecoderState& state = *state_;
    if (state.failed) return state.broke_off();
    if (count > height_ - state.rows_read) return Outcome::failed("more rows were asked for than it has");
    if (setjmp(png_jmpbuf(state.png))) {
        state.failed = true;
        return state.broke_off();
    }
    png_read_rows(state.png, const_cast<png_bytepp>(rows), nullptr, png_uint_32(count));
    state.rows_read += count;
    if (state.alpha)
        for (int i = 0; i < count; ++i) lay_row_over_black(rows[i], width_);
    return Outcome::done();
}

std::optional<LoadedPicture> decode_png(const uint8_t* png, size_t size, size_t max_bytes, const std::string& shown) {
    PngDecoder decoder(png, size, max_bytes);
    if (!decoder.ok()) return std::nullopt;
    Image32 picture = Image32::unfilled(decoder.width(), decoder.height());
    for (int y = 0; y < picture.height; ++y) {
        uint8_t* row[1] = {picture.bytes.data() + size_t(y) * picture.stride()};
        if (const Outcome read = decoder.read_rows(row, 1); !read.ok)
            return LoadedPicture::failed(picture_message::damaged(shown, read.error));
    }
    picture.touch();
    return LoadedPicture::made(std::move(picture));
}

std::optional<PngFile> open_png_file(const std::filesystem::path& file, size_t max_bytes) {
    Result<InputFile> in = open_input_file(file);
    if (!in.ok || !png_chunks_fit(in.value).ok) return std::nullopt;
    // Compressed, a picture within the limit takes far fewer bytes than its pixels do.
    Result<std::vector<uint8_t>> bytes = read_file_beginning_with(in.value, kSignature, max_bytes);
    return bytes.ok ? PngFile::open(std::move(bytes.value), max_bytes) : std::nullopt;
}

}  // namespace morvane
