#pragma once

// A small tmpfs mounted on a folder for one test: a real file system that can be filled up or
// made read-only. Mounting needs root (the test machines run as root); where it is refused,
// Mounted() is false and the test skips.

#include <sys/mount.h>

#include <cstddef>
#include <filesystem>
#include <string>

namespace mosaren::testing {

class ScopedTmpfs {
public:
    ScopedTmpfs(const std::filesystem::path& at, std::size_t bytes)
        : mPath(at), mOptions("size=" + std::to_string(bytes)) {
        mMounted =
            ::mount("tmpfs", mPath.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, mOptions.c_str()) == 0;
    }
    ~ScopedTmpfs() {
        if (mMounted) ::umount2(mPath.c_str(), MNT_DETACH);
    }
    ScopedTmpfs(const ScopedTmpfs&) = delete;
    ScopedTmpfs& operator=(const ScopedTmpfs&) = delete;

    bool Mounted() const { return mMounted; }

    // Nothing on it can be created, changed or removed afterwards, not even by root.
    bool MakeReadOnly() {
        return ::mount("tmpfs", mPath.c_str(), "tmpfs",
                       MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, mOptions.c_str()) == 0;
    }

private:
    std::filesystem::path mPath;
    std::string mOptions;
    bool mMounted = false;
};

}  // namespace mosaren::testing
