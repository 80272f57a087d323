// libFuzzer entry point for the TGA reader: any bytes give a picture or the reader's failure
// (EInvalidGraphic), never a crash, a sanitizer report or a read outside the bytes.

#include <cstddef>
#include <cstdint>

#include "import/tga_reader.h"
#include "raster/exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const mosaren::DecodedPicture picture = mosaren::ReadTga({data, size});
        (void)picture;
    } catch (const mosaren::EInvalidGraphic&) {
    }
    return 0;
}
