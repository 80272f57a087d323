#pragma once

// Saves the floating-point environment (rounding mode, precision, exception masks) and puts it
// back when it goes out of scope: a platform dialog may change it, and the tile computations
// after the dialog must round as before.

#include <cfenv>

namespace mosaren {

class TFloatingPointGuard {
public:
    TFloatingPointGuard() { std::fegetenv(&mEnvironment); }
    ~TFloatingPointGuard() { std::fesetenv(&mEnvironment); }
    TFloatingPointGuard(const TFloatingPointGuard&) = delete;
    TFloatingPointGuard& operator=(const TFloatingPointGuard&) = delete;

private:
    std::fenv_t mEnvironment;
};

}  // namespace mosaren
