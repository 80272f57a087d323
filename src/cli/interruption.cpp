#include "interruption.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "raster/temporary_names.h"

namespace mosaren::cli {

namespace {

// Whether the thread of the signals takes SIGPIPE (it was not ignored when the program started).
std::atomic<bool> pipeTaken{false};

}  // namespace

void RemoveTemporaryFilesOnInterruption() {
    sigset_t taken;
    ::sigemptyset(&taken);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler != SIG_IGN) {
            ::sigaddset(&taken, signal);
            if (signal == SIGPIPE) pipeTaken = true;
        }
    }
    ::pthread_sigmask(SIG_BLOCK, &taken, nullptr);
    std::thread([taken] {
        int signal = 0;
        if (::sigwait(&taken, &signal) != 0) return;
        temporary_names::RemoveAllAndHold();
        // Ended by the signal itself, so that whoever waits for the process learns why.
        ::signal(signal, SIG_DFL);
        sigset_t only;
        ::sigemptyset(&only);
        ::sigaddset(&only, signal);
        ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
        ::raise(signal);
        ::_exit(128 + signal);
    }).detach();
}

void EndAsBrokenPipe() {
    if (pipeTaken) {
        // Sent to the process, not to this thread: the thread that waits for the signals takes
        // it and ends the process; this one waits for that.
        ::kill(::getpid(), SIGPIPE);
        // Should that thread be gone, the run still ends, with the status the signal gives.
        for (int wait = 0; wait < 500; ++wait) ::usleep(10000);
        ::_exit(128 + SIGPIPE);
    }
    // The signal was ignored when the program started: the run ends all the same.
    temporary_names::RemoveAllAndHold();
    ::_exit(1);
}

}  // namespace mosaren::cli
