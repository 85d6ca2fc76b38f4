#pragma once
// Reading pictures through the Windows Imaging Component, for the programs built without Qt (the command
// line on Windows). The same contract and messages as platform/qt/pictures/picture_loader.h.
#include "platform/codecs/loaded_picture.h"
#include "platform/pictures/row_source.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace morvane {

// Reads .bmp, .jpg, .png, .gif, .tif and whatever else the system has decoders for, of any size up to
// kPictureAllocationLimitBytes; JPEGs and most PNGs through libjpeg-turbo and libpng, as on Linux. The format
// is found from the content, not the extension; a photograph is turned upright by its orientation tag;
// transparent parts are laid over black.
LoadedPicture load_picture(const std::filesystem::path& file);

// A picture opened through the system's decoders and handed out upright, a band of its rows (or, turned
// sideways, of its columns) at a time, so that it can be drawn as it is decoded and this program never holds
// it whole. The rows may be read on another thread than the one that opened it, one call at a time.
class PictureRows final : public RowSource {
public:
    struct Reader;  // the system's objects, kept out of this header
    explicit PictureRows(std::unique_ptr<Reader> reader);
    ~PictureRows() override;
    int width() const override;
    int height() const override;
    bool bottom_first() const override;
    // A failure says what went wrong as load_picture says it.
    Outcome read_rows(uint8_t* const* rows, int count) override;

private:
    std::unique_ptr<Reader> reader_;
};

// `file` opened as load_picture opens it, refused with the same messages. A band holds `band_bytes` at most
// (at least one row or column).
Result<std::unique_ptr<PictureRows>> open_picture_rows(const std::filesystem::path& file,
                                                       size_t band_bytes = size_t(8) << 20);

}  // namespace morvane
