#include "gif_structure.h"

#include "picture_import.h"
#include "raster/exceptions.h"

namespace mosaren {

namespace {

[[noreturn]] void Refuse(const std::string& why) {
    throw EInvalidGraphic(std::string(kUnreadablePicture) + ": GIF file " + why);
}

class GifBlocks {
public:
    explicit GifBlocks(std::span<const std::uint8_t> file) : mFile(file) {}

    std::uint8_t Byte() {
        if (mAt >= mFile.size()) Refuse("ends inside its first frame");
        return mFile[mAt++];
    }
    std::uint32_t Word() {
        const std::uint32_t low = Byte();
        return low | (std::uint32_t{Byte()} << 8);
    }
    void Skip(std::size_t count) {
        if (mFile.size() - mAt < count) Refuse("ends inside its first frame");
        mAt += count;
    }
    // Data sub-blocks up to the empty one that ends them.
    void SkipSubBlocks() {
        for (std::uint8_t size = Byte(); size != 0; size = Byte()) Skip(size);
    }
    void SkipColourTable(std::uint8_t flags) {
        if (flags & 0x80) Skip(std::size_t{3} << ((flags & 7) + 1));
    }

private:
    std::span<const std::uint8_t> mFile;
    std::size_t mAt = 6;
};

}  // namespace

GifScreen CheckGifFirstFrame(std::span<const std::uint8_t> file) {
    GifBlocks blocks(file);
    GifScreen screen;
    screen.width = static_cast<std::int32_t>(blocks.Word());
    screen.height = static_cast<std::int32_t>(blocks.Word());
    const std::uint8_t flags = blocks.Byte();
    blocks.Skip(2);
    blocks.SkipColourTable(flags);
    for (;;) {
        switch (blocks.Byte()) {
            case 0x21:  // an extension: its label, then its sub-blocks
                blocks.Byte();
                blocks.SkipSubBlocks();
                break;
            case 0x2C: {  // the first frame
                blocks.Skip(8);
                blocks.SkipColourTable(blocks.Byte());
                blocks.Byte();  // the LZW code size
                blocks.SkipSubBlocks();
                return screen;
            }
            case 0x3B:
                Refuse("has no frame");
            default:
                Refuse("has a block that is not valid before its first frame");
        }
    }
}

}  // namespace mosaren
