#pragma once

// Byte streams for the BMP reader and writer. Each call asks for a number of bytes and learns
// how many were taken; reading or writing "whole" is the caller's check.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mosaren {

class InputStream {
public:
    virtual ~InputStream() = default;
    // Reads up to count bytes into buffer; returns how many arrived (0 at the end).
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
};

class OutputStream {
public:
    virtual ~OutputStream() = default;
    // Writes up to count bytes; returns how many were taken.
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
};

// Writes count bytes whole, else raises "Stream write error".
void WriteWhole(OutputStream& stream, const void* bytes, std::size_t count);

class MemoryInputStream final : public InputStream {
public:
    explicit MemoryInputStream(std::span<const std::uint8_t> bytes) : mBytes(bytes) {}
    std::size_t Read(void* buffer, std::size_t count) override;

private:
    std::span<const std::uint8_t> mBytes;
    std::size_t mPosition = 0;
};

class MemoryOutputStream final : public OutputStream {
public:
    std::size_t Write(const void* buffer, std::size_t count) override;
    const std::vector<std::uint8_t>& Bytes() const { return mBytes; }

private:
    std::vector<std::uint8_t> mBytes;
};

// A file opened for reading; the descriptor is closed by the destructor.
class FileInputStream final : public InputStream {
public:
    // Raises "Cannot open file %s" when the file cannot be opened for reading.
    explicit FileInputStream(const std::string& fileName);
    ~FileInputStream() override;
    FileInputStream(const FileInputStream&) = delete;
    FileInputStream& operator=(const FileInputStream&) = delete;

    std::size_t Read(void* buffer, std::size_t count) override;
    // Reads up to count bytes from offset without moving the stream's position; returns how
    // many arrived (fewer only at the end of the file or on a read error).
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count);
    std::uint64_t Size() const { return mSize; }

private:
    int mFd = -1;
    std::uint64_t mSize = 0;
};

// Writes to an open file descriptor that the stream does not own. A write is retried after an
// interruption and after a partial write, so fewer bytes than asked means the file refused them
// (a full disk, an I/O error).
class FileOutputStream final : public OutputStream {
public:
    explicit FileOutputStream(int fd) : mFd(fd) {}
    std::size_t Write(const void* buffer, std::size_t count) override;
    // The system's reason (an errno value) why a write took less than it was given; 0 while
    // every write was whole.
    int Error() const { return mError; }

private:
    int mFd;
    int mError = 0;
};

}  // namespace mosaren
