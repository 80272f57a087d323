#include "tga_reader.h"

#include <array>
#include <string>

#include "picture_bounds.h"
#include "picture_import.h"
#include "raster/exceptions.h"

namespace mosaren {

namespace {

constexpr std::size_t kHeaderBytes = 18;

struct TgaHeader {
    std::uint8_t idLength;
    std::uint8_t mapType;
    std::uint8_t imageType;
    std::uint16_t mapFirst;
    std::uint16_t mapLength;
    std::uint8_t mapEntryBits;
    std::uint16_t width;
    std::uint16_t height;
    std::uint8_t pixelBits;
    std::uint8_t descriptor;

    bool RunLength() const { return imageType >= 9; }
    std::uint8_t Kind() const { return imageType & 3; }  // 1 mapped, 2 true colour, 3 grey
    std::uint8_t AlphaBits() const { return descriptor & 0x0F; }
    bool RightToLeft() const { return (descriptor & 0x10) != 0; }
    bool TopToBottom() const { return (descriptor & 0x20) != 0; }
};

std::uint16_t Word(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

TgaHeader ParseHeader(std::span<const std::uint8_t> b) {
    return TgaHeader{b[0], b[1], b[2], Word(b, 3), Word(b, 5), b[7], Word(b, 12), Word(b, 14),
                     b[16], b[17]};
}

bool ValidEntryBits(std::uint8_t bits) { return bits == 15 || bits == 16 || bits == 24 || bits == 32; }

bool Valid(const TgaHeader& h) {
    const bool knownType = h.imageType == 1 || h.imageType == 2 || h.imageType == 3 ||
                           h.imageType == 9 || h.imageType == 10 || h.imageType == 11;
    if (!knownType || h.mapType > 1 || h.width == 0 || h.height == 0) return false;
    // Interleaving (the top two bits of the descriptor) went out of use before TGA 2.0.
    if ((h.descriptor & 0xC0) != 0) return false;
    if (h.mapType == 1 && !ValidEntryBits(h.mapEntryBits)) return false;
    switch (h.Kind()) {
        case 1:
            return h.mapType == 1 && h.mapLength > 0 && (h.pixelBits == 8 || h.pixelBits == 16);
        case 2:
            return ValidEntryBits(h.pixelBits);
        default:
            return h.pixelBits == 8 || h.pixelBits == 16;
    }
}

[[noreturn]] void Refuse(const std::string& why) {
    throw EInvalidGraphic(std::string(kUnreadablePicture) + ": TGA file " + why);
}

// 5 bits to 8, to the nearest.
constexpr std::uint32_t Widen5(std::uint32_t v) { return (v * 255 + 15) / 31; }

// A pixel of 15 to 32 bits, blue first, as 0xAARRGGBB; alpha where the header gives any.
std::uint32_t TrueColour(const std::uint8_t* p, std::uint8_t bits, bool withAlpha) {
    switch (bits) {
        case 15:
        case 16: {
            const std::uint32_t v = p[0] | (p[1] << 8);
            const std::uint32_t alpha = bits == 16 && withAlpha && (v & 0x8000) == 0 ? 0 : 0xFF;
            return (alpha << 24) | (Widen5((v >> 10) & 31) << 16) | (Widen5((v >> 5) & 31) << 8) |
                   Widen5(v & 31);
        }
        case 24:
            return 0xFF000000u | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
        default: {
            const std::uint32_t alpha = withAlpha ? p[3] : 0xFF;
            return (alpha << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
        }
    }
}

}  // namespace

bool IsTgaHeader(std::span<const std::uint8_t> start) {
    return start.size() >= kHeaderBytes && Valid(ParseHeader(start));
}

DecodedPicture ReadTga(std::span<const std::uint8_t> file) {
    if (!IsTgaHeader(file)) Refuse("header is not valid");
    const TgaHeader h = ParseHeader(file);
    const WholeDecoding decoding(h.width, h.height);

    std::size_t at = kHeaderBytes + h.idLength;
    // The colour map, even in a picture that does not use it, lies before the pixels.
    std::vector<std::uint32_t> map;
    const bool mapAlpha = h.AlphaBits() > 0;
    if (h.mapType == 1) {
        const std::size_t entryBytes = (h.mapEntryBits + 7u) / 8u;
        const std::size_t mapBytes = entryBytes * h.mapLength;
        if (file.size() < at || file.size() - at < mapBytes) Refuse("ends inside its colour map");
        map.reserve(h.mapLength);
        for (std::size_t i = 0; i < h.mapLength; ++i) {
            map.push_back(TrueColour(file.data() + at + i * entryBytes, h.mapEntryBits, mapAlpha));
        }
        at += mapBytes;
    }

    const std::size_t pixelBytes = (h.pixelBits + 7u) / 8u;
    const std::size_t count = std::size_t{h.width} * h.height;
    DecodedPicture picture;
    picture.width = h.width;
    picture.height = h.height;
    picture.pixels.resize(count);
    bool anyAlpha = false;
    const auto decode = [&](const std::uint8_t* p) -> std::uint32_t {
        switch (h.Kind()) {
            case 1: {
                const std::uint32_t index = pixelBytes == 1 ? p[0] : (p[0] | (p[1] << 8));
                if (index < h.mapFirst || index - h.mapFirst >= map.size()) {
                    Refuse("has a pixel outside its colour map");
                }
                const std::uint32_t argb = map[index - h.mapFirst];
                anyAlpha |= (argb >> 24) != 0xFF;
                return argb;
            }
            case 2: {
                const std::uint32_t argb = TrueColour(p, h.pixelBits, h.AlphaBits() > 0);
                anyAlpha |= (argb >> 24) != 0xFF;
                return argb;
            }
            default: {
                const std::uint32_t alpha = pixelBytes == 2 && h.AlphaBits() > 0 ? p[1] : 0xFF;
                anyAlpha |= alpha != 0xFF;
                return (alpha << 24) | (std::uint32_t{p[0]} * 0x010101u);
            }
        }
    };

    // The pixels in file order, placed where the origin puts them.
    std::size_t n = 0;
    const auto place = [&](std::uint32_t argb) {
        const std::size_t fileRow = n / h.width;
        const std::size_t fileColumn = n % h.width;
        const std::size_t y = h.TopToBottom() ? fileRow : h.height - 1 - fileRow;
        const std::size_t x = h.RightToLeft() ? h.width - 1 - fileColumn : fileColumn;
        picture.pixels[y * h.width + x] = argb;
        ++n;
    };
    if (!h.RunLength()) {
        if (file.size() < at || (file.size() - at) / pixelBytes < count) {
            Refuse("ends inside its pixels");
        }
        for (std::size_t i = 0; i < count; ++i) place(decode(file.data() + at + i * pixelBytes));
    } else {
        // Packets may run on from one row into the next.
        while (n < count) {
            if (at >= file.size()) Refuse("ends inside its pixels");
            const std::uint8_t packet = file[at++];
            const std::size_t length = std::min<std::size_t>((packet & 0x7Fu) + 1u, count - n);
            if (packet & 0x80) {
                if (file.size() - at < pixelBytes) Refuse("ends inside its pixels");
                const std::uint32_t argb = decode(file.data() + at);
                at += pixelBytes;
                for (std::size_t i = 0; i < length; ++i) place(argb);
            } else {
                if ((file.size() - at) / pixelBytes < length) Refuse("ends inside its pixels");
                for (std::size_t i = 0; i < length; ++i, at += pixelBytes) {
                    place(decode(file.data() + at));
                }
            }
        }
    }
    picture.hasAlpha = anyAlpha;
    return picture;
}

}  // namespace mosaren
