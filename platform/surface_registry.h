#pragma once
// Handles of live drawing surfaces, the stand-in for device-context and bitmap handles: a control hands
// out its surface's handle (get_the_hdc), a picture surface its image's handle, and a blend or a pixel
// read finds the image again by that number. Handle 0 is never issued, so a zero handle finds nothing.
#include "platform/image32.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <unordered_map>

namespace morvane {

using SurfaceHandle = uint32_t;

class SurfaceRegistry {
public:
    // The one registry of the process, as the platform's handle table is one per process.
    static SurfaceRegistry& instance();

    // `before_read`, when given, runs before every find() of this handle, so an owner that defers work on
    // its pixels (a pending clear) can carry it out before anyone reads them through the handle.
    SurfaceHandle add(const Image32* image, std::function<void()> before_read = {});
    void remove(SurfaceHandle handle);
    // The image behind a handle, or nullptr for an unknown or removed one.
    const Image32* find(SurfaceHandle handle) const;

private:
    struct Entry {
        const Image32* image;
        std::function<void()> before_read;
    };
    mutable std::mutex mutex_;
    std::unordered_map<SurfaceHandle, Entry> images_;
    SurfaceHandle next_ = 1;
};

// Registers an image for as long as it lives; the owner keeps the image at a stable address.
class RegisteredImage {
public:
    explicit RegisteredImage(std::function<void()> before_read = {})
        : handle_(SurfaceRegistry::instance().add(&image_, std::move(before_read))) {}
    ~RegisteredImage() { SurfaceRegistry::instance().remove(handle_); }
    RegisteredImage(const RegisteredImage&) = delete;
    RegisteredImage& operator=(const RegisteredImage&) = delete;

    Image32& image() { return image_; }
    const Image32& image() const { return image_; }
    SurfaceHandle handle() const { return handle_; }

private:
    Image32 image_;
    SurfaceHandle handle_;
};

}  // namespace morvane
