#pragma once

// Makes the graphics layer refuse one kind of operation for a test, as a system short of
// resources would: the switches live here and reach the layer through its fault probe.

#include <array>
#include <atomic>
#include <cstddef>

#include "raster/graphics/graphics.h"

namespace mosaren::testing {

class ScopedFault {
public:
    explicit ScopedFault(gdi::Fault fault) : mFault(fault) {
        gdi::InstallFaultProbe(&Probe);
        Switch(mFault) = true;
    }
    ~ScopedFault() { Switch(mFault) = false; }
    ScopedFault(const ScopedFault&) = delete;
    ScopedFault& operator=(const ScopedFault&) = delete;

private:
    static std::atomic<bool>& Switch(gdi::Fault fault) {
        static std::array<std::atomic<bool>, 3> switches{};
        return switches[static_cast<std::size_t>(fault)];
    }
    static bool Probe(gdi::Fault fault) { return Switch(fault); }

    gdi::Fault mFault;
};

}  // namespace mosaren::testing
