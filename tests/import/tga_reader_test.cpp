// The TGA reader against a writer of its own here: pictures of every kind written and read back,
// and, fuzz-style, random and mutated files, which must give a picture or the reader's failure
// and never read outside the bytes (run under the sanitizer build).

#include "import/tga_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "raster/exceptions.h"

namespace mosaren::testing {
namespace {

struct TgaKind {
    std::uint8_t imageType;
    std::uint8_t pixelBits;
    std::uint8_t descriptor;
};

// A picture of width × height in the kind asked for, pixel (x, y) of value (x·7 + y·3) mod 256
// as its index, grey or blue (green and red after it), written plain or in run-length packets
// of up to 5 pixels that run on across rows.
std::vector<std::uint8_t> WriteTga(const TgaKind& kind, int width, int height) {
    const bool mapped = (kind.imageType & 3) == 1;
    std::vector<std::uint8_t> file = {0, std::uint8_t(mapped ? 1 : 0), kind.imageType, 0, 0,
                                      std::uint8_t(mapped ? 0 : 0), std::uint8_t(mapped ? 1 : 0),
                                      std::uint8_t(mapped ? 24 : 0), 0, 0, 0, 0,
                                      std::uint8_t(width), std::uint8_t(width >> 8),
                                      std::uint8_t(height), std::uint8_t(height >> 8),
                                      kind.pixelBits, kind.descriptor};
    if (mapped) {
        for (int i = 0; i < 256; ++i) {
            file.insert(file.end(), {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i / 2)});
        }
    }
    const int bytes = (kind.pixelBits + 7) / 8;
    std::vector<std::uint8_t> pixels;
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            const int y = (kind.descriptor & 0x20) ? row : height - 1 - row;
            const auto v = static_cast<std::uint8_t>(x * 7 + y * 3);
            for (int b = 0; b < bytes; ++b) pixels.push_back(static_cast<std::uint8_t>(v + b * 40));
        }
    }
    if (kind.imageType < 9) {
        file.insert(file.end(), pixels.begin(), pixels.end());
        return file;
    }
    const std::size_t count = pixels.size() / bytes;
    for (std::size_t i = 0; i < count; i += 5) {
        const std::size_t n = std::min<std::size_t>(5, count - i);
        file.push_back(static_cast<std::uint8_t>(n - 1));
        file.insert(file.end(), pixels.begin() + i * bytes, pixels.begin() + (i + n) * bytes);
    }
    return file;
}

std::uint32_t Expected(const TgaKind& kind, int x, int y) {
    const auto v = static_cast<std::uint32_t>(static_cast<std::uint8_t>(x * 7 + y * 3));
    switch (kind.imageType & 3) {
        case 1: return 0xFF000000u | (v / 2) << 16 | (255 - v) << 8 | v;
        case 3: return 0xFF000000u | v * 0x010101u;
        default: {
            const std::uint32_t g = (v + 40) & 0xFF, r = (v + 80) & 0xFF;
            const std::uint32_t a = kind.pixelBits == 32 ? (v + 120) & 0xFF : 0xFF;
            return a << 24 | r << 16 | g << 8 | v;
        }
    }
}

constexpr TgaKind kKinds[] = {{1, 8, 0}, {9, 8, 0x20}, {2, 24, 0}, {10, 24, 0x20},
                              {2, 32, 0x28}, {10, 32, 0x08}, {3, 8, 0x20}, {11, 8, 0}};

TEST(TgaReader, ReadsEveryKindAsWritten) {
    for (const TgaKind& kind : kKinds) {
        SCOPED_TRACE(::testing::Message() << "type " << int(kind.imageType) << ", "
                                          << int(kind.pixelBits) << " bits");
        const DecodedPicture picture = ReadTga(WriteTga(kind, 13, 6));
        ASSERT_EQ(picture.width, 13);
        ASSERT_EQ(picture.height, 6);
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 13; ++x) ASSERT_EQ(picture.At(x, y), Expected(kind, x, y)) << x << "," << y;
        }
    }
}

// Any bytes: random headers of the right form, random bodies, and each valid kind cut short or
// with bytes changed. Each gives a picture or EInvalidGraphic; under the sanitizers, nothing is
// read outside the file.
TEST(TgaReader, AnyBytesGiveAPictureOrTheReadersFailure) {
    std::mt19937 random(20261209);
    std::size_t read = 0;
    std::size_t refused = 0;
    const auto attempt = [&](const std::vector<std::uint8_t>& bytes) {
        try {
            const DecodedPicture picture = ReadTga(bytes);
            EXPECT_EQ(picture.pixels.size(),
                      static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
            ++read;
        } catch (const EInvalidGraphic&) {
            ++refused;
        }
    };
    for (int i = 0; i < 3000; ++i) {
        std::vector<std::uint8_t> bytes(random() % 120);
        for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(random());
        if (bytes.size() >= 18) {
            // Often a header of a known type and a small size, so that bodies get read.
            const TgaKind& kind = kKinds[random() % std::size(kKinds)];
            bytes[1] = static_cast<std::uint8_t>(random() % 2);
            bytes[2] = kind.imageType;
            bytes[13] = bytes[15] = 0;
            bytes[12] = static_cast<std::uint8_t>(random() % 9);
            bytes[14] = static_cast<std::uint8_t>(random() % 9);
            bytes[16] = kind.pixelBits;
        }
        attempt(bytes);
    }
    for (const TgaKind& kind : kKinds) {
        const std::vector<std::uint8_t> whole = WriteTga(kind, 9, 7);
        for (std::size_t cut = 0; cut < whole.size(); cut += 3) {
            attempt(std::vector<std::uint8_t>(whole.begin(), whole.begin() + cut));
        }
        for (int i = 0; i < 300; ++i) {
            std::vector<std::uint8_t> mutated = whole;
            for (int k = 0; k < 3; ++k) mutated[random() % mutated.size()] = static_cast<std::uint8_t>(random());
            attempt(mutated);
        }
    }
    // Both outcomes were reached, so the mutations reached the pixels.
    EXPECT_GT(read, 100u);
    EXPECT_GT(refused, 100u);
}

}  // namespace
}  // namespace mosaren::testing
