// libFuzzer entry point for the BMP reader.

#include "bmp_read_one.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    mosaren::fuzz::ReadBmpAndDiscard({data, size});
    return 0;
}
