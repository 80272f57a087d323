#include "byte_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "exceptions.h"

namespace mosaren {

void WriteWhole(OutputStream& stream, const void* bytes, std::size_t count) {
    if (stream.Write(bytes, count) != count) throw EWriteError(messages::kStreamWrite);
}

std::size_t MemoryInputStream::Read(void* buffer, std::size_t count) {
    const std::size_t taken = std::min(count, mBytes.size() - mPosition);
    if (taken > 0) {
        std::memcpy(buffer, mBytes.data() + mPosition, taken);
        mPosition += taken;
    }
    return taken;
}

std::size_t MemoryOutputStream::Write(const void* buffer, std::size_t count) {
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    mBytes.insert(mBytes.end(), bytes, bytes + count);
    return count;
}

FileInputStream::FileInputStream(const std::string& fileName) {
    // O_NOCTTY and the regular-file check keep a device or a folder of that name from being
    // "read": a texture is always a plain file. O_NONBLOCK keeps the open itself from waiting:
    // opening a FIFO for reading would otherwise wait for a writer that may never come. It
    // changes nothing for a plain file, and is cleared once the file is known to be one.
    mFd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (mFd < 0) throw CannotOpenFile(fileName);
    struct stat info {};
    if (::fstat(mFd, &info) != 0 || !S_ISREG(info.st_mode) ||
        ::fcntl(mFd, F_SETFL, O_RDONLY) != 0) {
        ::close(mFd);
        mFd = -1;
        throw CannotOpenFile(fileName);
    }
    mSize = static_cast<std::uint64_t>(info.st_size);
}

FileInputStream::~FileInputStream() {
    if (mFd >= 0) ::close(mFd);
}

std::size_t FileInputStream::Read(void* buffer, std::size_t count) {
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        const ssize_t got = ::read(mFd, bytes + total, count - total);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        total += static_cast<std::size_t>(got);
    }
    return total;
}

std::size_t FileInputStream::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) {
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        const ssize_t got =
            ::pread(mFd, bytes + total, count - total, static_cast<off_t>(offset + total));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        total += static_cast<std::size_t>(got);
    }
    return total;
}

std::size_t FileOutputStream::Write(const void* buffer, std::size_t count) {
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        const ssize_t put = ::write(mFd, bytes + total, count - total);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            // A write that takes nothing without a reason has met the end of the disk's space.
            mError = put < 0 ? errno : ENOSPC;
            break;
        }
        total += static_cast<std::size_t>(put);
    }
    return total;
}

}  // namespace mosaren
