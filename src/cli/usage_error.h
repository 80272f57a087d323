#pragma once

#include "raster/exceptions.h"

namespace mosaren::cli {

// A command line the program cannot act on: the message names the option or argument at fault.
// Ends the run with exit code 2, before any file is touched.
class EUsageError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EUsageError"; }
};

}  // namespace mosaren::cli
