#include "texture_import.h"

#include "import/picture_import.h"
#include "raster/exceptions.h"

namespace mosaren::cli {

TextureReader AnyFormatReader(const TTileSettings& settings) {
    return [&settings](TBitmap& source, const std::string& fileName) {
        if (const std::optional<DecodedPicture> picture = ImportPicture(fileName)) {
            InstallDecodedPicture(source, *picture,
                                  Rgb(settings.MaskR, settings.MaskG, settings.MaskB));
        } else {
            ReadBmpTexture(source, fileName);
        }
    };
}

TileWithAlpha TileAnyTexture(TileEngine& engine, const std::string& texturePath) {
    if (const std::optional<DecodedPicture> picture = ImportPicture(texturePath)) {
        return engine.TileTexture(*picture);
    }
    return TileWithAlpha{engine.TileTexture(texturePath), {}};
}

void ReadAnyTextureForPieces(TileEngine& engine, const std::string& texturePath,
                             std::optional<DecodedPicture>& picture) {
    try {
        picture = ImportPicture(texturePath);
    } catch (const EInvalidGraphic& unreadable) {
        throw EInvalidGraphic(texturePath + ": " + unreadable.Message());
    }
    if (picture) {
        engine.ReadTextureForPieces(*picture);
    } else {
        engine.ReadTextureForPieces(texturePath);
    }
}

}  // namespace mosaren::cli
