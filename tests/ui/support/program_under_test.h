#pragma once

// The program's windows as start-up builds them, with file dialogs that answer from a script.

#include <QApplication>

#include "scripted_dialog.h"
#include "tiling/tile_settings.h"
#include "ui/about_box.h"
#include "ui/application.h"
#include "ui/param_dialog.h"
#include "ui/start_up.h"

namespace mosaren::testing_ui {

struct ProgramUnderTest {
    ProgramUnderTest() {
        windows = BuildWindows(settings, [this](QWidget&) {
            TFileDialogs dialogs;
            auto openDialog = std::make_unique<ScriptedDialog>();
            auto saveDialog = std::make_unique<ScriptedDialog>();
            auto allDialog = std::make_unique<ScriptedDialog>();
            open = openDialog.get();
            save = saveDialog.get();
            all = allDialog.get();
            dialogs.OpenDialog = std::move(openDialog);
            dialogs.SaveDialog = std::move(saveDialog);
            dialogs.AllDialog = std::move(allDialog);
            return dialogs;
        });
        SetMainWindow(windows.Form1.get());
    }
    ~ProgramUnderTest() { SetMainWindow(nullptr); }

    TForm1& Form1() { return *windows.Form1; }
    // Shows the main window as start-up does and lets it settle.
    void Start() {
        windows.Form1->show();
        QApplication::processEvents();
    }

    TTileSettings settings;
    ScriptedDialog* open = nullptr;
    ScriptedDialog* save = nullptr;
    ScriptedDialog* all = nullptr;
    TWindows windows;
};

}  // namespace mosaren::testing_ui
