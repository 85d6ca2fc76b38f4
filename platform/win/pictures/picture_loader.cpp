#include "platform/win/pictures/picture_loader.h"

#include "platform/codecs/bmp_rows.h"
#include "platform/codecs/exif_orientation.h"
#include "platform/codecs/jpeg_decode.h"
#include "platform/codecs/picture_structure.h"
#include "platform/codecs/png_decode.h"
#include "platform/files/input_file.h"
#include "platform/win/wide_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <system_error>
#include <vector>

namespace morvane {
namespace {

namespace fs = std::filesystem;

Outcome png_whole(InputFile& in) { return png_chunks_fit(in, true); }

// Owns one COM reference.
template <class T>
class Com {
public:
    Com() = default;
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com() {
        if (p_) p_->Release();
    }
    T** put() { return &p_; }
    T* get() const { return p_; }
    T* operator->() const { return p_; }

private:
    T* p_ = nullptr;
};

// COM on this thread for as long as a picture is read; a caller's own set-up is left as it was.
class ComScope {
public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }

private:
    HRESULT result_;
};

// What a failed call means, in words; the codec errors have no text in the system's message table.
std::string reason(HRESULT hr) {
    switch (hr) {
        case WINCODEC_ERR_COMPONENTNOTFOUND: return "no picture format this system knows";
        case WINCODEC_ERR_BADHEADER: return "its header is damaged";
        case WINCODEC_ERR_BADIMAGE:
        case WINCODEC_ERR_BADSTREAMDATA: return "its data is damaged";
        case WINCODEC_ERR_STREAMREAD:
        case WINCODEC_ERR_STREAMNOTAVAILABLE: return "the file ends too early";
        case WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT:
        case WINCODEC_ERR_UNKNOWNIMAGEFORMAT:
        case WINCODEC_ERR_UNSUPPORTEDVERSION:
        case WINCODEC_ERR_UNSUPPORTEDOPERATION: return "a kind of picture this system cannot decode";
        case WINCODEC_ERR_FRAMEMISSING: return "it holds no picture";
        case WINCODEC_ERR_IMAGESIZEOUTOFRANGE:
        case WINCODEC_ERR_VALUEOUTOFRANGE: return "its header gives a size the system's decoder cannot take";
        case WINCODEC_ERR_BADMETADATAHEADER:
        case WINCODEC_ERR_TOOMUCHMETADATA: return "the data about the picture in it is damaged";
        case WINCODEC_ERR_PALETTEUNAVAILABLE: return "its colour table is missing";
        case E_OUTOFMEMORY: return "not enough memory";
        // What a decoder answers when it stops in the middle of the data, without saying why.
        case E_FAIL: return "the system's decoder stopped in its data";
        default: break;
    }
    // Any other answer of the system's picture decoders: the system's message table has no text for them.
    constexpr int kPictureDecoders = 0x898;  // the facility of every WINCODEC_ERR_ code
    if (HRESULT_FACILITY(hr) == kPictureDecoders) {
        char code[64];
        std::snprintf(code, sizeof code, "the system's picture decoder failed with code 0x%08lX",
                      static_cast<unsigned long>(hr));
        return code;
    }
    wchar_t* text = nullptr;
    const DWORD len = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                         FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, DWORD(hr), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text ? text : L"", len);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L'.'))
        message.pop_back();
    if (!message.empty()) return utf8_from_wide(message);
    char code[32];
    std::snprintf(code, sizeof code, "error 0x%08lX", static_cast<unsigned long>(hr));
    return code;
}

// A failure once a decoder has taken the file (its format is known): where the data ends early or is damaged,
// the file is called damaged; `in_pixels` (the pixels were being copied) counts every failure so.
std::string failure_in_data(const std::string& shown, HRESULT hr, bool in_pixels = false) {
    const bool damaged = in_pixels || hr == E_FAIL || hr == WINCODEC_ERR_BADIMAGE || hr == WINCODEC_ERR_BADSTREAMDATA ||
                         hr == WINCODEC_ERR_STREAMREAD || hr == WINCODEC_ERR_STREAMNOTAVAILABLE;
    return damaged ? picture_message::damaged(shown, reason(hr)) : picture_message::unreadable(shown, reason(hr));
}

// The orientation tag of a JPEG's EXIF block or a TIFF's first directory, 1 (upright) when the system
// reports neither.
int orientation_tag(IWICBitmapFrameDecode* frame) {
    Com<IWICMetadataQueryReader> query;
    if (FAILED(frame->GetMetadataQueryReader(query.put())) || !query.get()) return 1;
    for (const wchar_t* name : {L"/app1/ifd/{ushort=274}", L"/ifd/{ushort=274}"}) {
        PROPVARIANT value;
        PropVariantInit(&value);
        const HRESULT hr = query->GetMetadataByName(name, &value);
        const int tag = SUCCEEDED(hr) && value.vt == VT_UI2 ? int(value.uiVal) : 0;
        PropVariantClear(&value);
        if (tag >= 1 && tag <= 8) return tag;
    }
    return 1;
}

}  // namespace

// COM first, so that it ends last. The objects are the imaging component's free-threaded ones, and while this
// thread holds the process's multithreaded apartment a thread that has not joined one (the stretch's decoding
// thread) is in it too, so that thread may call them directly.
struct PictureRows::Reader {
    ComScope com;
    Com<IWICImagingFactory> factory;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICFormatConverter> converter;
    std::string shown;
    int stored_width = 0, stored_height = 0;
    UprightRows order;
    // The stored lines (rows, or columns where the picture is turned sideways) band_first onwards, as decoded.
    std::vector<uint8_t> band;
    int band_lines = 1, band_first = 0, band_count = 0;
    int next = 0;  // the next stored line to hand out
    std::string failure;

    int line_pixels() const { return order.transposed ? stored_height : stored_width; }
    int lines() const { return order.transposed ? stored_width : stored_height; }

    bool read_band() {
        const int first = band_first + band_count;
        const int count = std::min(band_lines, lines() - first);
        const WICRect rect = order.transposed ? WICRect{first, 0, count, stored_height} : WICRect{0, first, stored_width, count};
        const UINT stride = UINT(rect.Width) * 4;
        try {
            band.resize(size_t(stride) * size_t(rect.Height));
        } catch (const std::bad_alloc&) {
            failure = picture_message::unreadable(shown, reason(E_OUTOFMEMORY));
            return false;
        }
        // The header was read: a failure now is in the pixels' data, which a cut-off file lacks.
        if (HRESULT hr = converter->CopyPixels(&rect, stride, UINT(band.size()), band.data()); FAILED(hr)) {
            failure = failure_in_data(shown, hr, true);
            return false;
        }
        band_first = first;
        band_count = count;
        return true;
    }

    // Stored line `line` of the band as an upright row, opaque.
    void copy_line(int line, uint8_t* row) const {
        const int k = line - band_first, n = line_pixels();
        if (!order.transposed) std::memcpy(row, band.data() + size_t(k) * size_t(n) * 4, size_t(n) * 4);
        else
            for (int y = 0; y < n; ++y) std::memcpy(row + size_t(y) * 4, band.data() + (size_t(y) * band_count + k) * 4, 4);
        // Premultiplied colour is exactly the colour laid over black.
        for (int x = 0; x < n; ++x) row[size_t(x) * 4 + 3] = 255;
        if (order.mirrored) mirror_row(row, n);
    }
};

namespace {

using OpenedReader = Result<std::unique_ptr<PictureRows::Reader>>;

// COM and a fresh imaging factory; the factory's own failure is the answer otherwise.
OpenedReader new_reader(const std::string& shown) {
    auto reader = std::make_unique<PictureRows::Reader>();
    reader->shown = shown;
    const HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                        reinterpret_cast<void**>(reader->factory.put()));
    if (FAILED(hr)) return OpenedReader::failed(picture_message::unreadable(shown, "the system's picture decoders: " + reason(hr)));
    return OpenedReader::made(std::move(reader));
}

// The decoder's first frame, its size checked and its pixels to come as premultiplied blue, green, red, alpha.
// `orientation`: the file's own tag where the system's decoder may not report it (0 to ask the decoder).
OpenedReader first_frame(OpenedReader opened, int orientation = 0, size_t band_bytes = size_t(8) << 20) {
    if (!opened.ok) return opened;
    PictureRows::Reader& r = *opened.value;
    const std::string& shown = r.shown;
    if (HRESULT hr = r.decoder->GetFrame(0, r.frame.put()); FAILED(hr))
        return OpenedReader::failed(failure_in_data(shown, hr));
    UINT width = 0, height = 0;
    if (HRESULT hr = r.frame->GetSize(&width, &height); FAILED(hr)) return OpenedReader::failed(failure_in_data(shown, hr));
    if (width == 0 || height == 0) return OpenedReader::failed(picture_message::unreadable(shown, "it has no pixels"));
    if (int64_t(width) * int64_t(height) * 4 > kPictureAllocationLimitBytes)
        return OpenedReader::failed(picture_message::too_large(shown, width, height));
    r.stored_width = int(width);
    r.stored_height = int(height);
    r.order = upright_rows(orientation != 0 ? orientation : orientation_tag(r.frame.get()));
    r.band_lines = int(std::clamp<size_t>(band_bytes / (size_t(r.line_pixels()) * 4), 1, size_t(r.lines())));

    HRESULT hr = r.factory->CreateFormatConverter(r.converter.put());
    if (SUCCEEDED(hr))
        hr = r.converter->Initialize(r.frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                     0.0, WICBitmapPaletteTypeCustom);
    if (FAILED(hr)) return OpenedReader::failed(failure_in_data(shown, hr));
    return opened;
}

// The whole picture read from the rows, each in its upright place: held once, never also as stored.
LoadedPicture read_whole(OpenedReader opened) {
    if (!opened.ok) return LoadedPicture::failed(opened.error);
    const std::string shown = opened.value->shown;
    PictureRows rows(std::move(opened.value));
    Image32 pixels;
    try {
        pixels = Image32::unfilled(rows.width(), rows.height());
    } catch (const std::bad_alloc&) {
        return LoadedPicture::failed(picture_message::too_large(shown, rows.width(), rows.height()));
    }
    constexpr int kRowsAtOnce = 16;
    uint8_t* band[kRowsAtOnce];
    for (int y = 0; y < pixels.height; y += kRowsAtOnce) {
        const int count = std::min(kRowsAtOnce, pixels.height - y);
        for (int i = 0; i < count; ++i) band[i] = pixels.row(rows.bottom_first() ? pixels.height - 1 - (y + i) : y + i);
        if (const Outcome read = rows.read_rows(band, count); !read.ok) return LoadedPicture::failed(read.error);
    }
    pixels.touch();
    return LoadedPicture::made(std::move(pixels));
}

// The file as the messages name it: in full, as UTF-8.
std::string shown_name(const fs::path& file) {
    std::error_code ec;
    fs::path absolute = fs::absolute(file, ec);
    if (ec) absolute = file;
    const std::u8string u8 = absolute.u8string();
    return std::string(u8.begin(), u8.end());
}

// `file` checked and opened, with the messages of load_picture.
OpenedReader open_reader(const fs::path& file, size_t band_bytes = size_t(8) << 20) {
    const std::string shown = shown_name(file);
    auto failure = [](std::string message) { return OpenedReader::failed(std::move(message)); };

    // The system's own answer names what is there: the library's status calls a loop of links, a pipe and a
    // device (NUL, or a FIFO that Wine shows) all missing.
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return failure(picture_message::missing(shown));
        if (code == ERROR_CANT_RESOLVE_FILENAME)
            return failure(picture_message::cannot_open(shown, "it is a loop of symbolic links"));
        if (code == ERROR_INVALID_PARAMETER) return failure(picture_message::not_a_file(shown));  // Wine: a FIFO
        return failure(picture_message::cannot_open(shown, reason(HRESULT_FROM_WIN32(code))));
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return failure(picture_message::folder(shown));
    if (std::error_code ec; !fs::is_regular_file(fs::status(file, ec))) return failure(picture_message::not_a_file(shown));

    // Opened once by hand first, so that a file that cannot be read says why in the system's words.
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return failure(picture_message::cannot_open(shown, reason(HRESULT_FROM_WIN32(GetLastError()))));
    CloseHandle(handle);
    int orientation = 0;
    {
        // Its header against its size, before the decoder makes a buffer of that size; and, since the system's
        // decoders take a PNG with wrong checksums and a JPEG cut in its data, its structure whole.
        Result<InputFile> in = open_input_file(file, picture_message::refusals(shown));
        if (!in.ok) return failure(in.error);
        for (Outcome (*check)(InputFile&) : {bmp_rows_fit, png_whole, jpeg_markers_whole})
            if (const Outcome fit = check(in.value); !fit.ok) return failure(picture_message::damaged(shown, fit.error));
        // Wine's decoder does not report a JPEG's tag; Windows' own reads the same block.
        orientation = jpeg_orientation_tag(in.value);
    }

    OpenedReader opened = new_reader(shown);
    if (!opened.ok) return opened;
    const HRESULT hr = opened.value->factory->CreateDecoderFromFilename(file.c_str(), nullptr, GENERIC_READ,
                                                                        WICDecodeMetadataCacheOnDemand,
                                                                        opened.value->decoder.put());
    // Some decoders (Wine's JPEG one) read the whole picture here, and stop here when its data does.
    if (FAILED(hr)) return failure(failure_in_data(shown, hr));
    return first_frame(std::move(opened), orientation, band_bytes);
}

}  // namespace

PictureRows::PictureRows(std::unique_ptr<Reader> reader) : reader_(std::move(reader)) {}
PictureRows::~PictureRows() = default;
int PictureRows::width() const { return reader_->order.transposed ? reader_->stored_height : reader_->stored_width; }
int PictureRows::height() const { return reader_->order.transposed ? reader_->stored_width : reader_->stored_height; }
bool PictureRows::bottom_first() const { return reader_->order.bottom_first; }
Outcome PictureRows::read_rows(uint8_t* const* rows, int count) {
    Reader& r = *reader_;
    auto broke_off = [&r] {
        return Outcome::failed(!r.failure.empty() ? r.failure : "the picture has no more rows than it said");
    };
    if (!r.failure.empty() || count > r.lines() - r.next) return broke_off();
    for (int i = 0; i < count; ++i, ++r.next) {
        if (r.next >= r.band_first + r.band_count && !r.read_band()) return broke_off();
        r.copy_line(r.next, rows[i]);
    }
    return Outcome::done();
}

Result<std::unique_ptr<PictureRows>> open_picture_rows(const fs::path& file, size_t band_bytes) {
    using Opened = Result<std::unique_ptr<PictureRows>>;
    OpenedReader opened = open_reader(file, band_bytes);
    if (!opened.ok) return Opened::failed(opened.error);
    return Opened::made(std::make_unique<PictureRows>(std::move(opened.value)));
}

LoadedPicture load_picture(const fs::path& file) {
    // JPEGs and the PNGs libpng takes are decoded as on Linux: the same pixels, turned by the same tag, their
    // damage found as it is there.
    const size_t limit = size_t(kPictureAllocationLimitBytes);
    if (std::optional<JpegFile> jpeg = open_jpeg_file(file, limit))
        if (std::optional<LoadedPicture> decoded = decode_jpeg(jpeg->bytes.data(), jpeg->bytes.size(), limit, shown_name(file)))
            return std::move(*decoded);
    if (std::optional<PngFile> png = open_png_file(file, limit))
        if (std::optional<LoadedPicture> decoded = decode_png(png->bytes.data(), png->bytes.size(), limit, shown_name(file)))
            return std::move(*decoded);
    return read_whole(open_reader(file));
}

}  // namespace morvane
