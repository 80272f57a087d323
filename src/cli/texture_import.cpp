#include "texture_import.h"

#include <filesystem>
#include <fstream>

#include "console.h"
#include "import/picture_import.h"
#include "raster/exceptions.h"

namespace mosaren::cli {

namespace {

// Whether the file is a regular file in no format read: one that does not begin as a BMP file
// does, and that the BMP reader is handed all the same. The reader's failures do not name it.
bool InNoFormatRead(const std::string& texturePath) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(texturePath, error)) return false;
    std::ifstream file(texturePath, std::ios::binary);
    char start[2] = {};
    return !(file.read(start, 2) && start[0] == 'B' && start[1] == 'M');
}

}  // namespace

TilePixels TileAnyTexture(TileEngine& engine, const std::string& texturePath) {
    if (const std::unique_ptr<TextureSource> source = OpenTexture(texturePath)) {
        return engine.TileTexture(*source);
    }
    return engine.TileTexture(texturePath);
}

void ReadAnyTextureForPieces(TileEngine& engine, const std::string& texturePath,
                             std::unique_ptr<TextureSource>& source) {
    try {
        source = OpenTexture(texturePath);
        if (source) {
            engine.ReadTextureForPieces(*source);
            return;
        }
    } catch (const EInvalidGraphic& unreadable) {
        throw EInvalidGraphic(texturePath + ": " + unreadable.Message());
    }
    try {
        engine.ReadTextureForPieces(texturePath);
    } catch (const EOutOfResources&) {
        // A picture too large to hold: named as the batch names it.
        throw EOutOfResources(texturePath + ": " + FailureText(std::current_exception()));
    } catch (const Exception& refused) {
        if (!InNoFormatRead(texturePath)) throw;
        throw EInvalidGraphic(texturePath + ": " + refused.Message());
    }
}

}  // namespace mosaren::cli
