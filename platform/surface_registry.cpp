#include "platform/surface_registry.h"

namespace morvane {

SurfaceRegistry& SurfaceRegistry::instance() {
    static SurfaceRegistry registry;
    return registry;
}

SurfaceHandle SurfaceRegistry::add(const Image32* image) {
    std::lock_guard lock(mutex_);
    SurfaceHandle handle = next_++;
    if (next_ == 0) next_ = 1;
    images_[handle] = image;
    return handle;
}

void SurfaceRegistry::remove(SurfaceHandle handle) {
    std::lock_guard lock(mutex_);
    images_.erase(handle);
}

const Image32* SurfaceRegistry::find(SurfaceHandle handle) const {
    std::lock_guard lock(mutex_);
    auto it = images_.find(handle);
    return it == images_.end() ? nullptr : it->second;
}

}  // namespace morvane
