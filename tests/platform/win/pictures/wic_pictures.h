#pragma once
// Picture files for the Windows tests, written without Qt: BMP and TIFF byte by byte (so that the decoder
// under test is not also their writer), PNG and JPEG through the system's own encoders.
#include "platform/pictures/image32.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace morvane::testing {

// Each pixel a colour of its own, so that a swapped channel or a flipped row shows.
inline morvane::Image32 pattern(int w, int h) {
    morvane::Image32 img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.set_pixel(x, y, {uint8_t((x + y) * 3 % 256), uint8_t(y * 11 % 256), uint8_t(x * 7 % 256), 255});
    return img;
}

// Smooth shading, as in a photograph, for the lossy formats.
inline morvane::Image32 gradient(int w, int h) {
    morvane::Image32 img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.set_pixel(x, y, {uint8_t(60 + x), uint8_t(40 + 2 * y), uint8_t(200 - x - y), 255});
    return img;
}

inline void put16(std::string& s, uint32_t v) { s += char(v & 255); s += char(v >> 8 & 255); }
inline void put32(std::string& s, uint32_t v) { put16(s, v & 0xFFFF); put16(s, v >> 16); }

// A 24-bit BMP, rows bottom first and padded to 4 bytes; `claimed_*` may lie about the size.
inline std::string bmp24(const morvane::Image32& img, int claimed_w = 0, int claimed_h = 0) {
    const uint32_t row = (uint32_t(img.width) * 3 + 3) & ~3u;
    std::string s = "BM";
    put32(s, 54 + row * img.height); put32(s, 0); put32(s, 54);
    put32(s, 40); put32(s, claimed_w ? claimed_w : img.width); put32(s, claimed_h ? claimed_h : img.height);
    put16(s, 1); put16(s, 24); put32(s, 0); put32(s, row * img.height);
    put32(s, 2835); put32(s, 2835); put32(s, 0); put32(s, 0);
    for (int y = img.height - 1; y >= 0; --y) {
        for (int x = 0; x < img.width; ++x) {
            const morvane::Bgra p = img.pixel(x, y);
            s += char(p.b); s += char(p.g); s += char(p.r);
        }
        s.append(row - uint32_t(img.width) * 3, '\0');
    }
    return s;
}

// An uncompressed RGB TIFF with the orientation tag (274) set to `orientation`.
inline std::string tiff_rgb(const morvane::Image32& img, int orientation) {
    const uint32_t pixels = uint32_t(img.width) * uint32_t(img.height) * 3;
    const uint16_t entries = 10;
    const uint32_t ifd = 8, bits = ifd + 2 + entries * 12 + 4, data = bits + 6;
    std::string s = "II*";
    s += '\0';
    put32(s, ifd);
    put16(s, entries);
    auto entry = [&](uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
        put16(s, tag); put16(s, type); put32(s, count); put32(s, value);
    };
    entry(256, 4, 1, uint32_t(img.width));
    entry(257, 4, 1, uint32_t(img.height));
    entry(258, 3, 3, bits);            // 8, 8, 8
    entry(259, 3, 1, 1);               // no compression
    entry(262, 3, 1, 2);               // RGB
    entry(273, 4, 1, data);            // where the strip starts
    entry(274, 3, 1, uint32_t(orientation));
    entry(277, 3, 1, 3);               // samples per pixel
    entry(278, 4, 1, uint32_t(img.height));
    entry(279, 4, 1, pixels);
    put32(s, 0);
    put16(s, 8); put16(s, 8); put16(s, 8);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const morvane::Bgra p = img.pixel(x, y);
            s += char(p.r); s += char(p.g); s += char(p.b);
        }
    return s;
}

// PNG or JPEG (container GUID_ContainerFormatPng / GUID_ContainerFormatJpeg) by the system's encoder; with
// `alpha` (PNG only) the fourth byte goes along as transparency.
inline bool write_with_system_encoder(const std::filesystem::path& file, const morvane::Image32& img,
                                      const GUID& container, bool alpha = false) {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    IPropertyBag2* options = nullptr;
    std::vector<uint8_t> bgr;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const morvane::Bgra p = img.pixel(x, y);
            bgr.insert(bgr.end(), {p.b, p.g, p.r});
            if (alpha) bgr.push_back(p.a);
        }
    const WICPixelFormatGUID wanted = alpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
    WICPixelFormatGUID format = wanted;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(&factory));
    if (SUCCEEDED(hr)) hr = factory->CreateStream(&stream);
    if (SUCCEEDED(hr)) hr = stream->InitializeFromFilename(file.c_str(), GENERIC_WRITE);
    if (SUCCEEDED(hr)) hr = factory->CreateEncoder(container, nullptr, &encoder);
    if (SUCCEEDED(hr)) hr = encoder->Initialize(stream, WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(&frame, &options);
    if (SUCCEEDED(hr)) hr = frame->Initialize(options);
    if (SUCCEEDED(hr)) hr = frame->SetSize(UINT(img.width), UINT(img.height));
    if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&format);
    if (SUCCEEDED(hr) && format != wanted) hr = E_FAIL;
    if (SUCCEEDED(hr)) hr = frame->WritePixels(UINT(img.height), UINT(img.width) * (alpha ? 4 : 3), UINT(bgr.size()), bgr.data());
    if (SUCCEEDED(hr)) hr = frame->Commit();
    if (SUCCEEDED(hr)) hr = encoder->Commit();
    for (IUnknown* u : {static_cast<IUnknown*>(options), static_cast<IUnknown*>(frame),
                        static_cast<IUnknown*>(encoder), static_cast<IUnknown*>(stream),
                        static_cast<IUnknown*>(factory)})
        if (u) u->Release();
    CoUninitialize();
    return SUCCEEDED(hr);
}

}  // namespace morvane::testing
