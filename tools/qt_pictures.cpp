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

// The module's entry point, or why there is none.
const Result<LoadPictureEntry>& picture_module() {
    using Entry = Result<LoadPictureEntry>;
    static const Entry module = [] {
        const fs::path path = module_path().lexically_normal();
        void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);  // kept open: pictures may still hold its memory
        if (!handle) {
            const char* why = ::dlerror();
            return Entry::failed(why ? why : path.string() + " could not be loaded");
        }
        auto* entry = reinterpret_cast<LoadPictureEntry>(::dlsym(handle, kLoadPictureEntryName));
        if (!entry) return Entry::failed(path.string() + " has no " + kLoadPictureEntryName);
        return Entry::made(entry);
    }();
    return module;
}

}  // namespace

LoadedPicture load_picture_through_qt(const fs::path& file) {
    const Result<LoadPictureEntry>& module = picture_module();
    if (!module.ok) {
        std::error_code ec;
        return LoadedPicture::failed("\"" + fs::absolute(file, ec).string() +
                                     "\" could not be read: Morvane's decoders for pictures other than JPEG and PNG are missing (" +
                                     module.error + "). Reinstall Morvane, or choose a .jpg or .png file.");
    }
    LoadedPicture loaded;
    module.value(file.c_str(), uint64_t(kPictureAllocationLimitBytes), &loaded);
    loaded.value.touch();  // the module counts its pictures' versions apart from the program's own
    return loaded;
}

}  // namespace morvane::cli
