#pragma once

// What the fuzzer and the replay test do with one input: read it as a BMP file and, when that
// works, touch every pixel the way the program does (conversion to 24 bits), so that a fault in
// the pixel paths behind the reader shows too. The program's own failures are expected; any
// other exception, a crash or a sanitizer report is a finding.

#include <cstddef>
#include <cstdint>
#include <span>

#include "raster/bitmap.h"
#include "raster/bmp_reader.h"
#include "raster/byte_stream.h"
#include "raster/exceptions.h"

namespace mosaren::fuzz {

inline void ReadBmpAndDiscard(std::span<const std::uint8_t> bytes) {
    TBitmap bitmap;
    MemoryInputStream stream(bytes);
    try {
        ReadBmp(bitmap, stream, bytes.size());
        // Converting a picture of millions of pixels finds nothing a small one does not, and
        // would slow the fuzzer down.
        if (std::int64_t{bitmap.ImageWidth()} * bitmap.ImageHeight() <= (1 << 20)) {
            bitmap.ConvertDepth(TPixelDepth::Depth24);
        }
    } catch (const Exception&) {
    }
}

}  // namespace mosaren::fuzz
