// The sampler's whole-row reading (ReadRows, with its own decoding of the common formats, and
// ReadByteRows, the file's own bytes) against its pixel-by-pixel reading (ReadColours, through
// the graphics layer's row codec): every row of every file equal, over the public BMP suite,
// generated files of every form the reader takes and those files cut short or with their pixel
// bytes overwritten with noise.

#include "raster/bmp_sampler.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "raster/display_depth.h"
#include "raster/exceptions.h"
#include "raster/geometry.h"
#include "support/files.h"
#include "support/requirements.h"
#include "support/texture_files.h"

namespace mosaren::testing {
namespace {

namespace fs = std::filesystem;

// The rows top to bottom − 1 and columns left to right − 1 of the open file, every way; whether
// the file's own bytes were handed.
bool ExpectRowsAsSamples(BmpSampler& sampler, const TRect& r, const std::string& what) {
    PixelSamples samples;
    for (std::int32_t y = r.top; y < r.bottom; ++y) {
        samples.rows.push_back({y, static_cast<std::uint32_t>(samples.columns.size()),
                                static_cast<std::uint32_t>(r.right - r.left)});
        for (std::int32_t x = r.left; x < r.right; ++x) samples.columns.push_back(x);
    }
    std::vector<TColor> expected(samples.Count());
    sampler.ReadColours(samples, expected);

    std::int32_t next = r.top;
    std::size_t mismatches = 0;
    sampler.ReadRows(
        r.top, r.bottom, r.left, r.right, [&](std::int32_t y, std::span<const TColor> colours) {
            ASSERT_EQ(y, next) << what;
            ASSERT_EQ(colours.size(), static_cast<std::size_t>(r.right - r.left)) << what;
            const std::size_t first = static_cast<std::size_t>(y - r.top) * colours.size();
            for (std::size_t x = 0; x < colours.size(); ++x) {
                if (colours[x] != expected[first + x] && mismatches++ < 3) {
                    ADD_FAILURE() << what << ": pixel " << r.left + x << ", " << y << " is "
                                  << std::hex << colours[x] << ", not " << expected[first + x];
                }
            }
            ++next;
        });
    EXPECT_EQ(next, r.bottom) << what;
    EXPECT_EQ(mismatches, 0u) << what;

    next = r.top;
    const bool asBytes = sampler.ReadByteRows(
        r.top, r.bottom, r.left, r.right,
        [&](std::int32_t y, const std::uint8_t* row, const ByteTexels& texels) {
            ASSERT_EQ(y, next++) << what;
            const auto width = static_cast<std::size_t>(r.right - r.left);
            const std::size_t first = static_cast<std::size_t>(y - r.top) * width;
            for (std::size_t x = 0; x < width; ++x) {
                const std::uint8_t* t = row + x * texels.step;
                const TColor colour = Rgb(t[texels.red], t[texels.green], t[texels.blue]);
                if (colour != expected[first + x] && mismatches++ < 3) {
                    ADD_FAILURE() << what << ": byte pixel " << r.left + x << ", " << y << " is "
                                  << std::hex << colour << ", not " << expected[first + x];
                }
            }
        });
    if (asBytes) {
        EXPECT_EQ(next, r.bottom) << what;
    }
    EXPECT_EQ(mismatches, 0u) << what;
    return asBytes;
}

// The whole picture, and a piece off its edges (so that a row read from the wrong column or a
// band from the wrong row shows).
// Whether the file's own bytes were handed.
bool ExpectFileRowsAsSamples(const fs::path& path) {
    BmpSampler sampler;
    try {
        sampler.Open(path.string(), DisplayDepth());
    } catch (const Exception&) {
        return false;  // refused when opened: no rows to read
    }
    if (!sampler.HasPixels()) return false;
    const std::int32_t w = sampler.Width();
    const std::int32_t h = sampler.Height();
    const bool asBytes = ExpectRowsAsSamples(sampler, TRect{0, 0, w, h}, path.string());
    if (w > 2 && h > 2)
        ExpectRowsAsSamples(sampler, TRect{1, 1, w - 1, h - 1}, path.string() + " inside");
    return asBytes;
}

TEST(BmpSamplerRowsTest, EveryRowOfTheBmpSuiteAsPixelByPixel) {
    const fs::path corpus = CorpusFolder();
    MOSAREN_REQUIRE(fs::is_directory(corpus),
                    "the public BMP test suite is not at " + corpus.string());
    std::size_t files = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(corpus)) {
        if (entry.path().extension() != ".bmp") continue;
        ExpectFileRowsAsSamples(entry.path());
        ++files;
    }
    EXPECT_GT(files, 50u);
}

// Each form at sizes whose rows end inside a byte and inside their padding, and at one beyond the
// part of the file read with the headers; whole, cut short (the rows past the end read as zero)
// and with noise in place of its pixel bytes (indices past the table, stray alpha bytes).
TEST(BmpSamplerRowsTest, EveryRowOfGeneratedFilesAsPixelByPixel) {
    const TempFolder folder;
    std::mt19937 random(7);
    for (const TextureForm form : AllTextureForms()) {
        for (const auto& [w, h] :
             {std::pair{37, 23}, std::pair{64, 40}, std::pair{1, 5}, std::pair{300, 200}}) {
            const std::vector<std::uint8_t> bytes = TextureFile(form, w, h, 3);
            const std::string name = std::string(TextureFormName(form)) + "-" + std::to_string(w);
            WriteBytes(folder / (name + ".bmp"), bytes);
            // The forms of a byte a channel hand their own bytes, and only they.
            const bool bytesPerChannel =
                form == TextureForm::Rgb24 || form == TextureForm::Rgb24TopDown ||
                form == TextureForm::Rgb32 || form == TextureForm::Rgb32Masks;
            EXPECT_EQ(ExpectFileRowsAsSamples(folder / (name + ".bmp")), bytesPerChannel) << name;

            const std::vector<std::uint8_t> cut(bytes.begin(),
                                                bytes.begin() + bytes.size() * 2 / 3);
            WriteBytes(folder / (name + "-cut.bmp"), cut);
            ExpectFileRowsAsSamples(folder / (name + "-cut.bmp"));

            std::vector<std::uint8_t> noise = bytes;
            const std::uint32_t offBits = noise[10] | (noise[11] << 8) | (noise[12] << 16);
            for (std::size_t i = offBits; i < noise.size(); ++i) {
                noise[i] = static_cast<std::uint8_t>(random());
            }
            WriteBytes(folder / (name + "-noise.bmp"), noise);
            ExpectFileRowsAsSamples(folder / (name + "-noise.bmp"));
        }
    }
}

}  // namespace
}  // namespace mosaren::testing
