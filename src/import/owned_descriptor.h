#pragma once

// A texture source's own descriptor of its file, taken from the one that opened it, so that the
// source may read the file again for as long as it lives.

#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "picture_import.h"
#include "raster/exceptions.h"

namespace mosaren {

class OwnedDescriptor {
public:
    explicit OwnedDescriptor(int descriptor) : mDescriptor(::fcntl(descriptor, F_DUPFD_CLOEXEC, 0)) {
        if (mDescriptor < 0) {
            throw EInvalidGraphic(std::string(kUnreadablePicture) + ": the file cannot be read");
        }
    }
    ~OwnedDescriptor() { ::close(mDescriptor); }
    OwnedDescriptor(const OwnedDescriptor&) = delete;
    OwnedDescriptor& operator=(const OwnedDescriptor&) = delete;

    int Get() const { return mDescriptor; }

private:
    int mDescriptor;
};

}  // namespace mosaren
