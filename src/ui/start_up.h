#pragma once

// Start-up: the application with its title, the main window, the About box and the parameters
// dialog, made in that order, only the main window shown, and the message loop until the main
// window closes.

#include <functional>
#include <memory>

#include "main_window.h"

namespace mosaren {

class TfrmAbout;
class TfrmParam;

struct TWindows {
    std::unique_ptr<TForm1> Form1;
    // Owned by Form1 and hidden until their buttons show them; they keep their state all run.
    TfrmAbout* frmAbout = nullptr;
    TfrmParam* frmParam = nullptr;
};

TWindows BuildWindows(TTileSettings& settings, const FileDialogFactory& makeDialogs);

// Builds the windows and runs the message loop; returns the exit code. A failure while the
// windows are built is shown in the "Application Error" box and ends the run with 1.
int RunWindows(const std::function<TWindows()>& build);

// The bits per pixel the device images are kept in, for a screen of the given depth: 16 stays,
// 24 is stored in 32-bit pixels, and anything else is taken as 32.
int DisplayDepthFor(int screenDepth);

// The whole program, from main.
int RunMosaren(int argc, char** argv);

}  // namespace mosaren
