// Mosaren Studio driven as a user drives it: textures added (one of them damaged), a setting
// changed and the preview seen to follow, the project exported, saved and opened again; and its
// export compared byte for byte with `mosaren-cli build` of the project it saved.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QDoubleSpinBox>
#include <QDragEnterEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "cli/project_content.h"
#include "cli/project_file.h"
#include "studio/pixel_view.h"
#include "studio/settings_panel.h"
#include "studio/studio_project.h"
#include "studio/studio_translations.h"
#include "studio/studio_window.h"
#include "studio/texture_list.h"
#include "support/files.h"

namespace mosaren::studio {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

constexpr int kWaitMs = 60000;

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string Example(const std::string& name) {
    return std::string(MOSAREN_EXAMPLES_DIR) + "/" + name;
}

// A PNG file whose header is cut short: the import layer recognises it and cannot read it.
void WriteDamagedPng(const std::string& path) {
    testing::WriteBytes(path, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H',
                               'D', 'R', 0, 0, 1});
}

// The files under folder (names relative to it) and their bytes, less the build's own record.
std::map<std::string, std::vector<std::uint8_t>> FilesUnder(const fs::path& folder) {
    std::map<std::string, std::vector<std::uint8_t>> files;
    if (!fs::exists(folder)) return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = fs::relative(entry.path(), folder).string();
        if (name.front() == '.') continue;
        files[name] = testing::FileBytes(entry.path());
    }
    return files;
}

int RunCli(const QStringList& arguments, const QString& folder) {
    QProcess cli;
    cli.setWorkingDirectory(folder);
    cli.start(QStringLiteral(MOSAREN_CLI_PATH), arguments);
    EXPECT_TRUE(cli.waitForFinished(kWaitMs));
    return cli.exitCode();
}

// Waits for the preview of what the window shows now.
void WaitForPreview(StudioWindow& window) {
    QSignalSpy shown(&window, &StudioWindow::PreviewShown);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !window.PreviewBusy() && !shown.isEmpty(); }, kWaitMs));
}

int WaitForExport(StudioWindow& window) {
    QSignalSpy finished(&window, &StudioWindow::ExportFinished);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !finished.isEmpty(); }, kWaitMs));
    return window.LastExportStatus();
}

template <typename Control>
Control* Find(const QWidget& window, const char* name) {
    auto* control = window.findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

// The tile preview, read back: each picture pixel a square of zoom × zoom screen pixels.
TEST(StudioPreview, ShowsEachPixelAsASquareOfTheZoomNeverSmoothed) {
    QImage picture(5, 3, QImage::Format_ARGB32);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) picture.setPixel(x, y, qRgb(40 * x, 80 * y, 255 - 30 * x));
    }
    for (const int zoom : {1, 2, 4, 8}) {
        SCOPED_TRACE(zoom);
        PixelView view;
        view.SetImage(picture);
        view.SetZoom(zoom);
        ASSERT_EQ(view.size(), picture.size() * zoom);
        const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                ASSERT_EQ(shown.pixel(x, y), picture.pixel(x / zoom, y / zoom)) << x << "," << y;
            }
        }
    }
}

// Transparent pixels show the mask colour when asked, the checkerboard otherwise; the grid
// runs between the pixels from 4× up.
TEST(StudioPreview, ShowsTheMaskColourAndTheGridWhenAsked) {
    QImage picture(2, 2, QImage::Format_ARGB32);
    for (int y = 0; y < 2; ++y) {
        picture.setPixel(0, y, qRgba(0, 0, 0, 0));
        picture.setPixel(1, y, qRgb(10, 200, 30));
    }
    PixelView view;
    view.SetImage(picture);
    view.SetZoom(8);
    const QColor mask(255, 0, 255);
    view.SetMaskColour(mask);
    QImage shown = view.grab().toImage();
    EXPECT_EQ(shown.pixelColor(3, 3), mask);
    EXPECT_EQ(shown.pixel(11, 3), picture.pixel(1, 0));
    view.SetMaskColour(QColor());
    shown = view.grab().toImage();
    EXPECT_NE(shown.pixelColor(3, 3), mask);
    EXPECT_NE(shown.pixel(3, 3), shown.pixel(3, 3 + 8)) << "the checkerboard's squares";
    view.SetGrid(true);
    shown = view.grab().toImage();
    EXPECT_NE(shown.pixel(8, 3), picture.pixel(1, 0)) << "a grid line between the pixels";
    EXPECT_EQ(shown.pixel(11, 3), picture.pixel(1, 0)) << "inside a pixel, its colour";
    view.SetZoom(2);
    shown = view.grab().toImage();
    EXPECT_EQ(shown.pixel(2, 1), picture.pixel(1, 0)) << "no grid below 4×";
}

TEST(StudioWindow, AddsTexturesPreviewsExportsAsTheCommandLineAndReopens) {
    TempFolder folder;
    const fs::path textures = folder.Path() / "textures";
    fs::create_directories(textures);
    for (const char* name : {"grass.bmp", "water.bmp", "grate.png"}) {
        fs::copy_file(Example(name), textures / name);
    }
    WriteDamagedPng((textures / "broken.png").string());

    StudioWindow window(QCoreApplication::applicationFilePath());
    window.askForSaveFile = [] { return QString(); };
    window.show();
    TextureList& list = *window.Textures();
    {
        // Dropped as a folder: its pictures, sorted.
        QMimeData dropped;
        dropped.setUrls({QUrl::fromLocalFile(Q(textures.string()))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &drop);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return list.Reading() == 0; }, kWaitMs));
    ASSERT_EQ(list.count(), 4);

    {
        SCOPED_TRACE("the damaged texture is marked with the reader's message, the rest read");
        const TextureInfo broken = list.Info((textures / "broken.png").string());
        EXPECT_FALSE(broken.readable);
        EXPECT_TRUE(broken.failure.startsWith(QStringLiteral("The picture cannot be read")))
            << broken.failure.toStdString();
        EXPECT_TRUE(list.item(0)->text().contains(broken.failure));
        const TextureInfo grass = list.Info((textures / "grass.bmp").string());
        EXPECT_TRUE(grass.readable);
        EXPECT_EQ(grass.format, QStringLiteral("BMP"));
        EXPECT_GT(grass.width, 0);
        EXPECT_FALSE(grass.thumbnail.isNull());
        EXPECT_EQ(list.Info((textures / "grate.png").string()).format, QStringLiteral("PNG"));
    }

    {
        SCOPED_TRACE("the selected texture's tile and map, as mosaren-cli tile makes them");
        list.setCurrentRow(1);  // grass.bmp
        WaitForPreview(window);
        // Each filter as the command line makes it, and the two differ.
        std::vector<QImage> tiles;
        for (const char* filter : {"nearest", "smooth"}) {
            SCOPED_TRACE(filter);
            if (!tiles.empty()) {
                Find<QComboBox>(window, "filter")->setCurrentIndex(1);
                WaitForPreview(window);
            }
            const QImage tile = window.TileView()->Image();
            ASSERT_EQ(tile.size(), QSize(72, 36));
            EXPECT_EQ(window.MapView()->Image().size(), QSize(6 * 72, 6 * 36));
            ASSERT_EQ(RunCli({"tile", Q((textures / "grass.bmp").string()), "ref", "--format",
                              "png", "--filter", filter},
                             Q(folder.Path().string())),
                      0);
            const QImage made =
                QImage(Q(folder / "ref.png")).convertToFormat(QImage::Format_ARGB32);
            ASSERT_EQ(made.size(), tile.size());
            for (int y = 0; y < tile.height(); ++y) {
                for (int x = 0; x < tile.width(); ++x) {
                    ASSERT_EQ(tile.pixel(x, y), made.pixel(x, y)) << x << "," << y;
                }
            }
            tiles.push_back(tile);
        }
        EXPECT_NE(tiles[0], tiles[1]);
        Find<QComboBox>(window, "filter")->setCurrentIndex(0);
        WaitForPreview(window);
    }

    {
        SCOPED_TRACE("a changed setting changes the preview");
        const QImage before = window.TileView()->Image();
        // Changed again and again before a preview is made: the newest request is the one shown.
        auto* size = Find<QComboBox>(window, "sizePreset");
        for (const int preset : {3, 0, 1, 2}) size->setCurrentIndex(preset);  // ... 64 × 32
        WaitForPreview(window);
        EXPECT_EQ(window.TileView()->Image().size(), QSize(64, 32));
        Find<QComboBox>(window, "block")->setCurrentIndex(1);  // cube
        WaitForPreview(window);
        EXPECT_GT(window.TileView()->Image().height(), 32);
        Find<QComboBox>(window, "zoom")->setCurrentIndex(3);
        EXPECT_EQ(window.TileView()->size(), window.TileView()->Image().size() * 8);
        EXPECT_TRUE(window.isWindowModified());
    }

    {
        SCOPED_TRACE("the damaged texture's preview says why, and nothing else breaks");
        list.setCurrentRow(0);
        WaitForPreview(window);
        EXPECT_TRUE(window.TileView()->Image().isNull());
        EXPECT_TRUE(Find<QLabel>(window, "previewFailure")
                        ->text()
                        .contains(QStringLiteral("cannot be read")));
    }

    // The outputs an artist asks for, and transition tiles between two of the textures.
    Find<QComboBox>(window, "format")->setCurrentIndex(1);  // PNG
    for (const char* output : {"sheet", "tsx", "mapPreview"})
        Find<QCheckBox>(window, output)->setChecked(true);
    Find<QGroupBox>(window, "transitions")->setChecked(true);
    Find<QLineEdit>(window, "terrainA")->setText(Q((textures / "grass.bmp").string()));
    Find<QLineEdit>(window, "terrainB")->setText(Q((textures / "water.bmp").string()));
    Find<QComboBox>(window, "edge")->setCurrentIndex(1);  // noise
    {
        SCOPED_TRACE("the transition tiles' preview");
        Find<QComboBox>(window, "show")->setCurrentIndex(1);
        WaitForPreview(window);
        EXPECT_FALSE(window.TileView()->Image().isNull());
        EXPECT_FALSE(window.MapView()->Image().isNull());
    }

    const fs::path projectFolder = folder.Path();
    const std::string projectFile = (projectFolder / "mosaren.toml").string();
    ASSERT_TRUE(window.SaveProjectAs(Q(projectFile)));
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_EQ(window.RecentFiles().value(0), Q(projectFile));

    window.Export();
    ASSERT_TRUE(window.Exporting());
    // The damaged texture fails the tiles set; the others are made all the same.
    EXPECT_EQ(WaitForExport(window), 1) << window.LastExportReport().toStdString();
    EXPECT_TRUE(window.LastExportReport().contains(QStringLiteral("broken.png")))
        << window.LastExportReport().toStdString();
    const auto exported = FilesUnder(projectFolder / "tiles");
    for (const char* name : {"tiles.png", "tiles.tsx", "tiles-map.png", "transitions.png",
                             "transitions.tsx", "transitions-map.png"}) {
        EXPECT_EQ(exported.count(name), 1u) << name;
    }

    {
        SCOPED_TRACE("mosaren-cli build of the saved project writes the very same bytes");
        fs::remove_all(projectFolder / "tiles");
        EXPECT_EQ(RunCli({"build", "--quiet", "mosaren.toml"}, Q(projectFolder.string())), 1);
        const auto built = FilesUnder(projectFolder / "tiles");
        ASSERT_EQ(built.size(), exported.size());
        for (const auto& [name, bytes] : exported) {
            EXPECT_TRUE(built.count(name) && built.at(name) == bytes) << name;
        }
    }

    {
        SCOPED_TRACE("the saved project opens again as it was");
        StudioWindow reopened(QCoreApplication::applicationFilePath());
        ASSERT_TRUE(reopened.OpenProject(Q(projectFile)));
        EXPECT_TRUE(reopened.Project().Content() == window.Project().Content());
        EXPECT_EQ(reopened.Textures()->Textures(), window.Textures()->Textures());
        EXPECT_EQ(Find<QComboBox>(reopened, "sizePreset")->currentIndex(), 2);
        EXPECT_EQ(Find<QComboBox>(reopened, "block")->currentIndex(), 1);
        EXPECT_TRUE(Find<QGroupBox>(reopened, "transitions")->isChecked());
        EXPECT_FALSE(reopened.isWindowModified());
    }
}

// The README's project, written by hand: its pattern shows as one entry of three pictures, the
// first previewed, and saved again it reads back as the very same keys.
TEST(StudioWindow, OpensAHandWrittenProjectAndSavesItsKeysUnchanged) {
    TempFolder folder;
    fs::create_directories(folder.Path() / "textures");
    for (const char* name : {"cobbles.bmp", "grass.bmp", "water.bmp"}) {
        fs::copy_file(Example(name), folder.Path() / "textures" / name);
    }
    const std::string original = folder / "mosaren.toml";
    fs::copy_file(Example("mosaren.toml"), original);
    StudioWindow window(QCoreApplication::applicationFilePath());
    ASSERT_TRUE(window.OpenProject(Q(original)));
    TextureList& list = *window.Textures();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list.Reading() == 0; }, kWaitMs));
    ASSERT_EQ(list.count(), 1);
    const TextureInfo pattern = list.Info(folder / "textures/*.bmp");
    EXPECT_TRUE(pattern.readable) << pattern.failure.toStdString();
    EXPECT_EQ(pattern.pictures, 3);
    EXPECT_EQ(list.CurrentTexture(), folder / "textures/cobbles.bmp");
    WaitForPreview(window);
    EXPECT_EQ(window.TileView()->Image().size(), QSize(64, 32));
    EXPECT_EQ(Find<QComboBox>(window, "sizePreset")->currentIndex(), 2);
    EXPECT_TRUE(Find<QCheckBox>(window, "sheet")->isChecked());

    const std::string saved = folder / "again.toml";
    ASSERT_TRUE(window.SaveProjectAs(Q(saved)));
    EXPECT_TRUE(cli::ReadProjectContent(saved) == cli::ReadProjectContent(original))
        << cli::ProjectText(cli::ReadProjectContent(saved));

    // Its maps (a Tiled map and a Godot scene) and every other key of the set the controls show
    // are written back by them as they were. (The controls' outputs go to the transition set
    // they edit as well, so that set takes the shown set's outputs.)
    EXPECT_TRUE(Find<QCheckBox>(window, "mapTmx")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>(window, "mapTmj")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(window, "mapTscn")->isChecked());
    StudioProject applied = window.Project();
    window.Settings()->Apply(applied);
    EXPECT_TRUE(applied.Content().keys == window.Project().Content().keys);
    EXPECT_TRUE(applied.Content().sets.at(0) == window.Project().Content().sets.at(0))
        << cli::ProjectText(applied.Content());
}

TEST(StudioWindow, AsksAboutUnsavedChangesOnClose) {
    struct Case {
        QMessageBox::StandardButton answer;
        bool closes;
        bool saved;
    };
    for (const Case& answer :
         {Case{QMessageBox::Cancel, false, false}, Case{QMessageBox::Discard, true, false},
          Case{QMessageBox::Save, true, true}}) {
        SCOPED_TRACE(answer.answer);
        TempFolder folder;
        const std::string file = folder / "mosaren.toml";
        StudioWindow window(QCoreApplication::applicationFilePath());
        window.show();
        ASSERT_TRUE(window.SaveProjectAs(Q(file)));
        const auto savedBefore = testing::FileBytes(file);
        int asked = 0;
        window.askToSave = [&] {
            ++asked;
            return answer.answer;
        };
        EXPECT_TRUE(window.close()) << "no changes: no question";
        EXPECT_EQ(asked, 0);
        window.show();
        Find<QComboBox>(window, "sizePreset")->setCurrentIndex(3);
        EXPECT_EQ(window.close(), answer.closes);
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(testing::FileBytes(file) != savedBefore, answer.saved);
        if (answer.saved) {
            EXPECT_EQ(cli::KeyValue(cli::ReadProjectContent(file).keys, "size"), "128x64");
        }
    }
}

TEST(StudioWindow, CancelledExportLeavesOnlyWholeFiles) {
    TempFolder folder;
    const fs::path textures = folder.Path() / "textures";
    fs::create_directories(textures);
    for (int k = 0; k < 300; ++k) {
        fs::copy_file(Example(k % 2 ? "grass.bmp" : "cobbles.bmp"),
                      textures / ("t" + std::to_string(k) + ".bmp"));
    }
    StudioWindow window(QCoreApplication::applicationFilePath());
    window.Textures()->AddPaths({Q(textures.string())});
    Find<QComboBox>(window, "format")->setCurrentIndex(1);
    Find<QComboBox>(window, "sizePreset")->setCurrentIndex(3);
    Find<QCheckBox>(window, "sheet")->setChecked(true);
    Find<QComboBox>(window, "block")->setCurrentIndex(1);
    ASSERT_TRUE(window.SaveProjectAs(Q(folder / "mosaren.toml")));
    QSignalSpy finished(&window, &StudioWindow::ExportFinished);
    window.Export();
    // Stopped once the first blocks are made, long before the last (blocks are made one at a
    // time): the sheet, written after the last tile, is never begun.
    auto* progress = Find<QProgressBar>(window, "exportProgress");
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return progress->value() >= 1 || !finished.isEmpty(); }, kWaitMs));
    window.CancelExport();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !finished.isEmpty(); }, kWaitMs));
    EXPECT_EQ(window.LastExportStatus(), -1);
    const fs::path out = folder.Path() / "tiles";
    ASSERT_TRUE(fs::exists(out));
    EXPECT_EQ(testing::FolderNames(out), std::vector<std::string>{}) << "nothing half-written";
}

// The project file the Studio writes reads back as the same keys, and as the command lines
// they stand for.
TEST(ProjectContent, WrittenFileReadsBackAsTheSameKeysAndCommandLines) {
    TempFolder folder;
    const std::string grass = folder / "grass.bmp";
    const std::string odd = folder / "трава \"x\" \\ y.bmp";
    for (const std::string& texture : {grass, odd}) fs::copy_file(Example("grass.bmp"), texture);

    struct Case {
        const char* name;
        cli::ProjectContent content;
        // The options of the first set's command line, less the program, command and files.
        std::set<std::string> options;
    };
    const Case cases[] = {
        {"keys at the top and in a set",
         {{{"size", "64x32"}, {"format", "png"}, {"out-dir", "tiles"}},
          {},
          {{"ground",
            {grass, odd},
            {},
            {{"block", "24"},
             {"shade", "1,0.8,0.6"},
             {"faces", "left,right"},
             {"keep-going", "true"}}}}},
         {"--size 64x32", "--format png", "--out-dir tiles", "--block 24", "--shade 1,0.8,0.6",
          "--faces left,right", "--keep-going"}},
        {"transitions with terrains, a switch off",
         {{{"mask", "0,255,0"}, {"keep-going", "false"}},
          {{"grass", grass}, {"odd name", odd}},
          {{"shore side",
            {},
            {"grass", "odd name"},
            {{"edge", "noise"}, {"seed", "4294967295"}, {"sheet", "s.png"}}}}},
         {"--mask 0,255,0", "--edge noise", "--seed 4294967295", "--sheet s.png"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const std::string file = folder / "mosaren.toml";
        cli::WriteProjectFile(test.content, file);
        EXPECT_TRUE(cli::ReadProjectContent(file) == test.content)
            << cli::ProjectText(test.content);
        const cli::Project project = cli::ReadProject(file);
        ASSERT_EQ(project.sets.size(), test.content.sets.size());
        const cli::ProjectSet& set = project.sets.front();
        std::set<std::string> options;
        for (std::size_t k = 2 + set.fileCount; k < set.arguments.size(); ++k) {
            std::string option = set.arguments[k];
            if (k + 1 < set.arguments.size() && set.arguments[k + 1].rfind("--", 0) != 0) {
                option += " " + set.arguments[++k];
            }
            options.insert(option);
        }
        EXPECT_EQ(options, test.options);
    }
}

}  // namespace
}  // namespace mosaren::studio

namespace mosaren::studio {
namespace {

// Chosen by the locale: the Studio's own texts and Qt's dialogs in Russian, English otherwise.
TEST(StudioTranslations, FollowTheLocale) {
    struct Case {
        const char* locale;
        const char* fileMenu;
        const char* qtCancel;
    };
    for (const Case& test : {Case{"ru_RU", "&Файл", "Отмена"}, Case{"en_GB", "&File", "Cancel"}}) {
        SCOPED_TRACE(test.locale);
        const auto translations =
            InstallStudioTranslations(QLocale(QString::fromLatin1(test.locale)));
        StudioWindow window(QCoreApplication::applicationFilePath());
        EXPECT_EQ(window.menuBar()->actions().value(0)->text(), QString::fromUtf8(test.fileMenu));
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                  QString::fromUtf8(test.qtCancel));
    }
}

}  // namespace
}  // namespace mosaren::studio

namespace mosaren::studio {
namespace {

// Each output switched on brings what the command line needs for it, and what it needs is held
// while it is on; then the Studio's export of the project it saved equals `mosaren-cli build` of
// it byte for byte, and the project reopens with the same controls and keys.
TEST(StudioExport, OutputsBringWhatTheyNeedAndExportAsTheCommandLineBuilds) {
    const auto check = [](const char* name) {
        return [name](StudioWindow& window) { Find<QCheckBox>(window, name)->setChecked(true); };
    };
    const auto choose = [](const char* name, int index) {
        return [name, index](StudioWindow& window) {
            Find<QComboBox>(window, name)->setCurrentIndex(index);
        };
    };
    const auto transitions = [](StudioWindow& window) {
        const std::vector<std::string> textures = window.Textures()->Textures();
        Find<QGroupBox>(window, "transitions")->setChecked(true);
        Find<QLineEdit>(window, "terrainA")->setText(Q(textures.at(0)));
        Find<QLineEdit>(window, "terrainB")->setText(Q(textures.at(1)));
    };
    const auto variantsAndFeather = [](StudioWindow& window) {
        Find<QSpinBox>(window, "variants")->setValue(2);
        Find<QDoubleSpinBox>(window, "feather")->setValue(3.5);
    };
    using Action = std::function<void(StudioWindow&)>;
    struct Case {
        const char* name;
        std::vector<Action> actions;
        std::vector<const char*> on;    // check boxes on afterwards
        std::vector<const char*> off;   // and off
        std::vector<const char*> held;  // controls the user cannot change while the others are on
        bool png;
        const char* filter;  // the tiles set's filter key
        const char* maps;    // the tiles set's map key
        std::vector<const char*> files;
        std::vector<std::pair<const char*, const char*>> transitionKeys = {};
    };
    const Case cases[] = {
        {"smooth flat tiles in Tiled maps",
         {choose("filter", 1), check("mapTmx"), check("mapTmj")},
         {"tsx", "sheet"},
         {"godot", "godot3"},
         {"tsx", "sheet", "format"},
         true,
         "smooth",
         "tiles.tmx,tiles.tmj",
         {"tiles.png", "tiles.tsx", "tiles.tmx", "tiles.tmj"}},
        {"a Godot scene from BMP tiles: Godot 4, a PNG sheet",
         {check("mapTscn")},
         {"godot", "sheet"},
         {"godot3", "tsx"},
         {"godot", "godot3", "sheet", "format"},
         true,
         "",
         "tiles.tscn",
         {"tiles.png", "tiles.tres", "tiles.tscn"}},
        {"a Godot 3 scene of the Godot 3 tile set chosen first",
         {check("godot3"), check("mapTscn")},
         {"godot3", "sheet"},
         {"godot"},
         {"godot", "godot3", "sheet", "format"},
         true,
         "",
         "tiles.tscn",
         {"tiles.png", "tiles.png.import", "tiles-godot3.tres", "tiles.tscn"}},
        {"both Godot tile sets: no scene",
         {check("godot"), check("godot3")},
         {"godot", "godot3", "sheet"},
         {"mapTscn"},
         {"mapTscn", "sheet", "format"},
         true,
         "",
         "",
         {"tiles.png", "tiles.tres", "tiles-godot3.tres"}},
        {"a Tiled tileset of BMP tiles: a BMP sheet",
         {check("tsx")},
         {"tsx", "sheet"},
         {},
         {"sheet"},
         false,
         "",
         "",
         {"tiles.bmp", "tiles.tsx"}},
        {"smooth blocks",
         {choose("filter", 1), choose("block", 1)},
         {},
         {},
         {},
         false,
         "smooth",
         "",
         {"grasstile.bmp", "watertile.bmp"}},
        {"transition tiles with their maps beside the smooth flat tiles'",
         {transitions, choose("filter", 1), variantsAndFeather, check("mapTmx"), choose("format", 1),
          check("mapTmj")},
         {"tsx", "sheet"},
         {},
         {"tsx", "sheet", "format"},
         true,
         "smooth",
         "tiles.tmx,tiles.tmj",
         {"tiles.png", "tiles.tsx", "tiles.tmx", "tiles.tmj", "transitions.png", "transitions.tsx",
          "transitions.tmx", "transitions.tmj"},
         {{"filter", "smooth"}, {"variants", "2"}, {"seed", "1"}, {"feather", "3.5"}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        TempFolder folder;
        const fs::path textures = folder.Path() / "textures";
        fs::create_directories(textures);
        for (const char* name : {"grass.bmp", "water.bmp"}) {
            fs::copy_file(Example(name), textures / name);
        }
        StudioWindow window(QCoreApplication::applicationFilePath());
        window.Textures()->AddPaths(
            {Q((textures / "grass.bmp").string()), Q((textures / "water.bmp").string())});
        for (const Action& act : test.actions) act(window);
        for (const char* name : test.on)
            EXPECT_TRUE(Find<QCheckBox>(window, name)->isChecked()) << name;
        for (const char* name : test.off) {
            EXPECT_FALSE(Find<QCheckBox>(window, name)->isChecked()) << name;
        }
        for (const char* name : {"filter", "format", "sheet", "tsx", "godot", "godot3", "mapTmx",
                                 "mapTmj", "mapTscn"}) {
            auto* control = Find<QWidget>(window, name);
            const bool held = std::find_if(test.held.begin(), test.held.end(), [&](const char* n) {
                                  return std::string(n) == name;
                              }) != test.held.end();
            EXPECT_EQ(!control->isEnabled(), held) << name;
            EXPECT_FALSE(control->toolTip().isEmpty() && held) << name << ": says why it is held";
        }
        EXPECT_EQ(Find<QComboBox>(window, "format")->currentIndex(), test.png ? 1 : 0);

        const std::string file = folder / "mosaren.toml";
        ASSERT_TRUE(window.SaveProjectAs(Q(file)));
        const cli::ProjectContent saved = cli::ReadProjectContent(file);
        const cli::ProjectContentSet& tiles = saved.sets.at(0);
        EXPECT_EQ(cli::KeyValue(tiles.keys, "filter"), test.filter);
        EXPECT_EQ(cli::KeyValue(tiles.keys, "map"), test.maps);
        for (const auto& [key, value] : test.transitionKeys) {
            EXPECT_EQ(cli::KeyValue(saved.sets.at(1).keys, key), value) << key;
        }

        window.Export();
        EXPECT_EQ(WaitForExport(window), 0) << window.LastExportReport().toStdString();
        const auto exported = FilesUnder(folder.Path() / "tiles");
        for (const char* name : test.files) EXPECT_EQ(exported.count(name), 1u) << name;
        fs::remove_all(folder.Path() / "tiles");
        EXPECT_EQ(RunCli({"build", "--quiet", "mosaren.toml"}, Q(folder.Path().string())), 0);
        const auto built = FilesUnder(folder.Path() / "tiles");
        ASSERT_EQ(built.size(), exported.size());
        for (const auto& [name, bytes] : exported) {
            EXPECT_TRUE(built.count(name) && built.at(name) == bytes) << name;
        }

        StudioWindow reopened(QCoreApplication::applicationFilePath());
        ASSERT_TRUE(reopened.OpenProject(Q(file)));
        EXPECT_TRUE(reopened.Project().Content() == window.Project().Content());
        for (const char* name :
             {"sheet", "tsx", "godot", "godot3", "mapTmx", "mapTmj", "mapTscn"}) {
            EXPECT_EQ(Find<QCheckBox>(reopened, name)->isChecked(),
                      Find<QCheckBox>(window, name)->isChecked())
                << name;
            EXPECT_EQ(Find<QWidget>(reopened, name)->isEnabled(),
                      Find<QWidget>(window, name)->isEnabled())
                << name;
        }
        EXPECT_EQ(Find<QComboBox>(reopened, "filter")->currentIndex(),
                  Find<QComboBox>(window, "filter")->currentIndex());
        EXPECT_EQ(Find<QSpinBox>(reopened, "variants")->value(),
                  Find<QSpinBox>(window, "variants")->value());
        EXPECT_EQ(Find<QDoubleSpinBox>(reopened, "feather")->value(),
                  Find<QDoubleSpinBox>(window, "feather")->value());
        StudioProject applied = reopened.Project();
        reopened.Settings()->Apply(applied);
        EXPECT_TRUE(applied.Content() == reopened.Project().Content())
            << cli::ProjectText(applied.Content());
    }
}

// Switched off, a starter map leaves the set's other maps, whatever they are named, as they were.
TEST(StudioProject, SwitchesAMapKindOffAndOnKeepingTheOtherMaps) {
    StudioProject project;
    project.SetValue("map", "my.TMX,other.tscn");
    EXPECT_TRUE(project.Map("tmx"));
    EXPECT_FALSE(project.Map("tmj"));
    project.SetMap("tmj", true);
    EXPECT_EQ(project.Value("map"), "my.TMX,other.tscn,tiles.tmj");
    project.SetMap("tmx", true);
    EXPECT_EQ(project.Value("map"), "my.TMX,other.tscn,tiles.tmj") << "named already";
    project.SetMap("tscn", false);
    EXPECT_EQ(project.Value("map"), "my.TMX,tiles.tmj");
    project.SetMap("tmx", false);
    project.SetMap("tmj", false);
    EXPECT_EQ(cli::KeyValue(project.Content().sets.at(0).keys, "map"), "") << "the key goes";
}

// One zoom for the tile and the map, the next window opening at the zoom the last one left.
TEST(StudioWindow, OneZoomForBothPanesRememberedForTheNextWindow) {
    constexpr int kZooms[] = {1, 2, 4, 8};
    for (const int index : {3, 0, 2, 1}) {
        SCOPED_TRACE(kZooms[index]);
        {
            StudioWindow window(QCoreApplication::applicationFilePath());
            Find<QComboBox>(window, "zoom")->setCurrentIndex(index);
            EXPECT_EQ(window.TileView()->Zoom(), kZooms[index]);
            EXPECT_EQ(window.MapView()->Zoom(), kZooms[index]);
        }
        StudioWindow next(QCoreApplication::applicationFilePath());
        EXPECT_EQ(Find<QComboBox>(next, "zoom")->currentIndex(), index);
        EXPECT_EQ(next.TileView()->Zoom(), kZooms[index]);
        EXPECT_EQ(next.MapView()->Zoom(), kZooms[index]);
    }
}

// Every text of the settings in Russian: each differs from its English but for the few that are
// the same in both (format names, the size presets).
TEST(StudioTranslations, EverySettingsTextHasItsRussian) {
    const auto texts = [](const char* locale) {
        const auto translations = InstallStudioTranslations(QLocale(QString::fromLatin1(locale)));
        SettingsPanel panel;
        std::map<std::string, QString> found;
        for (QWidget* child : panel.findChildren<QWidget*>()) {
            const std::string name = child->objectName().toStdString();
            const auto add = [&](const char* what, const QString& text) {
                if (!text.isEmpty()) found[name + " " + what] = text;
            };
            add("tooltip", child->property("ownToolTip").toString());
            if (auto* label = qobject_cast<QLabel*>(child)) add("text", label->text());
            if (auto* button = qobject_cast<QAbstractButton*>(child)) add("text", button->text());
            if (auto* group = qobject_cast<QGroupBox*>(child)) add("title", group->title());
            if (auto* line = qobject_cast<QLineEdit*>(child)) add("hint", line->placeholderText());
            if (auto* box = qobject_cast<QComboBox*>(child)) {
                for (int k = 0; k < box->count(); ++k)
                    add(("item " + std::to_string(k)).c_str(), box->itemText(k));
            }
        }
        return found;
    };
    const auto english = texts("en_GB");
    const auto russian = texts("ru_RU");
    ASSERT_EQ(english.size(), russian.size());
    const std::set<QString> same = {QStringLiteral("BMP"), QStringLiteral("…")};
    for (const auto& [where, text] : english) {
        if (same.count(text) || text.contains(QStringLiteral(" × "))) continue;
        EXPECT_NE(russian.at(where).toStdString(), text.toStdString()) << where;
    }
    EXPECT_GT(english.size(), 50u);
}

}  // namespace
}  // namespace mosaren::studio
