// Drives the real program on an X display as a user would: starts it, waits until its window
// "Mosaren 1.5" is on the screen, clicks "Выход" and expects the program to end with 0.
// Exit codes: 0 passed, 1 failed, 77 no X display could be opened.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <thread>

namespace {

constexpr const char* kCaption = "Mosaren 1.5";
// The middle of "Выход" in the window's client area: the button column starts 8 pixels above
// the window, the button 232 pixels down it and 8 across, 97 × 41.
constexpr int kExitX = 8 + 97 / 2;
constexpr int kExitY = -8 + 232 + 41 / 2;

std::optional<Window> FindViewable(Display* display, Window window, const char* name) {
    char* windowName = nullptr;
    if (XFetchName(display, window, &windowName) && windowName) {
        const bool same = std::strcmp(windowName, name) == 0;
        XFree(windowName);
        XWindowAttributes attributes;
        if (same && XGetWindowAttributes(display, window, &attributes) &&
            attributes.map_state == IsViewable) {
            return window;
        }
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return std::nullopt;
    std::optional<Window> found;
    for (unsigned i = 0; i < count && !found; ++i) found = FindViewable(display, children[i], name);
    if (children) XFree(children);
    return found;
}

// The XTest calls, from the library the X utilities already bring along.
struct XTest {
    using Motion = int (*)(Display*, int, int, int, unsigned long);
    using Button = int (*)(Display*, unsigned, int, unsigned long);
    Motion motion = nullptr;
    Button button = nullptr;
};

std::optional<XTest> LoadXTest() {
    void* library = dlopen("libXtst.so.6", RTLD_NOW);
    if (!library) return std::nullopt;
    XTest xtest;
    xtest.motion = reinterpret_cast<XTest::Motion>(dlsym(library, "XTestFakeMotionEvent"));
    xtest.button = reinterpret_cast<XTest::Button>(dlsym(library, "XTestFakeButtonEvent"));
    if (!xtest.motion || !xtest.button) return std::nullopt;
    return xtest;
}

std::optional<int> WaitForExit(pid_t child, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
}

int Fail(pid_t child, const char* why) {
    std::fprintf(stderr, "x_session_driver: %s\n", why);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: x_session_driver PROGRAM\n");
        return 1;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x_session_driver: no X display\n");
        return 77;
    }
    const std::optional<XTest> xtest = LoadXTest();
    if (!xtest) {
        std::fprintf(stderr, "x_session_driver: libXtst.so.6 is missing\n");
        return 1;
    }

    const pid_t child = fork();
    if (child == 0) {
        execl(argv[1], argv[1], static_cast<char*>(nullptr));
        _exit(127);
    }

    std::optional<Window> window;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!window && std::chrono::steady_clock::now() < end) {
        if (WaitForExit(child, std::chrono::seconds(0))) {
            return Fail(child, "the program ended before its window showed");
        }
        window = FindViewable(display, DefaultRootWindow(display), kCaption);
        if (!window) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!window) return Fail(child, "no window \"Mosaren 1.5\" appeared");
    std::printf("window \"%s\" is up\n", kCaption);
    // Give the program a moment to finish painting before the click.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));

    int x = 0;
    int y = 0;
    Window unused = 0;
    XTranslateCoordinates(display, *window, DefaultRootWindow(display), kExitX, kExitY, &x, &y,
                          &unused);
    xtest->motion(display, -1, x, y, 0);
    XFlush(display);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    xtest->button(display, 1, True, 0);
    xtest->button(display, 1, False, 0);
    XFlush(display);

    const std::optional<int> code = WaitForExit(child, std::chrono::seconds(30));
    XCloseDisplay(display);
    if (!code) return Fail(child, "the program did not end after \"Выход\"");
    if (*code != 0) {
        std::fprintf(stderr, "x_session_driver: the program ended with %d\n", *code);
        return 1;
    }
    std::printf("closed with \"Выход\", exit code 0\n");
    return 0;
}
