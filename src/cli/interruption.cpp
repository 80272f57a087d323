#include "interruption.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <thread>

#include "raster/temporary_names.h"

namespace mosaren::cli {

void RemoveTemporaryFilesOnInterruption() {
    sigset_t taken;
    ::sigemptyset(&taken);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler != SIG_IGN) {
            ::sigaddset(&taken, signal);
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

}  // namespace mosaren::cli
