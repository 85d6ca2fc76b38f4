#include "platform/win/pictures/picture_loader.h"

#include "platform/codecs/bmp_rows.h"
#include "platform/codecs/exif_orientation.h"
#include "platform/codecs/picture_structure.h"
#include "platform/files/input_file.h"
#include "platform/win/wide_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <wincodec.h>

#include <cstdio>
#include <system_error>

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

LoadedPicture failure(std::string message) { return LoadedPicture::failed(std::move(message)); }

// A failure once a decoder has taken the file (its format is known): where the data ends early or is damaged,
// the file is called damaged; `in_pixels` (the pixels were being copied) counts every failure so.
LoadedPicture failure_in_data(const std::string& shown, HRESULT hr, bool in_pixels = false) {
    const bool damaged = in_pixels || hr == E_FAIL || hr == WINCODEC_ERR_BADIMAGE || hr == WINCODEC_ERR_BADSTREAMDATA ||
                         hr == WINCODEC_ERR_STREAMREAD || hr == WINCODEC_ERR_STREAMNOTAVAILABLE;
    return failure(damaged ? picture_message::damaged(shown, reason(hr)) : picture_message::unreadable(shown, reason(hr)));
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

LoadedPicture decode(IWICImagingFactory* factory, IWICBitmapDecoder* decoder, const std::string& shown) {
    Com<IWICBitmapFrameDecode> frame;
    if (HRESULT hr = decoder->GetFrame(0, frame.put()); FAILED(hr))
        return failure_in_data(shown, hr);
    UINT width = 0, height = 0;
    if (HRESULT hr = frame->GetSize(&width, &height); FAILED(hr))
        return failure_in_data(shown, hr);
    if (width == 0 || height == 0) return failure(picture_message::unreadable(shown, "it has no pixels"));
    // The limit is for the whole load: a picture turned sideways is held twice, as decoded and upright (a
    // mirror or a half turn is done in place).
    const int orientation = orientation_tag(frame.get());
    const int64_t copies = orientation >= 5 ? 2 : 1;
    if (int64_t(width) * int64_t(height) * 4 * copies > kPictureAllocationLimitBytes)
        return failure(picture_message::too_large(shown, width, height));

    // Premultiplied colour is exactly the colour laid over black.
    Com<IWICFormatConverter> converter;
    HRESULT hr = factory->CreateFormatConverter(converter.put());
    if (SUCCEEDED(hr))
        hr = converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom);
    if (FAILED(hr)) return failure_in_data(shown, hr);

    Image32 pixels;
    try {
        pixels.reset(int(width), int(height));
    } catch (const std::bad_alloc&) {
        return failure(picture_message::too_large(shown, width, height));
    }
    hr = converter->CopyPixels(nullptr, UINT(pixels.stride()), UINT(pixels.bytes.size()), pixels.bytes.data());
    // The header was read: a failure now is in the pixels' data, which a cut-off file lacks.
    if (FAILED(hr)) return failure_in_data(shown, hr, true);
    for (size_t i = 3; i < pixels.bytes.size(); i += 4) pixels.bytes[i] = 255;
    pixels.touch();
    return LoadedPicture::made(upright(std::move(pixels), orientation));
}

// Runs `read` with a fresh imaging factory; the factory's own failure is the answer otherwise.
template <class Read>
LoadedPicture with_factory(const std::string& shown, Read read) {
    ComScope com;
    Com<IWICImagingFactory> factory;
    const HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IWICImagingFactory, reinterpret_cast<void**>(factory.put()));
    if (FAILED(hr)) return failure(picture_message::unreadable(shown, "the system's picture decoders: " + reason(hr)));
    return read(factory.get());
}

}  // namespace

LoadedPicture load_picture(const fs::path& file) {
    std::error_code ec;
    fs::path absolute = fs::absolute(file, ec);
    if (ec) absolute = file;
    const std::u8string u8 = absolute.u8string();
    const std::string shown(u8.begin(), u8.end());

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
    if (!fs::is_regular_file(fs::status(file, ec))) return failure(picture_message::not_a_file(shown));

    // Opened once by hand first, so that a file that cannot be read says why in the system's words.
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return failure(picture_message::cannot_open(shown, reason(HRESULT_FROM_WIN32(GetLastError()))));
    CloseHandle(handle);
    {
        // Its header against its size, before the decoder makes a buffer of that size; and, since the system's
        // decoders take a PNG with wrong checksums and a JPEG cut in its data, its structure whole.
        Result<InputFile> in = open_input_file(file, picture_message::refusals(shown));
        if (!in.ok) return failure(in.error);
        for (Outcome (*check)(InputFile&) : {bmp_rows_fit, png_whole, jpeg_markers_whole})
            if (const Outcome fit = check(in.value); !fit.ok) return failure(picture_message::damaged(shown, fit.error));
    }

    return with_factory(shown, [&](IWICImagingFactory* factory) {
        Com<IWICBitmapDecoder> decoder;
        const HRESULT hr = factory->CreateDecoderFromFilename(file.c_str(), nullptr, GENERIC_READ,
                                                              WICDecodeMetadataCacheOnDemand, decoder.put());
        // Some decoders (Wine's JPEG one) read the whole picture here, and stop here when its data does.
        if (FAILED(hr)) return failure_in_data(shown, hr);
        return decode(factory, decoder.get(), shown);
    });
}

LoadedPicture load_picture_bytes(const uint8_t* bytes, size_t size, const std::string& name) {
    return with_factory(name, [&](IWICImagingFactory* factory) {
        Com<IWICStream> stream;
        HRESULT hr = factory->CreateStream(stream.put());
        if (SUCCEEDED(hr)) hr = stream->InitializeFromMemory(const_cast<BYTE*>(bytes), DWORD(size));
        Com<IWICBitmapDecoder> decoder;
        if (SUCCEEDED(hr))
            hr = factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put());
        if (FAILED(hr)) return failure(picture_message::unreadable(name, reason(hr)));
        return decode(factory, decoder.get(), name);
    });
}

}  // namespace morvane
