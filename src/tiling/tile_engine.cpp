#include "tile_engine.h"

#include <algorithm>
#include <cstring>

#include "raster/bmp_sampler.h"
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
    friend bool operator==(const SamplingKey&, const SamplingKey&) = default;
};

// The pieces whose pixels were read last.
struct PieceGroup {
    std::size_t first = 0;
    std::unique_ptr<TileSampling> sampling;
    std::vector<TColor> colours;
    std::vector<std::uint8_t> alpha;
};

}  // namespace

struct TileEngine::State {
    explicit State(const TTileSettings& s) : settings(s) {}

    const TTileSettings& settings;
    BmpSampler sampler;
    TextureSource* source = nullptr;  // the texture when it is no BMP file
    std::vector<std::pair<SamplingKey, std::unique_ptr<TileSampling>>> samplings;  // last used first
    std::vector<TColor> colours;
    std::vector<std::uint8_t> alpha;
    PieceGroup pieces;

    const TileSampling& SamplingFor(std::int32_t width, std::int32_t height);
    std::int32_t Width() const { return source ? source->Width() : sampler.Width(); }
    std::int32_t Height() const { return source ? source->Height() : sampler.Height(); }
    bool HasPixels() const {
        return source ? source->Width() > 0 && source->Height() > 0 : sampler.HasPixels();
    }
    // The colours of the samples' pixels: white throughout for a texture without pixels, which
    // the stretch leaves as the working texture's white. Their alpha too, for a texture source
    // that has any; else alpha is left empty.
    void ReadColours(const TileSampling& sampling, std::vector<TColor>& out,
                     std::vector<std::uint8_t>& alpha);
    // The tile whose pixels show the samples named (TileSampling::TilePixels), of these colours
    // and alpha (none: opaque).
    static TilePixels Compose(const TileSampling& sampling, const std::vector<std::int32_t>& tilePixels,
                              const std::vector<TColor>& colours,
                              const std::vector<std::uint8_t>& alpha);
    // The tile of a texture that the black-on-white stretch draws, through its working texture.
    TilePixels BlackOnWhiteTile(const std::string& texturePath);
};

TileEngine::TileEngine(const TTileSettings& settings)
    : mState(std::make_unique<State>(settings)) {}

TileEngine::~TileEngine() = default;

TilePixels TileEngine::TileTexture(const std::string& texturePath) {
    State& s = *mState;
    s.source = nullptr;
    s.sampler.Open(texturePath);
    const std::int32_t width = s.sampler.Width();
    const std::int32_t height = s.sampler.Height();
    // The batch draws a texture of one bit per pixel in the black-on-white stretch, which ANDs
    // the rows and columns it drops: each working pixel is no one texture pixel.
    if (s.sampler.IsMonochrome() && (width > kWorkingTextureSide || height > kWorkingTextureSide)) {
        return s.BlackOnWhiteTile(texturePath);
    }
    const TileSampling& sampling = s.SamplingFor(width, height);
    s.ReadColours(sampling, s.colours, s.alpha);
    return s.Compose(sampling, sampling.TilePixels(0), s.colours, s.alpha);
}

TilePixels TileEngine::TileTexture(TextureSource& texture) {
    State& s = *mState;
    s.source = &texture;
    const TileSampling& sampling = s.SamplingFor(texture.Width(), texture.Height());
    try {
        s.ReadColours(sampling, s.colours, s.alpha);
    } catch (...) {
        s.source = nullptr;
        throw;
    }
    TilePixels tile = s.Compose(sampling, sampling.TilePixels(0), s.colours, s.alpha);
    s.source = nullptr;
    return tile;
}

void TileEngine::ReadTextureForPieces(const std::string& texturePath) {
    State& s = *mState;
    s.source = nullptr;
    s.sampler.Open(texturePath);
    TakePieces();
}

void TileEngine::ReadTextureForPieces(TextureSource& texture) {
    mState->source = &texture;
    TakePieces();
}

void TileEngine::TakePieces() {
    State& s = *mState;
    s.pieces = PieceGroup{};
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
    PieceGroup& group = s.pieces;
    const bool readAlready = group.sampling && at >= group.first &&
                             at < group.first + kPiecesAtOnce && at < order.size() &&
                             group.sampling->TileWidth() == s.settings.TileWidth &&
                             group.sampling->TileHeight() == s.settings.TileHeight;
    if (!readAlready) {
        // This piece and the next few that the command will ask for, read in one pass.
        std::vector<TRect> rects;
        for (std::size_t i = at; i < std::min(order.size(), at + kPiecesAtOnce); ++i) {
            rects.push_back(Divided() ? PieceRect(s.Width(), s.Height(), mAcross, mDown, order[i])
                                      : TRect{0, 0, s.Width(), s.Height()});
        }
        group.first = at;
        group.sampling = std::make_unique<TileSampling>(s.settings.TileWidth,
                                                        s.settings.TileHeight, rects);
        s.ReadColours(*group.sampling, group.colours, group.alpha);
    }
    return s.Compose(*group.sampling, group.sampling->TilePixels(at - group.first),
                     group.colours, group.alpha);
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

void TileEngine::State::ReadColours(const TileSampling& sampling, std::vector<TColor>& out,
                                    std::vector<std::uint8_t>& alphaOut) {
    const PixelSamples& samples = sampling.Samples();
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
