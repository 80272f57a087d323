#pragma once

// PNG files of RGBA images, 8 bits per channel with alpha, through libpng.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "rgba_image.h"

struct png_struct_def;
struct png_info_def;

namespace mosaren {

class OutputStream;

// A PNG picture written to a stream row by row from the top, so that a picture far larger than
// what is held in memory at once can be written. The bytes are the same as EncodePng's of the
// whole picture. Raises EInvalidGraphic with libpng's reason if it refuses, and the stream's
// own failure ("Stream write error") once the rows are finished.
class PngRowWriter {
public:
    PngRowWriter(OutputStream& stream, std::int32_t width, std::int32_t height);
    ~PngRowWriter();
    PngRowWriter(const PngRowWriter&) = delete;
    PngRowWriter& operator=(const PngRowWriter&) = delete;

    // The next row: width pixels.
    void WriteRow(const Rgba* row);
    // After the last row.
    void Finish();

private:
    // libpng's output: into the stream, whose failure is kept for Finish, since nothing may be
    // thrown through libpng.
    static void Put(png_struct_def* png, unsigned char* data, std::size_t count);
    [[noreturn]] void Refused();

    png_struct_def* mPng = nullptr;
    png_info_def* mInfo = nullptr;
    OutputStream& mStream;
    std::exception_ptr mStreamFailure;
    std::string mReason;
};

// The PNG bytes of the image. Raises EInvalidGraphic with libpng's reason if it refuses.
std::vector<std::uint8_t> EncodePng(const RgbaImage& image);

// Creates or replaces the file, as tiles are replaced: the old file goes only once the whole new
// one is written ("Cannot create file %s", "Stream write error").
void WritePngFile(const RgbaImage& image, const std::string& fileName);

// The PNG name of a tile that the tile commands name "....bmp": the same name with ".png" in its
// place.
std::string PngTileName(const std::string& bmpName);

}  // namespace mosaren
