#include "tile_settings.h"

namespace mosaren {

TTileSettings& TileSettings() {
    static TTileSettings settings;
    return settings;
}

bool StoreTypedValue(TTileSettings& settings, TileSetting field, std::int32_t value) {
    const bool isPieceCount = field == TileSetting::PiecesAcross || field == TileSetting::PiecesDown;
    // The bounds are exclusive: the dialog's labels speak of 255 and 20 as the maxima.
    const std::int32_t limit = isPieceCount ? 20 : 255;
    if (value <= 0 || value >= limit) return false;
    const auto byte = static_cast<std::uint8_t>(value);
    switch (field) {
        case TileSetting::MaskR: settings.MaskR = byte; break;
        case TileSetting::MaskG: settings.MaskG = byte; break;
        case TileSetting::MaskB: settings.MaskB = byte; break;
        case TileSetting::TileHeight: settings.TileHeight = byte; break;
        case TileSetting::TileWidth: settings.TileWidth = byte; break;
        case TileSetting::PiecesAcross: settings.PiecesAcross = value; break;
        case TileSetting::PiecesDown: settings.PiecesDown = value; break;
    }
    return true;
}

}  // namespace mosaren
