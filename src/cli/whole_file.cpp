#include "whole_file.h"

#include "raster/bmp_atomic_file.h"
#include "raster/byte_stream.h"
#include "raster/exceptions.h"

namespace mosaren::cli {

void ReplaceFileWithBytes(const std::string& fileName, const void* bytes, std::size_t count) {
    ReplaceFileWith(fileName, [bytes, count](OutputStream& stream) {
        if (stream.Write(bytes, count) != count) throw EWriteError(messages::kStreamWrite);
    });
}

}  // namespace mosaren::cli
