#include "start_up.h"

#include <dlfcn.h>

#include <QScreen>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "about_box.h"
#include "application.h"
#include "error_box.h"
#include "param_dialog.h"
#include "qt_translations.h"
#include "raster/display_depth.h"
#include "resources.h"

namespace mosaren {

namespace {

// Where the routine that failed lies within the program file, as the "Application Error" box
// names it: the failure itself carries no address, so the box names the start-up step.
quintptr ModuleOffset(std::uintptr_t code) {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(code), &info) == 0 || !info.dli_fbase) return code;
    return code - reinterpret_cast<std::uintptr_t>(info.dli_fbase);
}

bool HasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

}  // namespace

TWindows BuildWindows(TTileSettings& settings, const FileDialogFactory& makeDialogs) {
    TWindows windows;
    windows.Form1 = std::make_unique<TForm1>(settings, makeDialogs);
    windows.frmAbout = new TfrmAbout(windows.Form1.get());
    windows.frmParam = new TfrmParam(settings, windows.Form1.get());
    windows.Form1->SetSecondaryWindows(windows.frmAbout, windows.frmParam);
    return windows;
}

int RunWindows(const std::function<TWindows()>& build) {
    TWindows windows;
    try {
        windows = build();
    } catch (const std::exception&) {
        ShowApplicationErrorBox(std::current_exception(),
                                ModuleOffset(reinterpret_cast<std::uintptr_t>(&BuildWindows)));
        return 1;
    }
    SetMainWindow(windows.Form1.get());
    QObject::connect(windows.Form1.get(), &TForm1::Closed, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    windows.Form1->show();
    const int code = QCoreApplication::exec();
    SetMainWindow(nullptr);
    return code;
}

int DisplayDepthFor(int screenDepth) { return screenDepth == 16 ? 16 : 32; }

int RunMosaren(int argc, char** argv) {
    if (!HasDisplay()) {
        std::fputs("mosaren: no display to show the windows on (DISPLAY is not set); "
                   "mosaren-cli makes tiles without one\n",
                   stderr);
        return 1;
    }
    TApplication application(argc, argv);
    SetApplicationTitle(QStringLiteral("Mosaren"));
    QGuiApplication::setDesktopFileName(QStringLiteral("mosaren"));
    LoadResources();
    const std::unique_ptr<QTranslator> qtTexts = InstallQtTranslations(QLocale::system());
    const QScreen* screen = QGuiApplication::primaryScreen();
    SetDisplayDepth(DisplayDepthFor(screen ? screen->depth() : 32));
    return RunWindows([] { return BuildWindows(TileSettings(), MakeQtFileDialogs); });
}

}  // namespace mosaren
