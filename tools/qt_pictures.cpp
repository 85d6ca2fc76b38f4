#include "tools/qt_pictures.h"

#include "platform/qt/pictures/picture_module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <string>
#include <system_error>

namespace morvane::cli {

namespace fs = std::filesystem;

namespace {

// The module's place beside the programs' folder, as installed and as built alike.
fs::path module_path() {
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    return program.parent_path() / MORVANE_MODULE_DIR_FROM_PROGRAMS / kPictureModuleFile;
}

struct Module {
    LoadPictureEntry load = nullptr;
    std::string problem;  // why there is no `load`
};

const Module& picture_module() {
    static const Module module = [] {
        const fs::path path = module_path().lexically_normal();
        void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);  // kept open: pictures may still hold its memory
        if (!handle) return Module{nullptr, ::dlerror()};
        auto* entry = reinterpret_cast<LoadPictureEntry>(::dlsym(handle, kLoadPictureEntryName));
        if (!entry) return Module{nullptr, path.string() + " has no " + kLoadPictureEntryName};
        return Module{entry, {}};
    }();
    return module;
}

}  // namespace

LoadedPicture load_picture_through_qt(const fs::path& file) {
    const Module& module = picture_module();
    if (!module.load) {
        std::error_code ec;
        return LoadedPicture::failed("\"" + fs::absolute(file, ec).string() +
                                     "\" could not be read: Morvane's decoders for pictures other than JPEG and PNG are missing (" +
                                     module.problem + "). Reinstall Morvane, or choose a .jpg or .png file.");
    }
    LoadedPicture loaded;
    module.load(file.c_str(), uint64_t(kPictureAllocationLimitBytes), &loaded);
    loaded.value.touch();  // the module counts its pictures' versions apart from the program's own
    return loaded;
}

}  // namespace morvane::cli
