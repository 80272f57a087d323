#include "bmp_bounded_reader.h"

#include <algorithm>
#include <array>

#include "byte_stream.h"
#include "exceptions.h"

namespace mosaren {

std::size_t BmpBoundedReader::Take(void* buffer, std::size_t count) {
    const std::size_t asked = static_cast<std::size_t>(std::min<std::uint64_t>(count, mRemaining));
    const std::size_t got = asked == 0 ? 0 : mStream.Read(buffer, asked);
    const std::size_t taken = std::min(got, asked);  // a stream that claims more is not believed
    mRemaining -= taken;
    mPosition += taken;
    // A stream that ends before the count promised has no more to give: stop asking.
    if (taken < asked) mRemaining = 0;
    return taken;
}

bool BmpBoundedReader::TryRead(void* buffer, std::size_t count) {
    return Take(buffer, count) == count;
}

void BmpBoundedReader::ReadWhole(void* buffer, std::size_t count) {
    if (!TryRead(buffer, count)) throw EReadError(messages::kStreamRead);
}

bool BmpBoundedReader::TrySkip(std::uint64_t count) {
    if (count > mRemaining) return false;
    std::array<std::uint8_t, 4096> scratch;
    while (count > 0) {
        const std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(count, scratch.size()));
        if (Take(scratch.data(), chunk) != chunk) return false;
        count -= chunk;
    }
    return true;
}

}  // namespace mosaren
