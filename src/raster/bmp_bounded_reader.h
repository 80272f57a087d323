#pragma once

// The one way the BMP reader takes bytes from its stream. It knows how many bytes of file are
// left (the byte count the caller gave) and never asks the stream for more, so no read can run
// past the file, whatever its headers claim.

#include <cstddef>
#include <cstdint>

namespace mosaren {

class InputStream;

class BmpBoundedReader {
public:
    BmpBoundedReader(InputStream& stream, std::uint64_t count) : mStream(stream), mRemaining(count) {}

    std::uint64_t Remaining() const { return mRemaining; }
    // Bytes taken so far: the offset from the start of the file.
    std::uint64_t Position() const { return mPosition; }

    // Reads count bytes; false (with the bytes that did arrive consumed) when the file has fewer.
    bool TryRead(void* buffer, std::size_t count);
    // Reads count bytes whole, else raises "Stream read error".
    void ReadWhole(void* buffer, std::size_t count);
    // Skips count bytes; false when the file has fewer.
    bool TrySkip(std::uint64_t count);

private:
    std::size_t Take(void* buffer, std::size_t count);

    InputStream& mStream;
    std::uint64_t mRemaining;
    std::uint64_t mPosition = 0;
};

}  // namespace mosaren
