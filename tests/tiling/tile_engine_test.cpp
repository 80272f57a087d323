// The tile engine held to the tile maker it stands in for: over the public BMP suite, the
// malformed-file cases and generated textures of every form and many sizes, at several tile
// sizes, masks and all three display depths, both commands' tiles must be the same bytes, and a
// texture either refuses must fail with the same exception class and message.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "fuzz/tile_engine_one.h"
#include "support/display_depth.h"
#include "support/files.h"
#include "support/texture_files.h"
#include "tiling/support/tile_comparison.h"

namespace mosaren {
namespace {

using namespace mosaren::testing;
namespace fs = std::filesystem;

// The textures: the suite, the malformed files and generated ones of every form.
class Textures {
public:
    static const Textures& Get() {
        static const Textures textures;
        return textures;
    }
    const std::vector<std::string>& All() const { return mPaths; }

private:
    Textures() {
        for (const char* set : {"g", "q", "b"}) AddFolder(CorpusFolder() / set);
        AddFolder(TestsFolder() / "raster" / "data");
        const std::vector<std::pair<std::int32_t, std::int32_t>> sizes = {
            {1, 1}, {2, 3}, {7, 5}, {64, 64}, {255, 255}, {256, 256}, {300, 97}, {513, 41}, {19, 700}};
        std::uint32_t seed = 1;
        for (const TextureForm form : AllTextureForms()) {
            for (const auto& [width, height] : sizes) {
                Generate(std::string(TextureFormName(form)) + "-" + std::to_string(width) + "x" +
                             std::to_string(height),
                         TextureFile(form, width, height, seed++));
            }
        }
        Generate("large-pal8", TextureFile(TextureForm::Pal8, 1500, 1200, seed++));
        Generate("wide-rgb24", TextureFile(TextureForm::Rgb24, 2100, 5, seed++));
        Generate("empty", {});
        // Pixel data that stops halfway, and a claim of more pixel data than there is.
        std::vector<std::uint8_t> half = TextureFile(TextureForm::Rgb24, 100, 80, seed++);
        half.resize(half.size() - 100 * 40 * 3);
        Generate("rgb24-half-data", half);
        std::vector<std::uint8_t> rle = TextureFile(TextureForm::Rle8, 90, 90, seed++);
        rle.resize(rle.size() / 2);
        Generate("rle8-half-data", rle);
    }

    void AddFolder(const fs::path& folder) {
        if (!fs::is_directory(folder)) return;
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() == ".bmp") found.push_back(entry.path().string());
        }
        std::sort(found.begin(), found.end());
        mPaths.insert(mPaths.end(), found.begin(), found.end());
    }

    void Generate(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        mPaths.push_back(mFolder / (name + ".bmp"));
        WriteBytes(mPaths.back(), bytes);
    }

    TempFolder mFolder;
    std::vector<std::string> mPaths;
};

// Settings that vary with the texture, so that every tile size and mask meets many forms.
TTileSettings Varied(std::size_t k) {
    static const std::vector<std::pair<std::uint8_t, std::uint8_t>> tiles = {
        {1, 1}, {255, 255}, {37, 91}, {64, 32}, {80, 40}, {255, 1}, {3, 200}, {72, 36}};
    static const std::vector<TColor> masks = {Rgb(1, 2, 3), Rgb(0, 0, 0), Rgb(255, 255, 255),
                                              Rgb(250, 5, 7), Rgb(255, 0, 255)};
    // 4 × 4 are read at once, 6 × 3 in two goes.
    static const std::vector<std::pair<std::int32_t, std::int32_t>> pieces = {
        {1, 1}, {2, 3}, {3, 1}, {6, 3}, {1, 2}, {4, 4}};
    TTileSettings settings;
    settings.TileWidth = tiles[k % tiles.size()].first;
    settings.TileHeight = tiles[k % tiles.size()].second;
    const TColor mask = masks[k % masks.size()];
    settings.MaskR = RedOf(mask);
    settings.MaskG = GreenOf(mask);
    settings.MaskB = BlueOf(mask);
    settings.PiecesAcross = pieces[k % pieces.size()].first;
    settings.PiecesDown = pieces[k % pieces.size()].second;
    return settings;
}

// Under the sanitizers, which look for memory faults rather than wrong bytes, the comparisons over
// the texture list take every fourth texture: the maker's whole-picture passes are slow there,
// and the normal build compares them all.
#ifdef MOSAREN_SANITIZED
constexpr std::size_t kTextureStride = 4;
#else
constexpr std::size_t kTextureStride = 1;
#endif

class TileEngineAgainstTileMaker : public ::testing::TestWithParam<int> {
protected:
    ScopedDisplayDepth mDepth{GetParam()};
};

TEST_P(TileEngineAgainstTileMaker, BatchTilesAreTheSameBytesAndFailuresTheSame) {
    const std::vector<std::string>& textures = Textures::Get().All();
    TTileSettings defaults;
    TTileSettings settings;  // changed between textures, as both read it at each
    TileMaker maker(settings);
    TileEngine engine(settings, DisplayDepth());
    for (std::size_t k = 0; k < textures.size(); k += kTextureStride) {
        for (const TTileSettings& s : {defaults, Varied(k)}) {
            settings = s;
            const TilesMade reference = BatchTileByMaker(maker, textures[k]);
            const TilesMade fast = BatchTileByEngine(engine, settings, textures[k]);
            EXPECT_TRUE(fast == reference)
                << textures[k] << " at " << int{s.TileWidth} << "x" << int{s.TileHeight} << ": "
                << Difference(reference, fast);
        }
    }
}

TEST_P(TileEngineAgainstTileMaker, PieceTilesAreTheSameBytesAndFailuresTheSame) {
    const std::vector<std::string>& textures = Textures::Get().All();
    for (std::size_t k = 0; k < textures.size(); k += kTextureStride) {
        const TTileSettings settings = Varied(k + 3);
        const TilesMade reference = PieceTilesByMaker(settings, textures[k]);
        const TilesMade fast = PieceTilesByEngine(settings, textures[k]);
        EXPECT_TRUE(fast == reference)
            << textures[k] << " in " << settings.PiecesAcross << "x" << settings.PiecesDown
            << " pieces at " << int{settings.TileWidth} << "x" << int{settings.TileHeight} << ": "
            << Difference(reference, fast);
    }
}

TEST_P(TileEngineAgainstTileMaker, MostPiecesAreTheSameBytes) {
    TempFolder folder;
    const std::string texture = folder / "t.bmp";
    WriteBytes(texture, TextureFile(TextureForm::Rle8, 301, 95, 7));
    TTileSettings settings;
    settings.PiecesAcross = 19;
    settings.PiecesDown = 19;
    const TilesMade reference = PieceTilesByMaker(settings, texture);
    EXPECT_EQ(reference.failure, "");
    EXPECT_TRUE(PieceTilesByEngine(settings, texture) == reference);
}

// Block settings that vary with the texture: every height from the lowest to the highest, each
// set of faces, shades from none to whole, and side faces from other textures of the list, which
// may themselves be refused.
BlockSettings VariedBlock(std::size_t k, const std::vector<std::string>& textures) {
    static const std::vector<std::int32_t> heights = {24, 1, 255, 7, 40, 3};
    static const std::vector<std::array<bool, 3>> shown = {
        {true, true, true}, {false, true, true}, {true, false, true}, {true, true, false},
        {false, false, true}, {true, false, false}, {false, false, false}};
    static const std::vector<std::array<std::int32_t, 3>> shades = {
        {kWholeShade, 800'000, 600'000}, {0, 333'333, kWholeShade}, {500'000, 1, 999'999}};
    BlockSettings block;
    block.height = heights[k % heights.size()];
    for (std::size_t f = 0; f < kBlockFaceCount; ++f) {
        block.faces[f] = FaceLook{shown[k % shown.size()][f], shades[k % shades.size()][f]};
    }
    if (k % 4 == 1) block.leftTexture = textures[(k * 7 + 3) % textures.size()];
    if (k % 5 == 2) block.rightTexture = textures[(k * 11 + 5) % textures.size()];
    return block;
}

TEST_P(TileEngineAgainstTileMaker, BlocksAreTheSameBytesAndFailuresTheSame) {
    const std::vector<std::string>& textures = Textures::Get().All();
    for (std::size_t k = 0; k < textures.size(); k += kTextureStride) {
        const TTileSettings settings = Varied(k + 1);
        const BlockSettings block = VariedBlock(k, textures);
        const TilesMade reference = BlockByMaker(settings, block, textures[k]);
        const TilesMade fast = BlockByEngine(settings, block, textures[k]);
        EXPECT_TRUE(fast == reference)
            << textures[k] << " raised " << block.height << " at " << int{settings.TileWidth}
            << "x" << int{settings.TileHeight} << " sides '" << block.leftTexture << "', '"
            << block.rightTexture << "': " << Difference(reference, fast);
    }
}

TEST_P(TileEngineAgainstTileMaker, PieceBlocksAreTheSameBytesAndFailuresTheSame) {
    const std::vector<std::string>& textures = Textures::Get().All();
    for (std::size_t k = 0; k < textures.size(); k += kTextureStride) {
        const TTileSettings settings = Varied(k + 2);
        const BlockSettings block = VariedBlock(k + 3, textures);
        const TilesMade reference = PieceBlocksByMaker(settings, block, textures[k]);
        const TilesMade fast = PieceBlocksByEngine(settings, block, textures[k]);
        EXPECT_TRUE(fast == reference)
            << textures[k] << " in " << settings.PiecesAcross << "x" << settings.PiecesDown
            << " pieces raised " << block.height << " at " << int{settings.TileWidth} << "x"
            << int{settings.TileHeight} << ": " << Difference(reference, fast);
    }
}

TEST_P(TileEngineAgainstTileMaker, TransitionTilesAreTheSameBytes) {
    const std::vector<std::string>& textures = Textures::Get().All();
    const TerrainBorder borders[] = {{TerrainEdge::Straight, 1}, {TerrainEdge::Noise, 7},
                                     {TerrainEdge::Dither, 12345}};
    // Every fifth pair of textures, each border, flat tiles and blocks in turn.
    for (std::size_t k = 0; k + 1 < textures.size(); k += 5 * kTextureStride) {
        const TTileSettings settings = Varied(k);
        BlockSettings block;
        if (k % 2 == 1) block = VariedBlock(k, textures);
        const TerrainBorder& border = borders[(k / 5) % 3];
        const std::string& a = textures[k];
        const std::string& b = textures[textures.size() - 1 - k];
        const TilesMade reference = TransitionsByMaker(settings, block, a, b, border);
        const TilesMade fast = TransitionsByEngine(settings, block, a, b, border);
        EXPECT_TRUE(fast == reference) << a << " meeting " << b << " raised " << block.height
                                       << ": " << Difference(reference, fast);
    }
}

// What the differential fuzzer found, kept: each input (see fuzz/tile_engine_one.h) must now
// give the maker's tiles.
TEST(TileEngineFuzzFindings, GiveTheMakersTiles) {
    const ScopedDisplayDepth restored(DisplayDepth());
    for (const auto& entry : fs::directory_iterator(MOSAREN_TEST_DATA_DIR)) {
        EXPECT_EQ(fuzz::CompareTileEngineOnce(FileBytes(entry.path())), "") << entry.path();
    }
}

INSTANTIATE_TEST_SUITE_P(DisplayDepths, TileEngineAgainstTileMaker, ::testing::Values(32, 24, 16),
                         [](const auto& info) { return "Depth" + std::to_string(info.param); });

}  // namespace
}  // namespace mosaren
