#include "pnm_reader.h"

#include <string>

#include "picture_bounds.h"
#include "picture_import.h"
#include "raster/exceptions.h"

namespace mosaren {

namespace {

bool IsBlank(std::uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

[[noreturn]] void Refuse(const std::string& why) {
    throw EInvalidGraphic(std::string(kUnreadablePicture) + ": PNM file " + why);
}

class PnmText {
public:
    explicit PnmText(std::span<const std::uint8_t> file) : mFile(file) {}

    // Blanks and comments, up to the next digit.
    void SkipBlanks() {
        while (mAt < mFile.size()) {
            if (mFile[mAt] == '#') {
                while (mAt < mFile.size() && mFile[mAt] != '\n' && mFile[mAt] != '\r') ++mAt;
            } else if (IsBlank(mFile[mAt])) {
                ++mAt;
            } else {
                return;
            }
        }
    }
    // A decimal number of the header or of a plain file's samples, at most limit.
    std::uint32_t Number(std::uint32_t limit, const char* what) {
        SkipBlanks();
        if (mAt >= mFile.size()) Refuse("ends before its " + std::string(what));
        if (mFile[mAt] < '0' || mFile[mAt] > '9') Refuse("has no number for its " + std::string(what));
        std::uint64_t value = 0;
        while (mAt < mFile.size() && mFile[mAt] >= '0' && mFile[mAt] <= '9') {
            value = value * 10 + (mFile[mAt++] - '0');
            if (value > limit) Refuse("has a " + std::string(what) + " above " + std::to_string(limit));
        }
        return static_cast<std::uint32_t>(value);
    }
    // A plain PBM file's digit, with or without blanks around it.
    std::uint32_t Bit() {
        SkipBlanks();
        if (mAt >= mFile.size()) Refuse("ends inside its pixels");
        const std::uint8_t c = mFile[mAt++];
        if (c != '0' && c != '1') Refuse("has a pixel that is neither 0 nor 1");
        return c - '0';
    }
    // The one blank after the header of a raw file.
    void EndHeader() {
        if (mAt >= mFile.size() || !IsBlank(mFile[mAt])) Refuse("header is not valid");
        ++mAt;
    }
    std::size_t At() const { return mAt; }

private:
    std::span<const std::uint8_t> mFile;
    std::size_t mAt = 2;
};

}  // namespace

bool IsPnmHeader(std::span<const std::uint8_t> start) {
    return start.size() >= 3 && start[0] == 'P' && start[1] >= '1' && start[1] <= '6' &&
           (IsBlank(start[2]) || start[2] == '#');
}

DecodedPicture ReadPnm(std::span<const std::uint8_t> file) {
    if (!IsPnmHeader(file)) Refuse("header is not valid");
    const int kind = file[1] - '0';
    const bool plain = kind <= 3;
    const bool bitmap = kind == 1 || kind == 4;
    const int channels = kind % 3 == 0 ? 3 : 1;
    PnmText text(file);
    const std::uint32_t width = text.Number(0x7FFFFFFF, "width");
    const std::uint32_t height = text.Number(0x7FFFFFFF, "height");
    const std::uint32_t maximum = bitmap ? 1 : text.Number(65535, "maximum value");
    if (width == 0 || height == 0) Refuse("has no pixels");
    if (maximum == 0) Refuse("has a maximum value of 0");
    const WholeDecoding decoding(width, height);
    if (!plain) text.EndHeader();

    const std::size_t count = std::size_t{width} * height;
    const std::size_t samples = count * static_cast<std::size_t>(channels);
    std::size_t at = text.At();
    // Raw pixels must all be there before anything is made of them.
    if (!plain) {
        const std::size_t rowBytes = bitmap ? (width + 7u) / 8u
                                            : std::size_t{width} * channels * (maximum > 255 ? 2u : 1u);
        if ((file.size() - at) / rowBytes < height) Refuse("ends inside its pixels");
    } else if (file.size() - at < samples) {
        Refuse("ends inside its pixels");
    }

    const auto scale = [maximum](std::uint32_t v) -> std::uint32_t {
        if (v > maximum) Refuse("has a sample above its maximum value");
        return (v * 255u + maximum / 2u) / maximum;
    };
    DecodedPicture picture;
    picture.width = static_cast<std::int32_t>(width);
    picture.height = static_cast<std::int32_t>(height);
    picture.pixels.resize(count);
    for (std::size_t y = 0; y < height; ++y) {
        for (std::size_t x = 0; x < width; ++x) {
            std::uint32_t rgb[3] = {};
            if (bitmap) {
                std::uint32_t bit;
                if (plain) {
                    bit = text.Bit();
                } else {
                    bit = (file[at + y * ((width + 7) / 8) + x / 8] >> (7 - x % 8)) & 1u;
                }
                // 1 is black.
                rgb[0] = rgb[1] = rgb[2] = bit ? 0 : 255;
            } else {
                for (int c = 0; c < channels; ++c) {
                    std::uint32_t v;
                    if (plain) {
                        v = text.Number(65535, "sample");
                    } else if (maximum > 255) {
                        v = (std::uint32_t{file[at]} << 8) | file[at + 1];
                        at += 2;
                    } else {
                        v = file[at++];
                    }
                    rgb[c] = scale(v);
                }
                if (channels == 1) rgb[1] = rgb[2] = rgb[0];
            }
            picture.pixels[y * width + x] = 0xFF000000u | (rgb[0] << 16) | (rgb[1] << 8) | rgb[2];
        }
    }
    return picture;
}

}  // namespace mosaren
