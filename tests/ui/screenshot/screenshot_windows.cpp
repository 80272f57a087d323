// Takes the pictures of the program's windows for the documentation: the program's own windows,
// built as start-up builds them, make a tile from a paving-stone texture through the "Тайл"
// button (the dialogs answered by a script), and the main window is grabbed as it is then
// drawn; then the About box and the parameters dialog, with division ticked so that the piece
// group shows, are opened from their buttons and grabbed.
//
//   mosaren_screenshot DOCS_FOLDER WORK_FOLDER

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QScreen>
#include <QThread>
#include <cstdint>
#include <cstdio>

#include "raster/bitmap.h"
#include "raster/bmp_writer.h"
#include "raster/canvas.h"
#include "raster/display_depth.h"
#include "support/scripted_dialog.h"
#include "ui/about_box.h"
#include "ui/application.h"
#include "ui/param_dialog.h"
#include "ui/resources.h"
#include "ui/start_up.h"

namespace {

using mosaren::Rgb;
using mosaren::TColor;

std::uint32_t Noise(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
    std::uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

// Paving stones in offset rows, each stone its own shade, with dark joints and some grain.
TColor Paving(int x, int y) {
    constexpr int kStoneWidth = 32;
    constexpr int kStoneHeight = 21;
    const int row = y / kStoneHeight;
    const int shifted = x + (row % 2) * kStoneWidth / 2;
    const int column = shifted / kStoneWidth;
    const int inX = shifted % kStoneWidth;
    const int inY = y % kStoneHeight;
    const std::uint32_t grain = Noise(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 7) % 24;
    if (inX < 2 || inY < 2) {
        const int joint = 60 + static_cast<int>(grain);
        return Rgb(static_cast<std::uint8_t>(joint), static_cast<std::uint8_t>(joint - 8),
                   static_cast<std::uint8_t>(joint - 16));
    }
    const std::uint32_t stone = Noise(static_cast<std::uint32_t>(column), static_cast<std::uint32_t>(row), 3) % 60;
    // Light from the upper left: a brighter rim on the stone's upper and left edges.
    const int rim = (inX < 4 || inY < 4) ? 25 : 0;
    const int base = 120 + static_cast<int>(stone) + static_cast<int>(grain) + rim;
    const auto clamp = [](int v) { return static_cast<std::uint8_t>(v > 255 ? 255 : v); };
    return Rgb(clamp(base + 10), clamp(base), clamp(base - 25));
}

void WriteTexture(const std::string& path) {
    mosaren::TBitmap texture;
    texture.SetImageWidth(128);
    texture.SetImageHeight(128);
    mosaren::TCanvas& canvas = texture.DrawingSurface();
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) canvas.WritePixel(x, y, Paving(x, y));
    }
    mosaren::WriteBmpFile(texture, path);
}

void Settle() {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}

void Click(QWidget& window, const char* button) {
    window.findChild<QAbstractButton*>(QString::fromLatin1(button))->click();
    Settle();
}

// Writes the window's client area as docs/NAME and says so; false when it cannot be written.
bool Grab(QWidget& window, const QDir& docs, const char* name) {
    const QString path = docs.filePath(QString::fromLatin1(name));
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "mosaren_screenshot: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s: %dx%d\n", qPrintable(path), window.width(), window.height());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mosaren_screenshot DOCS_FOLDER WORK_FOLDER\n");
        return 2;
    }
    mosaren::TApplication application(argc, argv);
    mosaren::SetApplicationTitle(QStringLiteral("Mosaren"));
    mosaren::LoadResources();
    const QScreen* screen = QGuiApplication::primaryScreen();
    mosaren::SetDisplayDepth(mosaren::DisplayDepthFor(screen ? screen->depth() : 32));

    const QDir docs(QString::fromLocal8Bit(argv[1]));
    const QDir work(QString::fromLocal8Bit(argv[2]));
    const std::string texture = work.filePath(QStringLiteral("paving.bmp")).toStdString();
    const std::string tile = work.filePath(QStringLiteral("paving-tile")).toStdString();
    WriteTexture(texture);

    mosaren::testing_ui::ScriptedDialog* open = nullptr;
    mosaren::testing_ui::ScriptedDialog* save = nullptr;
    mosaren::TTileSettings& settings = mosaren::TileSettings();
    mosaren::TWindows windows = mosaren::BuildWindows(settings, [&](QWidget&) {
        mosaren::TFileDialogs dialogs;
        auto openDialog = std::make_unique<mosaren::testing_ui::ScriptedDialog>();
        auto saveDialog = std::make_unique<mosaren::testing_ui::ScriptedDialog>();
        open = openDialog.get();
        save = saveDialog.get();
        dialogs.OpenDialog = std::move(openDialog);
        dialogs.SaveDialog = std::move(saveDialog);
        dialogs.AllDialog = std::make_unique<mosaren::testing_ui::ScriptedDialog>();
        return dialogs;
    });
    mosaren::SetMainWindow(windows.Form1.get());
    windows.Form1->show();
    Settle();

    open->WillAccept({texture});
    save->WillAccept({tile});
    Click(*windows.Form1, "Load");
    bool written = Grab(*windows.Form1, docs, "screenshot-main-window.png");

    Click(*windows.Form1, "About");
    written = Grab(*windows.frmAbout, docs, "screenshot-about-box.png") && written;

    Click(*windows.Form1, "SpeedButton4");
    windows.frmParam->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->setChecked(true);
    Settle();
    written = Grab(*windows.frmParam, docs, "screenshot-parameters.png") && written;

    mosaren::SetMainWindow(nullptr);
    return written ? 0 : 1;
}
