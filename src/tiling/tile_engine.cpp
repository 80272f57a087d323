#include "tile_engine.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>

#include "raster/bmp_sampler.h"
#include "box_reduction.h"
#include "smooth_block.h"
#include "smooth_sampling.h"
#include "tile_sampling.h"
#include "working_texture.h"

namespace mosaren {

namespace {

// A texture of mixed sizes keeps a few samplings; more would only hold memory.
constexpr std::size_t kKeptSamplings = 16;
// The single-texture command reads the pixels of this many pieces at a time: few passes over a
// run-length file, little memory for the samplings.
constexpr std::size_t kPiecesAtOnce = 16;

struct SamplingKey {
    std::int32_t width;
    std::int32_t height;
    std::int32_t tileWidth;
    std::int32_t tileHeight;
    std::int32_t rise = 0;  // smooth blocks: the block's rise and the face sampled
    std::int32_t face = 0;
    friend bool operator==(const SamplingKey&, const SamplingKey&) = default;
};

// Smooth samplings can be large (they follow the texture's size), so fewer are kept.
// (A block's three faces have one each.)
constexpr std::size_t kKeptSmoothSamplings = 6;
// The single-texture command's smooth tiles are made this many at a time in one pass over the
// texture, fewer when their sums would hold more than kSmoothSums bytes.
constexpr std::size_t kSmoothPiecesAtOnce = 16;
constexpr std::size_t kSmoothSums = std::size_t{32} << 20;

// The pieces whose pixels were read last.
struct PieceGroup {
    std::size_t first = 0;
    std::unique_ptr<TileSampling> sampling;
    std::vector<TColor> colours;
    std::vector<std::uint8_t> alpha;
};

}  // namespace

struct TileEngine::State {
    State(const TTileSettings& s, int d, TileFilter f) : settings(s), depth(d), filter(f) {}

    const TTileSettings& settings;
    const int depth;
    const TileFilter filter;
    BmpSampler sampler;
    TextureSource* source = nullptr;  // the texture when it is no BMP file
    std::vector<std::pair<SamplingKey, std::unique_ptr<TileSampling>>> samplings;  // last used first
    std::vector<TColor> colours;
    std::vector<std::uint8_t> alpha;
    PieceGroup pieces;
    // Smooth tiles: samplings by piece and tile size, last used first; the row being
    // read as bytes; the pieces' tiles made last, from the first's number on.
    std::vector<std::pair<SamplingKey, std::shared_ptr<const SmoothSampling>>> smoothSamplings;
    std::vector<std::uint8_t> rgba;
    std::size_t smoothFirst = 0;
    std::vector<TilePixels> smoothPieces;

    // Smooth blocks: how they rise, and the side faces made of textures of their own.
    const BlockSettings* block = nullptr;
    SmoothSides sides;

    std::int32_t PictureHeight() const {
        return settings.TileHeight + (block ? block->height : 0);
    }
    // The sampling of a piece of width × height onto the flat tile, or onto the face of the
    // block.
    std::shared_ptr<const SmoothSampling> SmoothSamplingFor(std::int32_t width, std::int32_t height,
                                                            std::optional<BlockFace> face = {});
    // The smooth tiles (or blocks) of these pieces of the open texture, in one pass over its rows.
    std::vector<TilePixels> SmoothTiles(const std::vector<TRect>& rects);
    // One tile for each sampling, of the rectangle of the texture beside it, in one pass.
    struct SmoothJob {
        TRect rect;
        std::shared_ptr<const SmoothSampling> sampling;  // of the rectangle reduced by factor
        std::int32_t factor = 1;
    };
    // The job of the rectangle onto the flat tile or the face: reduced (box_reduction.h) where it
    // is far larger than the tile.
    SmoothJob SmoothJobFor(const TRect& rect, std::optional<BlockFace> face = {});
    std::vector<SmoothTile> SmoothPass(const std::vector<SmoothJob>& jobs);
    // Every pixel of the rectangle of the open texture, a row at a time from the top.
    void StreamRows(const TRect& all, const TextureSource::RowTaker& take);
    // The open texture whole.
    TerrainPicture Whole();

    const TileSampling& SamplingFor(std::int32_t width, std::int32_t height);
    std::int32_t Width() const { return source ? source->Width() : sampler.Width(); }
    std::int32_t Height() const { return source ? source->Height() : sampler.Height(); }
    bool HasPixels() const {
        return source ? source->Width() > 0 && source->Height() > 0 : sampler.HasPixels();
    }
    // The colours of the samples' pixels: white throughout for a texture without pixels, which
    // the stretch leaves as the working texture's white. Their alpha too, for a texture source
    // that has any; else alpha is left empty.
    void ReadColours(const PixelSamples& samples, std::vector<TColor>& out,
                     std::vector<std::uint8_t>& alpha);
    // The tile whose pixels show the samples named (TileSampling::TilePixels), of these colours
    // and alpha (none: opaque).
    static TilePixels Compose(const TileSampling& sampling, const std::vector<std::int32_t>& tilePixels,
                              const std::vector<TColor>& colours,
                              const std::vector<std::uint8_t>& alpha);
    // The tile of a texture that the black-on-white stretch draws, through its working texture.
    TilePixels BlackOnWhiteTile(const std::string& texturePath);
};

TileEngine::TileEngine(const TTileSettings& settings, int depth, TileFilter filter)
    : mState(std::make_unique<State>(settings, depth, filter)) {}

TileEngine::~TileEngine() = default;

TilePixels TileEngine::TileTexture(const std::string& texturePath) {
    State& s = *mState;
    s.source = nullptr;
    s.sampler.Open(texturePath, s.depth);
    const std::int32_t width = s.sampler.Width();
    const std::int32_t height = s.sampler.Height();
    if (s.filter == TileFilter::Smooth) return s.SmoothTiles({TRect{0, 0, width, height}}).front();
    // The batch draws a texture of one bit per pixel in the black-on-white stretch, which ANDs
    // the rows and columns it drops: each working pixel is no one texture pixel.
    if (s.sampler.IsMonochrome() && (width > kWorkingTextureSide || height > kWorkingTextureSide)) {
        return s.BlackOnWhiteTile(texturePath);
    }
    const TileSampling& sampling = s.SamplingFor(width, height);
    s.ReadColours(sampling.Samples(), s.colours, s.alpha);
    return s.Compose(sampling, sampling.TilePixels(0), s.colours, s.alpha);
}

TilePixels TileEngine::TileTexture(TextureSource& texture) {
    State& s = *mState;
    s.source = &texture;
    TilePixels tile;
    try {
        if (s.filter == TileFilter::Smooth) {
            tile = std::move(s.SmoothTiles({TRect{0, 0, texture.Width(), texture.Height()}}).front());
        } else {
            const TileSampling& sampling = s.SamplingFor(texture.Width(), texture.Height());
            s.ReadColours(sampling.Samples(), s.colours, s.alpha);
            tile = s.Compose(sampling, sampling.TilePixels(0), s.colours, s.alpha);
        }
    } catch (...) {
        s.source = nullptr;
        throw;
    }
    s.source = nullptr;
    return tile;
}

void TileEngine::ReadTextureForPieces(const std::string& texturePath) {
    State& s = *mState;
    s.source = nullptr;
    s.sampler.Open(texturePath, s.depth);
    TakePieces();
}

void TileEngine::ReadTextureForPieces(TextureSource& texture) {
    mState->source = &texture;
    TakePieces();
}

void TileEngine::TakePieces() {
    State& s = *mState;
    s.pieces = PieceGroup{};
    s.smoothPieces.clear();
    // The command converts the texture to 24 bits first, which the layer may not hold.
    if (s.HasPixels()) TBitmap::CheckDepth24Size(s.Width(), s.Height());
    mAcross = s.settings.PiecesAcross;
    mDown = s.settings.PiecesDown;
    if (Divided()) CheckDivisible(s.Width(), s.Height(), mAcross, mDown);
}

TilePixels TileEngine::PieceTile(PiecePosition piece) {
    State& s = *mState;
    const std::vector<PiecePosition> order = Pieces();
    const auto at = static_cast<std::size_t>(std::find(order.begin(), order.end(), piece) - order.begin());
    const auto rectOf = [&](std::size_t i) {
        return Divided() ? PieceRect(s.Width(), s.Height(), mAcross, mDown, order[i])
                         : TRect{0, 0, s.Width(), s.Height()};
    };
    if (s.filter == TileFilter::Smooth) {
        const bool made = at >= s.smoothFirst && at < s.smoothFirst + s.smoothPieces.size() &&
                          s.smoothPieces[at - s.smoothFirst].width == s.settings.TileWidth &&
                          s.smoothPieces[at - s.smoothFirst].height == s.PictureHeight();
        if (!made) {
            // This piece and the next few, in one pass over the rows they span.
            const std::size_t sums = std::size_t{s.settings.TileWidth} * s.PictureHeight() * 7 *
                                     sizeof(double) * (s.block ? kBlockFaceCount : 1);
            const std::size_t count =
                std::clamp<std::size_t>(kSmoothSums / sums, 1, kSmoothPiecesAtOnce);
            std::vector<TRect> rects;
            for (std::size_t i = at; i < std::min(order.size(), at + count); ++i) rects.push_back(rectOf(i));
            s.smoothPieces.clear();
            s.smoothPieces = s.SmoothTiles(rects);
            s.smoothFirst = at;
        }
        return s.smoothPieces[at - s.smoothFirst];
    }
    PieceGroup& group = s.pieces;
    const bool readAlready = group.sampling && at >= group.first &&
                             at < group.first + kPiecesAtOnce && at < order.size() &&
                             group.sampling->TileWidth() == s.settings.TileWidth &&
                             group.sampling->TileHeight() == s.settings.TileHeight;
    if (!readAlready) {
        // This piece and the next few that the command will ask for, read in one pass.
        std::vector<TRect> rects;
        for (std::size_t i = at; i < std::min(order.size(), at + kPiecesAtOnce); ++i) {
            rects.push_back(rectOf(i));
        }
        group.first = at;
        group.sampling = std::make_unique<TileSampling>(s.settings.TileWidth,
                                                        s.settings.TileHeight, rects);
        s.ReadColours(group.sampling->Samples(), group.colours, group.alpha);
    }
    return s.Compose(*group.sampling, group.sampling->TilePixels(at - group.first),
                     group.colours, group.alpha);
}

void TileEngine::RaiseSmoothBlocks(const BlockSettings& block, const SmoothSides& sides) {
    mState->block = &block;
    mState->sides = sides;
    mState->smoothPieces.clear();
}

TerrainPicture TileEngine::WholeTexture(const std::string& texturePath) {
    State& s = *mState;
    s.source = nullptr;
    s.sampler.Open(texturePath, s.depth);
    // Read whole, it must fit where the tile command converts it to 24 bits.
    if (s.HasPixels()) TBitmap::CheckDepth24Size(s.Width(), s.Height());
    return s.Whole();
}

TerrainPicture TileEngine::WholeTexture(TextureSource& texture) {
    State& s = *mState;
    s.source = &texture;
    TerrainPicture picture;
    try {
        if (s.HasPixels()) TBitmap::CheckDepth24Size(s.Width(), s.Height());
        picture = s.Whole();
    } catch (...) {
        s.source = nullptr;
        throw;
    }
    s.source = nullptr;
    return picture;
}

FaceLight TileEngine::SmoothFace(const std::string& texturePath, BlockFace face) {
    State& s = *mState;
    s.source = nullptr;
    s.sampler.Open(texturePath, s.depth);
    const TRect whole = s.HasPixels() ? TRect{0, 0, s.Width(), s.Height()} : TRect{0, 0, 1, 1};
    return LightOf(s.SmoothPass({s.SmoothJobFor(whole, face)}).front(), false);
}

FaceLight TileEngine::SmoothFace(TextureSource& texture, BlockFace face) {
    State& s = *mState;
    s.source = &texture;
    FaceLight light;
    try {
        const TRect whole = s.HasPixels() ? TRect{0, 0, s.Width(), s.Height()} : TRect{0, 0, 1, 1};
        light = LightOf(s.SmoothPass({s.SmoothJobFor(whole, face)}).front(),
                        s.HasPixels() && texture.HasAlpha());
    } catch (...) {
        s.source = nullptr;
        throw;
    }
    s.source = nullptr;
    return light;
}

const TileSampling& TileEngine::State::SamplingFor(std::int32_t width, std::int32_t height) {
    const SamplingKey key{width, height, settings.TileWidth, settings.TileHeight};
    auto found = std::find_if(samplings.begin(), samplings.end(),
                              [&key](const auto& entry) { return entry.first == key; });
    if (found == samplings.end()) {
        if (samplings.size() == kKeptSamplings) samplings.pop_back();
        samplings.emplace_back(key, std::make_unique<TileSampling>(
                                        key.tileWidth, key.tileHeight,
                                        std::vector<TRect>{TRect{0, 0, width, height}}));
        found = samplings.end() - 1;
    }
    std::rotate(samplings.begin(), found, found + 1);
    return *samplings.front().second;
}

std::shared_ptr<const SmoothSampling> TileEngine::State::SmoothSamplingFor(
    std::int32_t width, std::int32_t height, std::optional<BlockFace> face) {
    const TileGeometry geometry{settings.TileWidth, settings.TileHeight, block ? block->height : 0};
    const SamplingKey key{width, height, settings.TileWidth, settings.TileHeight, geometry.rise,
                          face ? static_cast<std::int32_t>(*face) + 1 : 0};
    auto found = std::find_if(smoothSamplings.begin(), smoothSamplings.end(),
                              [&key](const auto& entry) { return entry.first == key; });
    if (found == smoothSamplings.end()) {
        if (smoothSamplings.size() == kKeptSmoothSamplings) smoothSamplings.pop_back();
        const TRect piece{0, 0, width, height};
        smoothSamplings.emplace_back(
            key, face ? std::make_shared<const SmoothSampling>(geometry.width,
                                                               geometry.PictureHeight(), piece,
                                                               BlockFacePlacement(geometry, *face))
                      : std::make_shared<const SmoothSampling>(key.tileWidth, key.tileHeight,
                                                               piece));
        found = smoothSamplings.end() - 1;
    }
    std::rotate(smoothSamplings.begin(), found, found + 1);
    return smoothSamplings.front().second;
}

TileEngine::State::SmoothJob TileEngine::State::SmoothJobFor(const TRect& rect,
                                                             std::optional<BlockFace> face) {
    const std::int32_t width = rect.right - rect.left;
    const std::int32_t height = rect.bottom - rect.top;
    const TileGeometry geometry{settings.TileWidth, settings.TileHeight, block ? block->height : 0};
    const FacePlacement placement = face ? BlockFacePlacement(geometry, *face)
                                         : DiamondPlacement(settings.TileWidth, settings.TileHeight);
    const std::int32_t factor = ReductionFactor(width, height, PixelAreaOf(placement, width, height));
    return SmoothJob{rect, SmoothSamplingFor(width / factor, height / factor, face), factor};
}

std::vector<TilePixels> TileEngine::State::SmoothTiles(const std::vector<TRect>& pieces) {
    // A texture without pixels stays the white the tile maker's working texture starts as: one
    // white texel.
    const std::vector<TRect> rects =
        HasPixels() ? pieces : std::vector<TRect>(pieces.size(), TRect{0, 0, 1, 1});
    std::vector<SmoothJob> jobs;
    for (const TRect& r : rects) {
        if (!block) {
            jobs.push_back(SmoothJobFor(r));
            continue;
        }
        for (std::size_t f = 0; f < kBlockFaceCount; ++f) {
            const auto face = static_cast<BlockFace>(f);
            const FaceLight* own = face == BlockFace::Left    ? sides.left
                                   : face == BlockFace::Right ? sides.right
                                                              : nullptr;
            if (!block->Face(face).shown || own) continue;
            jobs.push_back(SmoothJobFor(r, face));
        }
    }
    const std::vector<SmoothTile> tiles = SmoothPass(jobs);
    const bool withAlpha = HasPixels() && source && source->HasAlpha();
    std::vector<TilePixels> made;
    if (!block) {
        for (const SmoothTile& tile : tiles) made.push_back(tile.Tile());
        return made;
    }
    const TileGeometry geometry{settings.TileWidth, settings.TileHeight, block->height};
    auto tile = tiles.begin();
    for (std::size_t p = 0; p < rects.size(); ++p) {
        std::array<FaceLight, kBlockFaceCount> lights;
        std::array<const FaceLight*, kBlockFaceCount> faces{};
        for (std::size_t f = 0; f < kBlockFaceCount; ++f) {
            const auto face = static_cast<BlockFace>(f);
            const FaceLight* own = face == BlockFace::Left    ? sides.left
                                   : face == BlockFace::Right ? sides.right
                                                              : nullptr;
            if (!block->Face(face).shown) continue;
            if (own) {
                faces[f] = own;
                continue;
            }
            lights[f] = LightOf(*tile++, withAlpha);
            faces[f] = &lights[f];
        }
        made.push_back(ComposeSmoothBlock(geometry, *block, faces));
    }
    return made;
}

std::vector<SmoothTile> TileEngine::State::SmoothPass(const std::vector<SmoothJob>& jobs) {
    std::vector<SmoothTile> tiles;
    if (jobs.empty()) return tiles;
    tiles.reserve(jobs.size());
    if (!HasPixels()) {
        const std::uint8_t texel[4] = {255, 255, 255, 255};
        for (const SmoothJob& job : jobs) {
            tiles.emplace_back(*job.sampling, false);
            tiles.back().AddRow(0, texel);
        }
        return tiles;
    }
    const bool withAlpha = source && source->HasAlpha();
    // Each piece's sampling is the same wherever the piece lies: rows go in counted from its top.
    TRect all = jobs.front().rect;
    for (const SmoothJob& job : jobs) {
        const TRect& r = job.rect;
        tiles.emplace_back(*job.sampling, withAlpha);
        all = TRect{std::min(all.left, r.left), std::min(all.top, r.top),
                    std::max(all.right, r.right), std::max(all.bottom, r.bottom)};
    }
    // A JPEG file decodes at a half, a quarter or an eighth for little more than the cost of
    // reading it: where every job takes the whole texture reduced by a multiple of such a scale,
    // the decoder does that much of the reduction.
    std::int32_t scale = 1;
    const TRect whole{0, 0, Width(), Height()};
    if (source) {
        for (const std::int32_t candidate : {8, 4, 2}) {
            const bool fits = std::all_of(jobs.begin(), jobs.end(), [&](const SmoothJob& job) {
                const TRect& r = job.rect;
                return r.left == whole.left && r.top == whole.top && r.right == whole.right &&
                       r.bottom == whole.bottom && job.factor % candidate == 0;
            });
            if (fits && source->CanReduce(candidate)) {
                scale = candidate;
                break;
            }
        }
    }
    std::vector<std::optional<BoxReduction>> reductions(jobs.size());
    for (std::size_t p = 0; p < jobs.size(); ++p) {
        const SmoothJob& job = jobs[p];
        const std::int32_t factor = job.factor / scale;
        if (factor > 1) {
            reductions[p].emplace((job.rect.right - job.rect.left) / scale,
                                  (job.rect.bottom - job.rect.top) / scale, factor, withAlpha,
                                  &tiles[p]);
        }
    }
    const TRect read = scale == 1 ? all : TRect{0, 0, Width() / scale, Height() / scale};
    const auto width = static_cast<std::size_t>(read.right - read.left);
    rgba.resize(width * 4);
    const TextureSource::RowTaker take = [&](std::int32_t y, std::span<const TColor> rowColours,
                                             std::span<const std::uint8_t> rowAlpha) {
        // The bytes the exact sampler takes, made once a row where one needs them; a reduction
        // takes the colours as they come. Without alpha the sampler reads each texel's first
        // three bytes alone, which a colour's are as it lies in memory (red, green, blue, 0).
        const std::uint8_t* bytes = nullptr;
        if (!withAlpha && std::endian::native == std::endian::little) {
            bytes = reinterpret_cast<const std::uint8_t*>(rowColours.data());
        }
        for (std::size_t p = 0; p < jobs.size(); ++p) {
            const TRect r = scale == 1 ? jobs[p].rect : read;
            if (y < r.top || y >= r.bottom) continue;
            const auto from = static_cast<std::size_t>(r.left - read.left);
            if (reductions[p]) {
                reductions[p]->AddRow(y - r.top, rowColours.data() + from,
                                      rowAlpha.empty() ? nullptr : rowAlpha.data() + from);
                continue;
            }
            if (!bytes) {
                for (std::size_t x = 0; x < width; ++x) {
                    const TColor c = rowColours[x];
                    std::uint8_t* texel = &rgba[x * 4];
                    texel[0] = RedOf(c);
                    texel[1] = GreenOf(c);
                    texel[2] = BlueOf(c);
                    texel[3] = rowAlpha.empty() ? 255 : rowAlpha[x];
                }
                bytes = rgba.data();
            }
            tiles[p].AddRow(y - r.top, bytes + from * 4);
        }
    };
    const bool allReduced =
        std::all_of(reductions.begin(), reductions.end(),
                    [](const auto& reduction) { return reduction.has_value(); });
    const BmpSampler::ByteRowTaker takeBytes = [&](std::int32_t y, const std::uint8_t* row,
                                                   const ByteTexels& texels) {
        for (std::size_t p = 0; p < jobs.size(); ++p) {
            const TRect& r = jobs[p].rect;
            if (y < r.top || y >= r.bottom) continue;
            reductions[p]->AddRow(
                y - r.top, row + static_cast<std::size_t>(r.left - all.left) * texels.step, texels);
        }
    };
    if (!source && allReduced && sampler.ReadByteRows(all.top, all.bottom, all.left, all.right,
                                                      takeBytes)) {
        // A BMP file's own bytes went straight into the reductions.
    } else if (scale == 1) {
        StreamRows(all, take);
    } else {
        source->ReadReducedRows(scale, take);
    }
    for (std::size_t p = 0; p < jobs.size(); ++p) {
        if (reductions[p]) reductions[p]->Feed(tiles[p]);
    }
    return tiles;
}

void TileEngine::State::StreamRows(const TRect& all, const TextureSource::RowTaker& take) {
    if (source) {
        source->ReadRows(all.top, all.bottom, all.left, all.right, take);
        return;
    }
    sampler.ReadRows(all.top, all.bottom, all.left, all.right,
                     [&take](std::int32_t y, std::span<const TColor> rowColours) {
                         take(y, rowColours, {});
                     });
}

TerrainPicture TileEngine::State::Whole() {
    TerrainPicture picture;
    if (!HasPixels()) return picture;
    picture.width = Width();
    picture.height = Height();
    picture.hasAlpha = source && source->HasAlpha();
    const auto width = static_cast<std::size_t>(picture.width);
    picture.rgba.resize(width * static_cast<std::size_t>(picture.height) * 4);
    StreamRows(TRect{0, 0, picture.width, picture.height},
               [&](std::int32_t y, std::span<const TColor> rowColours,
                   std::span<const std::uint8_t> rowAlpha) {
                   std::uint8_t* texel = &picture.rgba[static_cast<std::size_t>(y) * width * 4];
                   for (std::size_t x = 0; x < width; ++x, texel += 4) {
                       texel[0] = RedOf(rowColours[x]);
                       texel[1] = GreenOf(rowColours[x]);
                       texel[2] = BlueOf(rowColours[x]);
                       texel[3] = rowAlpha.empty() ? 255 : rowAlpha[x];
                   }
               });
    return picture;
}

void TileEngine::State::ReadColours(const PixelSamples& samples, std::vector<TColor>& out,
                                    std::vector<std::uint8_t>& alphaOut) {
    out.resize(samples.Count());
    alphaOut.clear();
    if (!HasPixels()) {
        std::fill(out.begin(), out.end(), kWhite);
    } else if (!source) {
        sampler.ReadColours(samples, out);
    } else {
        if (source->HasAlpha()) alphaOut.resize(samples.Count());
        source->ReadPixels(samples, out, alphaOut);
    }
}

TilePixels TileEngine::State::Compose(const TileSampling& sampling,
                                      const std::vector<std::int32_t>& tilePixels,
                                      const std::vector<TColor>& colours,
                                      const std::vector<std::uint8_t>& alpha) {
    TilePixels tile(sampling.TileWidth(), sampling.TileHeight());
    tile.hasAlpha = !alpha.empty();
    for (std::size_t i = 0; i < tilePixels.size(); ++i) {
        const std::int32_t s = tilePixels[i];
        if (s == TileSampling::kMask) continue;
        const auto sample = static_cast<std::size_t>(s);
        tile.pixels[i] = CoveredPixel(colours[sample], alpha.empty() ? 255 : alpha[sample]);
    }
    return tile;
}

TilePixels TileEngine::State::BlackOnWhiteTile(const std::string& texturePath) {
    // That stretch reads the whole picture; one the tile command could not hold as 24 bits
    // (92000 x 92000 pixels in 62 bytes) is refused by the reader as that command refuses it,
    // rather than held at a gigabyte for seconds. The outputs store the tile at the run's depth,
    // so its colours are kept whole until then.
    WorkingTextureReader reader(24);
    return WorkingTile(settings.TileWidth, settings.TileHeight).Tile(reader.Read(texturePath));
}

}  // namespace mosaren
