// The picture loader's front with Qt's decoders behind it. The first byte picks what stands at the chosen
// path (a file with the remaining bytes, a FIFO, a folder, nothing); whatever it is, the loader answers at
// once with a picture or a message, never both, and never a picture larger than its limit.
#include "platform/qt/pictures/picture_loader.h"
#include "tests/support/temp_folder.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// Small enough that a header announcing a huge picture is refused, not decoded for seconds.
constexpr uint64_t kFuzzLimitBytes = 16u << 20;

const fs::path& work_folder() {
    static const morvane::testing::TempFolder folder;
    return folder.path();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);  // Qt finds its image plugins through it
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});  // decoders' complaints
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fs::path picture = work_folder() / "picture.jpg";
    std::error_code ec;
    fs::remove_all(picture, ec);
    const int kind = size > 0 ? data[0] % 4 : 0;
    if (kind == 0 && size > 0)
        std::ofstream(picture, std::ios::binary).write(reinterpret_cast<const char*>(data + 1), std::streamsize(size - 1));
    else if (kind == 1)
        ::mkfifo(picture.c_str(), 0600);
    else if (kind == 2)
        fs::create_directory(picture, ec);

    const morvane::LoadedPicture loaded = morvane::load_picture(picture, kFuzzLimitBytes);
    if (loaded.ok == loaded.value.empty()) std::abort();
    if (loaded.ok && loaded.value.bytes.size() > kFuzzLimitBytes) std::abort();
    if (!loaded.ok && loaded.error.find(picture.string()) == std::string::npos) std::abort();
    return 0;
}
