#include "platform/surface_registry.h"

namespace morvane {

SurfaceRegistry& SurfaceRegistry::instance() {
    static SurfaceRegistry registry;
    return registry;
}

SurfaceHandle SurfaceRegistry::add(const Image32* image, std::function<void()> before_read) {
    std::lock_guard lock(mutex_);
    SurfaceHandle handle = next_++;
    if (next_ == 0) next_ = 1;
    images_[handle] = Entry{image, std::move(before_read)};
    return handle;
}

void SurfaceRegistry::remove(SurfaceHandle handle) {
    std::lock_guard lock(mutex_);
    images_.erase(handle);
}

const Image32* SurfaceRegistry::find(SurfaceHandle handle) const {
    Entry entry{};
    {
        std::lock_guard lock(mutex_);
        auto it = images_.find(handle);
        if (it == images_.end()) return nullptr;
        entry = it->second;
    }
    if (entry.before_read) entry.before_read();  // outside the lock: it may touch the registry itself
    return entry.image;
}

}  // namespace morvane
