#pragma once
// Picture files for the Windows tests, written without Qt: BMP and TIFF byte by byte (so that the decoder
// under test is not also their writer), PNG and JPEG through the system's own encoders.
#include "platform/pictures/image32.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <wincodec.h>

#include <array>
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

// `bytes` little-endian bytes of `v`.
inline void put(std::string& s, uint32_t v, int bytes = 4) {
    for (int i = 0; i < bytes; ++i) s += char(v >> 8 * i & 255);
}

// A 24-bit BMP, rows bottom first and padded to 4 bytes; `claimed_*` may lie about the size.
inline std::string bmp24(const morvane::Image32& img, int claimed_w = 0, int claimed_h = 0) {
    const uint32_t row = (uint32_t(img.width) * 3 + 3) & ~3u;
    std::string s = "BM";
    for (const uint32_t v : {54 + row * img.height, 0u, 54u, 40u, uint32_t(claimed_w ? claimed_w : img.width),
                             uint32_t(claimed_h ? claimed_h : img.height)})
        put(s, v);
    put(s, 1, 2), put(s, 24, 2);
    for (const uint32_t v : {0u, row * uint32_t(img.height), 2835u, 2835u, 0u, 0u}) put(s, v);
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
    std::string s = std::string("II*\0", 4);
    put(s, ifd), put(s, entries, 2);
    // Tag, type (3 short, 4 long), count, value: width, height, bits (8, 8, 8 at `bits`), no compression, RGB,
    // where the strip starts, the orientation, samples per pixel, rows per strip, the strip's bytes.
    for (const auto& [tag, type, count, value] : {std::array<uint32_t, 4>{256, 4, 1, uint32_t(img.width)}, {257, 4, 1, uint32_t(img.height)},
                                                 {258, 3, 3, bits}, {259, 3, 1, 1}, {262, 3, 1, 2}, {273, 4, 1, data}, {274, 3, 1, uint32_t(orientation)},
                                                 {277, 3, 1, 3}, {278, 4, 1, uint32_t(img.height)}, {279, 4, 1, pixels}})
        put(s, tag, 2), put(s, type, 2), put(s, count), put(s, value);
    put(s, 0), put(s, 8, 2), put(s, 8, 2), put(s, 8, 2);
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
