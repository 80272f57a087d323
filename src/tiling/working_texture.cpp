#include "working_texture.h"

#include <algorithm>

#include "raster/bitmap.h"
#include "raster/bmp_sampler.h"
#include "raster/device_picture.h"
#include "raster/stretch_samples.h"
#include "tile_sampling.h"

namespace mosaren {

namespace {

constexpr std::int32_t kSide = kWorkingTextureSide;

// The distinct values of a stretch's samples, in ascending order, and for each sample its place
// among them.
struct DistinctSamples {
    std::vector<std::int32_t> values;
    std::vector<std::int32_t> places;
};

DistinctSamples Distinct(const std::vector<std::int32_t>& samples) {
    DistinctSamples distinct;
    for (const std::int32_t s : samples) {
        // StretchSamples never decrease.
        if (distinct.values.empty() || distinct.values.back() != s) distinct.values.push_back(s);
        distinct.places.push_back(static_cast<std::int32_t>(distinct.values.size() - 1));
    }
    return distinct;
}

// What the device form of that depth keeps of each colour.
void KeepAtDepth(int depth, std::vector<TColor>& colours) {
    if (depth != 16) return;
    DevicePicture stored{static_cast<std::int32_t>(colours.size()), 1, depth, {}};
    stored.rows.resize(stored.Stride());
    EncodeDeviceColours(depth, colours.data(), colours.size(), stored.Row(0));
    ReadColours(stored, colours);
}

}  // namespace

TColor KeptAtDepth(TColor colour, int depth) {
    std::vector<TColor> one{colour};
    KeepAtDepth(depth, one);
    return one.front();
}

struct WorkingTextureReader::State {
    explicit State(int d) : depth(d) {}

    int depth;
    BmpSampler sampler;
    std::vector<TColor> colours;
    std::vector<std::uint8_t> alpha;

    // The pixels of the area of a texture under the working texture's, read by read, which
    // fills colours (and alpha, when it has any) with those of the distinct rows and columns the
    // stretch samples.
    template <typename ReadSamples>
    WorkingTexture Gather(const TRect& area, bool hasAlpha, const ReadSamples& read);
    // A texture of one bit per pixel larger than the working texture, as the black-on-white
    // stretch draws it: what a side shrinks, it ANDs together, so black wins over white.
    WorkingTexture BlackOnWhite(std::int32_t width, std::int32_t height);
};

template <typename ReadSamples>
WorkingTexture WorkingTextureReader::State::Gather(const TRect& area, bool hasAlpha,
                                                   const ReadSamples& read) {
    const std::int32_t width = area.right - area.left;
    const std::int32_t height = area.bottom - area.top;
    WorkingTexture texture;
    texture.colours.assign(kWorkingPixelCount, kWhite);
    texture.sourceWidth = std::max(width, 0);
    texture.sourceHeight = std::max(height, 0);
    // A texture without pixels leaves the working texture white, as the stretch does.
    if (width <= 0 || height <= 0) return texture;
    const DistinctSamples columns = Distinct(StretchSamples(kSide, width));
    const DistinctSamples rows = Distinct(StretchSamples(kSide, height));
    PixelSamples samples;
    for (const std::int32_t y : rows.values) {
        samples.rows.push_back({area.top + y, static_cast<std::uint32_t>(samples.columns.size()),
                                static_cast<std::uint32_t>(columns.values.size())});
        for (const std::int32_t x : columns.values) samples.columns.push_back(area.left + x);
    }
    colours.resize(samples.Count());
    alpha.assign(hasAlpha ? samples.Count() : 0, 255);
    read(samples);
    if (hasAlpha) texture.alpha.resize(kWorkingPixelCount);
    const std::size_t across = columns.values.size();
    for (std::int32_t y = 0; y < kSide; ++y) {
        const std::size_t row =
            static_cast<std::size_t>(rows.places[static_cast<std::size_t>(y)]) * across;
        for (std::int32_t x = 0; x < kSide; ++x) {
            const std::size_t from =
                row + static_cast<std::size_t>(columns.places[static_cast<std::size_t>(x)]);
            const std::size_t to =
                static_cast<std::size_t>(y) * kSide + static_cast<std::size_t>(x);
            texture.colours[to] = colours[from];
            if (hasAlpha) texture.alpha[to] = alpha[from];
        }
    }
    KeepAtDepth(depth, texture.colours);
    return texture;
}

WorkingTexture WorkingTextureReader::State::BlackOnWhite(std::int32_t width, std::int32_t height) {
    // Where a side shrinks, a working pixel takes every texture pixel that falls into it
    // (CoveredSpan); elsewhere the one under its centre.
    const bool combineColumns = width > kSide;
    const bool combineRows = height > kSide;
    const std::vector<std::int32_t> columns = StretchSamples(kSide, width);
    const std::vector<std::int32_t> rows = StretchSamples(kSide, height);
    const auto span = [](bool combine, const std::vector<std::int32_t>& samples, std::int32_t d,
                         std::int32_t source) {
        if (!combine)
            return std::pair{samples[static_cast<std::size_t>(d)],
                             samples[static_cast<std::size_t>(d)] + 1};
        const auto first = static_cast<std::int32_t>(std::int64_t{d} * source / kSide);
        const auto last = static_cast<std::int32_t>(std::int64_t{d + 1} * source / kSide);
        return std::pair{first, std::max(last, first + 1)};
    };
    // One texture row at a time: every column of it when the columns shrink, else those sampled.
    PixelSamples row;
    row.rows.push_back({0, 0, 0});
    if (combineColumns) {
        for (std::int32_t x = 0; x < width; ++x) row.columns.push_back(x);
    } else {
        row.columns = Distinct(columns).values;
    }
    row.rows.front().count = static_cast<std::uint32_t>(row.columns.size());
    const std::vector<std::int32_t> places =
        combineColumns ? std::vector<std::int32_t>{} : Distinct(columns).places;
    colours.resize(row.Count());

    WorkingTexture texture;
    texture.colours.resize(kWorkingPixelCount);
    std::vector<TColor> anded(kSide);
    for (std::int32_t dy = 0; dy < kSide; ++dy) {
        std::fill(anded.begin(), anded.end(), TColor{0x00FFFFFF});
        const auto [top, bottom] = span(combineRows, rows, dy, height);
        for (std::int32_t sy = top; sy < bottom; ++sy) {
            row.rows.front().y = sy;
            sampler.ReadColours(row, colours);
            for (std::int32_t dx = 0; dx < kSide; ++dx) {
                TColor& c = anded[static_cast<std::size_t>(dx)];
                if (!combineColumns) {
                    c &= colours[static_cast<std::size_t>(places[static_cast<std::size_t>(dx)])];
                    continue;
                }
                const auto [left, right] = span(true, columns, dx, width);
                for (std::int32_t sx = left; sx < right; ++sx)
                    c &= colours[static_cast<std::size_t>(sx)];
            }
        }
        std::copy(anded.begin(), anded.end(),
                  texture.colours.begin() + static_cast<std::ptrdiff_t>(dy) * kSide);
    }
    KeepAtDepth(depth, texture.colours);
    return texture;
}

WorkingTextureReader::WorkingTextureReader(int depth) : mState(std::make_unique<State>(depth)) {}

WorkingTextureReader::~WorkingTextureReader() = default;

WorkingTexture WorkingTextureReader::Read(const std::string& bmpPath) {
    State& s = *mState;
    s.sampler.Open(bmpPath, s.depth);
    const std::int32_t width = s.sampler.Width();
    const std::int32_t height = s.sampler.Height();
    if (!s.sampler.HasPixels()) return s.Gather(TRect{}, false, [](const PixelSamples&) {});
    // A texture of one bit per pixel larger than the working texture is drawn in the
    // black-on-white stretch, which reads the whole picture: one the tile command could not
    // hold as 24 bits is refused as that command refuses it.
    if (s.sampler.IsMonochrome() && (width > kSide || height > kSide)) {
        TBitmap::CheckDepth24Size(width, height);
        return s.BlackOnWhite(width, height);
    }
    return s.Gather(TRect{0, 0, width, height}, false, [&s](const PixelSamples& samples) {
        s.sampler.ReadColours(samples, s.colours);
    });
}

WorkingTexture WorkingTextureReader::Read(TextureSource& texture) {
    State& s = *mState;
    return s.Gather(
        TRect{0, 0, texture.Width(), texture.Height()}, texture.HasAlpha(),
        [&](const PixelSamples& samples) { texture.ReadPixels(samples, s.colours, s.alpha); });
}

WorkingTexture WorkingTextureReader::ReadPiece(const std::string& bmpPath, std::int32_t across,
                                               std::int32_t down, PiecePosition piece) {
    State& s = *mState;
    s.sampler.Open(bmpPath, s.depth);
    if (!s.sampler.HasPixels()) return s.Gather(TRect{}, false, [](const PixelSamples&) {});
    const TRect area = PieceRect(s.sampler.Width(), s.sampler.Height(), across, down, piece);
    return s.Gather(area, false, [&s](const PixelSamples& samples) {
        s.sampler.ReadColours(samples, s.colours);
    });
}

WorkingTexture WorkingTextureReader::ReadPiece(TextureSource& texture, std::int32_t across,
                                               std::int32_t down, PiecePosition piece) {
    State& s = *mState;
    return s.Gather(
        PieceRect(texture.Width(), texture.Height(), across, down, piece), texture.HasAlpha(),
        [&](const PixelSamples& samples) { texture.ReadPixels(samples, s.colours, s.alpha); });
}

WorkingTile::WorkingTile(std::int32_t tileWidth, std::int32_t tileHeight)
    : mWidth(tileWidth), mHeight(tileHeight) {
    // The working texture is its own one piece, which the stretch copies pixel for pixel.
    const TileSampling sampling(tileWidth, tileHeight, {TRect{0, 0, kSide, kSide}});
    const PixelSamples& samples = sampling.Samples();
    std::vector<std::int32_t> working(samples.Count());
    for (const PixelSamples::Row& row : samples.rows) {
        for (std::uint32_t i = row.first; i < row.first + row.count; ++i) {
            working[i] = row.y * kSide + samples.columns[i];
        }
    }
    mPixels = sampling.TilePixels(0);
    for (std::int32_t& pixel : mPixels) {
        if (pixel != TileSampling::kMask) pixel = working[static_cast<std::size_t>(pixel)];
    }
    static_assert(kNone == TileSampling::kMask);
}

TilePixels WorkingTile::Tile(const WorkingTexture& texture) const {
    TilePixels tile(mWidth, mHeight);
    tile.hasAlpha = !texture.alpha.empty();
    for (std::size_t i = 0; i < mPixels.size(); ++i) {
        const std::int32_t at = mPixels[i];
        if (at == kNone) continue;
        const auto from = static_cast<std::size_t>(at);
        tile.pixels[i] = CoveredPixel(texture.colours[from],
                                      tile.hasAlpha ? texture.alpha[from] : std::uint8_t{255});
    }
    return tile;
}

}  // namespace mosaren
