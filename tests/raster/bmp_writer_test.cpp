// The writer against the BMP layout: headers, colour tables, masks and rows of the images the
// program writes; writes that the output refuses; and the names it will not create.

#include <sys/stat.h>

#include <map>

#include "bmp_test_support.h"
#include "support/bmp_picture.h"
#include "support/display_depth.h"
#include "support/output_streams.h"
#include "support/tmpfs_mount.h"
#include "support/requirements.h"

namespace mosaren::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint16_t U16At(const Bytes& file, std::size_t at) { return bmp::LoadU16(file.data() + at); }
std::uint32_t U32At(const Bytes& file, std::size_t at) { return bmp::LoadU32(file.data() + at); }
std::int32_t I32At(const Bytes& file, std::size_t at) { return bmp::LoadI32(file.data() + at); }

// ----- Tiles: the device form at the display's depth -----

struct TileCase {
    const char* name;
    int displayDepth;
    std::int32_t width;
    std::int32_t height;
    std::uint32_t stride;
};

class BmpWriterTileTest : public ::testing::TestWithParam<TileCase> {};

TEST_P(BmpWriterTileTest, TileIsWrittenAtTheDisplayDepthBottomRowFirst) {
    const TileCase& c = GetParam();
    mosaren::testing::ScopedDisplayDepth depth(c.displayDepth);
    TBitmap tile;
    MakeDeviceTile(tile, c.width, c.height);
    const Bytes file = WrittenBytes(tile);

    const std::uint32_t imageSize = c.height * c.stride;
    ASSERT_EQ(file.size(), 54u + imageSize);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(U32At(file, 2), 54u + imageSize);  // bfSize
    EXPECT_EQ(U16At(file, 6), 0u);
    EXPECT_EQ(U16At(file, 8), 0u);
    EXPECT_EQ(U32At(file, 10), 54u);  // bfOffBits: no masks, no table
    EXPECT_EQ(U32At(file, 14), 40u);
    EXPECT_EQ(I32At(file, 18), c.width);
    EXPECT_EQ(I32At(file, 22), c.height);  // positive: bottom-up
    EXPECT_EQ(U16At(file, 26), 1u);
    EXPECT_EQ(U16At(file, 28), c.displayDepth);
    EXPECT_EQ(U32At(file, 30), gdi::kBiRgb);
    EXPECT_EQ(U32At(file, 34), imageSize);
    for (std::size_t at : {38u, 42u, 46u, 50u})
        EXPECT_EQ(U32At(file, at), 0u) << "header byte " << at;

    // Decoded from the bytes alone, so that the layout is not judged by our own reader.
    const BmpPicture picture = DecodeBmp(file);
    for (std::int32_t y = 0; y < c.height; ++y) {
        for (std::int32_t x = 0; x < c.width; ++x) {
            ASSERT_EQ(picture.At(x, y), tile.DrawingSurface().ReadPixel(x, y))
                << "pixel " << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Tiles, BmpWriterTileTest,
                         ::testing::Values(TileCase{"Default72x36At32", 32, 72, 36, 288},
                                           TileCase{"Default72x36At24", 24, 72, 36, 216},
                                           TileCase{"Default72x36At16", 16, 72, 36, 144},
                                           // 219 bytes of pixels and 1 of padding.
                                           TileCase{"Width73At24", 24, 73, 36, 220},
                                           TileCase{"Width73At16", 16, 73, 36, 148},
                                           TileCase{"OnePixelWideAt24", 24, 1, 36, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

// ----- Device-independent images: tables, masks and rows as the image holds them -----

// Rows of a width × height image, padding included, every pixel a different value from its
// neighbours (an index below colours for an indexed image), so that a moved, dropped or
// reordered byte shows.
Bytes PatternRows(std::int32_t width, std::int32_t height, int bits, unsigned colours) {
    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    Bytes rows(stride * static_cast<std::size_t>(height));
    if (bits > 8) {
        for (std::size_t i = 0; i < rows.size(); ++i)
            rows[i] = static_cast<std::uint8_t>(i * 37 + 11);
        return rows;
    }
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const unsigned index = static_cast<unsigned>(x * 5 + y * 3) % colours;
            // The leftmost pixel sits in the highest bits of its byte.
            const int shift = 8 - bits - (x * bits) % 8;
            rows[y * stride + x * bits / 8] |= static_cast<std::uint8_t>(index << shift);
        }
    }
    return rows;
}

// A file in the form the writer gives: 40-byte header, biSizeImage set, and for an indexed
// image its colours used stated and a table of that many entries.
BmpBuilder Canonical(std::int32_t width, std::int32_t height, int bits, unsigned colours = 0) {
    const Bytes rows = PatternRows(width, std::abs(height), bits, colours == 0 ? 256 : colours);
    BmpBuilder builder;
    builder.Size(width, height)
        .Bits(static_cast<std::uint16_t>(bits))
        .SizeImage(static_cast<std::uint32_t>(rows.size()))
        .Pixels(rows);
    if (colours > 0) builder.ClrUsed(colours).Table(RampTable(colours));
    return builder;
}

struct ImageCase {
    const char* name;
    Bytes read;     // the file the image is read from
    Bytes written;  // what the writer must give for it
};

// A file already in the writer's form comes out byte for byte as it went in.
ImageCase Unchanged(const char* name, const BmpBuilder& file) {
    return {name, file.Build(), file.Build()};
}

std::vector<ImageCase> ImageCases() {
    const auto bitFields16 = Canonical(5, 3, 16).Compression(gdi::kBiBitfields);
    const auto bitFields32 = Canonical(5, 3, 32).Compression(gdi::kBiBitfields);
    return {
        Unchanged("Pal1", Canonical(9, 3, 1, 2)),
        Unchanged("Pal4Of12", Canonical(7, 3, 4, 12)),
        Unchanged("Pal4Of16", Canonical(7, 3, 4, 16)),
        Unchanged("Pal8Of16WithResolutionAndImportantColours",
                  Canonical(5, 3, 8, 16).Resolution(2835, 3780).ClrImportant(7)),
        Unchanged("Rgb555", Canonical(5, 3, 16)),
        Unchanged("BitFields565", BmpBuilder(bitFields16).Masks(0xF800, 0x07E0, 0x001F)),
        Unchanged("BitFields32RedOnTop",
                  BmpBuilder(bitFields32).Masks(0xFF000000, 0x00FF0000, 0x0000FF00)),
        Unchanged("Rgb24", Canonical(5, 3, 24)),
        // Top-down in memory, so top-down in the file: rows go out as the image holds them.
        Unchanged("Rgb24TopDown", Canonical(5, -3, 24)),
        Unchanged("Rgb32", Canonical(5, 3, 32)),

        // What a file says less plainly, the writer states.
        // An 8-bit table of 256 entries (the default count): biClrUsed 256, pixels at 14 + 40 +
        // 4 × 256, rows of 72 bytes.
        {"Pal8DefaultTable72x36", Canonical(72, 36, 8, 256).ClrUsed(0).Build(),
         Canonical(72, 36, 8, 256).Build()},
        // A 1-bit image holds two colours whatever the file says it uses.
        {"Pal1StatingMoreColoursThanItHolds",
         Canonical(9, 3, 1, 2).ClrUsed(5).Table(RampTable(5)).Build(),
         Canonical(9, 3, 1, 2).Build()},
        {"CoreHeaderPal8", Canonical(5, 3, 8, 256).Core().Build(), Canonical(5, 3, 8, 256).Build()},
        {"ImageSizeZero", Canonical(5, 3, 24).SizeImage(0).Build(), Canonical(5, 3, 24).Build()},
        {"LargeHeaderMasksGoAfterAFortyByteHeader",
         BmpBuilder(bitFields16).HeaderSize(124).Masks(0x7C00, 0x03E0, 0x001F).Build(),
         BmpBuilder(bitFields16).Masks(0x7C00, 0x03E0, 0x001F).Build()},
        {"BitFields16WithoutMasksGetsTheDefaults", BmpBuilder(bitFields16).Masks(0, 0, 0).Build(),
         BmpBuilder(bitFields16).Masks(0xF800, 0x07E0, 0x001F).Build()},
        {"BitFields32WithoutMasksGetsTheDefaults", BmpBuilder(bitFields32).Masks(0, 0, 0).Build(),
         BmpBuilder(bitFields32).Masks(0x00FF0000, 0x0000FF00, 0x000000FF).Build()},
    };
}

class BmpWriterImageTest : public ::testing::TestWithParam<ImageCase> {};

TEST_P(BmpWriterImageTest, WritesTheImageAsItHoldsIt) {
    TBitmap bitmap;
    ReadBytes(bitmap, GetParam().read);
    const Bytes written = WrittenBytes(bitmap);
    ASSERT_EQ(written.size(), GetParam().written.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
        ASSERT_EQ(written[i], GetParam().written[i]) << "file byte " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Images, BmpWriterImageTest, ::testing::ValuesIn(ImageCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BmpWriterTest, DescriptionKeepsTheMasksAndColourCountThatWereWritten) {
    TBitmap bitField;
    ReadBytes(bitField, Canonical(5, 3, 16).Compression(gdi::kBiBitfields).Masks(0, 0, 0).Build());
    WrittenBytes(bitField);
    const std::array<std::uint32_t, 3> defaults{0xF800, 0x07E0, 0x001F};
    EXPECT_EQ(BitmapAccess::Description(bitField).dsBitfields, defaults);

    TBitmap indexed;
    ReadBytes(indexed, Canonical(9, 3, 1, 2).ClrUsed(5).Table(RampTable(5)).Build());
    WrittenBytes(indexed);
    EXPECT_EQ(BitmapAccess::Description(indexed).dsBmih.biClrUsed, 2u);
}

struct MaskCase {
    const char* name;
    std::uint32_t compression;
    std::uint16_t bitCount;
    std::array<std::uint32_t, 3> before;
    std::array<std::uint32_t, 3> after;
};

TEST(BmpWriterTest, DefaultBitFieldMasksFillsOnlyBitFieldDescriptionsWithoutARedMask) {
    using Masks = std::array<std::uint32_t, 3>;
    const Masks none{0, 0, 0};
    const Masks five55{0x7C00, 0x03E0, 0x001F};
    const MaskCase cases[] = {
        {"BitFields16", gdi::kBiBitfields, 16, none, {0xF800, 0x07E0, 0x001F}},
        {"BitFields32", gdi::kBiBitfields, 32, none, {0x00FF0000, 0x0000FF00, 0x000000FF}},
        // Only the red mask is looked at.
        {"BitFields16GreenAndBlueOnly",
         gdi::kBiBitfields,
         16,
         {0, 0x03E0, 0x001F},
         {0xF800, 0x07E0, 0x001F}},
        {"BitFields16WithMasks", gdi::kBiBitfields, 16, five55, five55},
        {"BitFields24", gdi::kBiBitfields, 24, none, none},
        {"BitFields8", gdi::kBiBitfields, 8, none, none},
        {"Plain16", gdi::kBiRgb, 16, none, none},
        {"Plain32", gdi::kBiRgb, 32, none, none},
    };
    for (const MaskCase& c : cases) {
        gdi::DibSection description;
        description.dsBmih.biCompression = c.compression;
        description.dsBmih.biBitCount = c.bitCount;
        description.dsBitfields = c.before;
        DefaultBitFieldMasks(description);
        EXPECT_EQ(description.dsBitfields, c.after) << c.name;
    }
}

// ----- Writes, whole or not at all -----

struct WritesCase {
    const char* name;
    Bytes file;  // read into the bitmap that is written; empty: a 72 × 36 device tile
    std::vector<std::size_t> writes;
};

std::vector<WritesCase> WritesCases() {
    return {
        {"DeviceTile", {}, {14, 40, 36 * 288}},
        {"BitFields",
         Canonical(5, 3, 16).Compression(gdi::kBiBitfields).Masks(0xF800, 0x07E0, 0x001F).Build(),
         {14, 40, 12, 3 * 12}},
        {"Indexed", Canonical(5, 3, 8, 16).Build(), {14, 40, 16 * 4, 3 * 8}},
    };
}

void MakeImage(TBitmap& bitmap, const WritesCase& c) {
    if (c.file.empty()) {
        MakeDeviceTile(bitmap, 72, 36);
    } else {
        ReadBytes(bitmap, c.file);
    }
}

class BmpWriterWritesTest : public ::testing::TestWithParam<WritesCase> {};

TEST_P(BmpWriterWritesTest, EachPartGoesOutInOneWrite) {
    TBitmap bitmap;
    MakeImage(bitmap, GetParam());
    RecordingStream stream;
    WriteBmp(bitmap, stream);
    EXPECT_EQ(stream.Writes(), GetParam().writes);
}

TEST_P(BmpWriterWritesTest, WriteTakenOnlyInPartIsAStreamWriteError) {
    TBitmap bitmap;
    MakeImage(bitmap, GetParam());
    std::size_t before = 0;
    for (std::size_t size : GetParam().writes) {
        // The output takes none of this write, or all of it but its last byte.
        for (std::size_t taken : {std::size_t{0}, size - 1}) {
            MemoryOutputStream output;
            BudgetStream stream(output, before + taken);
            ExpectFailure<EWriteError>([&] { WriteBmp(bitmap, stream); }, "Stream write error");
        }
        before += size;
    }
}

INSTANTIATE_TEST_SUITE_P(Images, BmpWriterWritesTest, ::testing::ValuesIn(WritesCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// ----- Files -----

TEST(BmpWriteFileTest, FileHoldsWhatWriteBmpWrites) {
    TempFolder folder;
    TBitmap tile;
    MakeDeviceTile(tile, 72, 36);
    WriteBmpFile(tile, folder / "tile.bmp");
    EXPECT_EQ(FileBytes(folder / "tile.bmp"), WrittenBytes(tile));
}

TEST(BmpWriteFileTest, LongerExistingFileIsReplacedCompletely) {
    TempFolder folder;
    const std::string path = folder / "tile.bmp";
    WriteBytes(path, Bytes(100000, 0xAB));
    TBitmap tile;
    MakeDeviceTile(tile, 2, 2);
    WriteBmpFile(tile, path);
    EXPECT_EQ(FileBytes(path), WrittenBytes(tile));
    EXPECT_EQ(FolderNames(folder.Path()), std::vector<std::string>{"tile.bmp"});
}

TEST(BmpWriteFileTest, UnchangedBitmapWrittenTwiceGivesIdenticalFilesWithoutAChange) {
    TempFolder folder;
    TBitmap tile;
    MakeDeviceTile(tile, 73, 36);
    int notices = 0;
    tile.SetChangeListener([&] { ++notices; });
    WriteBmpFile(tile, folder / "first.bmp");
    const gdi::ImageHandle section = BitmapAccess::SectionHandle(tile);
    WriteBmpFile(tile, folder / "second.bmp");
    EXPECT_EQ(FileBytes(folder / "first.bmp"), FileBytes(folder / "second.bmp"));
    EXPECT_EQ(notices, 0);
    // The section copy made for the first write serves the second.
    EXPECT_EQ(BitmapAccess::SectionHandle(tile), section);
    EXPECT_EQ(tile.PixelDepth(), TPixelDepth::DepthDevice);
}

TEST(BmpWriteFileTest, BitmapWithoutPixelsGivesAZeroByteFileAndNoError) {
    struct Case {
        const char* name;
        std::function<void(TBitmap&)> size;
    };
    const Case cases[] = {
        {"New", [](TBitmap&) {}},
        {"HeightOnly", [](TBitmap& b) { b.SetImageHeight(36); }},
        {"WidthOnly", [](TBitmap& b) { b.SetImageWidth(72); }},
        {"HeightBackToZero",
         [](TBitmap& b) {
             MakeDeviceTile(b, 72, 36);
             b.SetImageHeight(0);
         }},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const std::string path = folder / "tile.bmp";
        WriteBytes(path, Bytes(500, 0xAB));
        TBitmap bitmap;
        c.size(bitmap);
        EXPECT_TRUE(WrittenBytes(bitmap).empty()) << c.name;
        WriteBmpFile(bitmap, path);
        EXPECT_TRUE(std::filesystem::exists(path)) << c.name;
        EXPECT_TRUE(FileBytes(path).empty()) << c.name;
    }
}

TEST(BmpWriteFileTest, NewFileGetsTheUsualPermissionsAndAReplacedOneKeepsItsOwn) {
    TempFolder folder;
    TBitmap tile;
    MakeDeviceTile(tile, 2, 2);
    const mode_t mask = ::umask(022);
    WriteBmpFile(tile, folder / "new.bmp");
    WriteBytes(folder / "old.bmp", Bytes(10, 1));
    std::filesystem::permissions(folder / "old.bmp", std::filesystem::perms(0640));
    WriteBmpFile(tile, folder / "old.bmp");
    ::umask(mask);
    struct stat info {};
    ASSERT_EQ(::stat((folder / "new.bmp").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
    ASSERT_EQ(::stat((folder / "old.bmp").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(BmpWriteFileTest, WritingThroughALinkReplacesTheFileItPointsTo) {
    TempFolder folder;
    WriteBytes(folder / "target.bmp", Bytes(10, 1));
    std::filesystem::create_symlink("target.bmp", folder.Path() / "link.bmp");
    TBitmap tile;
    MakeDeviceTile(tile, 2, 2);
    WriteBmpFile(tile, folder / "link.bmp");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path() / "link.bmp"));
    EXPECT_EQ(FileBytes(folder / "target.bmp"), WrittenBytes(tile));
}

// Every file under a folder with its bytes, to see that a refused write changed nothing.
std::map<std::string, Bytes> Snapshot(const std::filesystem::path& folder) {
    std::map<std::string, Bytes> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        files[entry.path().string()] =
            entry.is_regular_file() ? FileBytes(entry.path().string()) : Bytes{};
    }
    return files;
}

struct RefusedNameCase {
    const char* name;
    // Prepares the folder and gives the name to write.
    std::function<std::string(const TempFolder&)> prepare;
};

std::vector<RefusedNameCase> RefusedNameCases() {
    return {
        {"FolderThatDoesNotExist",
         [](const TempFolder& f) { return f / "no-such-folder/tile.bmp"; }},
        {"EmptyName", [](const TempFolder&) { return std::string(); }},
        {"NameLongerThanTheSystemAllows",
         [](const TempFolder& f) { return f / (std::string(300, 'a')); }},
        {"NameEndingInASlash", [](const TempFolder& f) { return f / "tile.bmp/"; }},
        {"FolderPartIsAFile",
         [](const TempFolder& f) {
             WriteBytes(f / "plain", Bytes(3, 1));
             return f / "plain/tile.bmp";
         }},
        {"ExistingFolderOfThatName",
         [](const TempFolder& f) {
             std::filesystem::create_directory(f.Path() / "tile.bmp");
             WriteBytes(f / "tile.bmp/inside", Bytes(3, 1));
             return f / "tile.bmp";
         }},
        // Root could write it; the program still does not replace a read-only file.
        {"ReadOnlyFile",
         [](const TempFolder& f) {
             WriteBytes(f / "tile.bmp", Bytes(50, 7));
             std::filesystem::permissions(f / "tile.bmp", std::filesystem::perms(0444));
             return f / "tile.bmp";
         }},
    };
}

class BmpWriteFileRefusedTest : public ::testing::TestWithParam<RefusedNameCase> {};

TEST_P(BmpWriteFileRefusedTest, CannotCreateFileAndNothingChanges) {
    TempFolder folder;
    const std::string name = GetParam().prepare(folder);
    const auto before = Snapshot(folder.Path());
    TBitmap tile;
    MakeDeviceTile(tile, 2, 2);
    ExpectFailure<EFCreateError>([&] { WriteBmpFile(tile, name); }, "Cannot create file " + name);
    EXPECT_EQ(Snapshot(folder.Path()), before);
}

INSTANTIATE_TEST_SUITE_P(Names, BmpWriteFileRefusedTest, ::testing::ValuesIn(RefusedNameCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BmpWriteFileTest, ReadOnlyFileSystemRefusesBothANewAndAnExistingTile) {
    TempFolder folder;
    ScopedTmpfs mount(folder.Path(), 64 * 1024);
    MOSAREN_REQUIRE(mount.Mounted(), "a tmpfs cannot be mounted here");
    TBitmap tile;
    MakeDeviceTile(tile, 2, 2);
    WriteBmpFile(tile, folder / "tile.bmp");
    ASSERT_TRUE(mount.MakeReadOnly());
    const auto before = Snapshot(folder.Path());

    MakeDeviceTile(tile, 3, 3);
    for (const std::string& name : {folder / "tile.bmp", folder / "new.bmp"}) {
        ExpectFailure<EFCreateError>([&] { WriteBmpFile(tile, name); },
                                     "Cannot create file " + name);
    }
    EXPECT_EQ(Snapshot(folder.Path()), before);
}

}  // namespace
}  // namespace mosaren::testing
