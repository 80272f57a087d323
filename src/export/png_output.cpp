#include "png_output.h"

#include <png.h>

#include <csetjmp>

#include "raster/byte_stream.h"
#include "raster/exceptions.h"
#include "raster/file_replacement.h"

namespace mosaren {

namespace {

// libpng's errors end in a jump back to the call that was running, with the reason kept.
void Error(png_structp png, png_const_charp message) {
    static_cast<std::string*>(png_get_error_ptr(png))->assign(message);
    png_longjmp(png, 1);
}
void Warning(png_structp, png_const_charp) {}
void Flush(png_structp) {}

}  // namespace

void PngRowWriter::Put(png_struct_def* png, unsigned char* data, std::size_t count) {
    auto* writer = static_cast<PngRowWriter*>(png_get_io_ptr(png));
    if (writer->mStreamFailure) return;
    try {
        WriteWhole(writer->mStream, data, count);
    } catch (...) {
        writer->mStreamFailure = std::current_exception();
    }
}

// The layout of the simplified API's 8-bit RGBA picture (png_image_write): an sRGB chunk and
// libpng's default filtering and compression, so that both give the same bytes.
PngRowWriter::PngRowWriter(OutputStream& stream, std::int32_t width, std::int32_t height)
    : mStream(stream) {
    mPng = png_create_write_struct(PNG_LIBPNG_VER_STRING, &mReason, Error, Warning);
    if (mPng == nullptr) throw EInvalidGraphic("Cannot encode PNG: out of memory");
    mInfo = png_create_info_struct(mPng);
    if (setjmp(png_jmpbuf(mPng))) Refused();
    if (mInfo == nullptr) png_error(mPng, "out of memory");
    png_set_write_fn(mPng, this, Put, Flush);
    png_set_IHDR(mPng, mInfo, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
                 PNG_FILTER_TYPE_BASE);
    png_set_sRGB(mPng, mInfo, PNG_sRGB_INTENT_PERCEPTUAL);
    png_write_info(mPng, mInfo);
}

PngRowWriter::~PngRowWriter() { png_destroy_write_struct(&mPng, &mInfo); }

void PngRowWriter::WriteRow(const Rgba* row) {
    if (setjmp(png_jmpbuf(mPng))) Refused();
    png_write_row(mPng, reinterpret_cast<png_const_bytep>(row));
}

void PngRowWriter::Finish() {
    if (setjmp(png_jmpbuf(mPng))) Refused();
    png_write_end(mPng, mInfo);
    if (mStreamFailure) std::rethrow_exception(mStreamFailure);
}

void PngRowWriter::Refused() {
    // The writer is spent; the destructor has nothing left to free.
    png_destroy_write_struct(&mPng, &mInfo);
    throw EInvalidGraphic("Cannot encode PNG: " + mReason);
}

std::vector<std::uint8_t> EncodePng(const RgbaImage& image) {
    MemoryOutputStream stream;
    PngRowWriter png(stream, image.Width(), image.Height());
    for (std::int32_t y = 0; y < image.Height(); ++y) png.WriteRow(&image.At(0, y));
    png.Finish();
    return stream.Bytes();
}

void WritePngFile(const RgbaImage& image, const std::string& fileName) {
    // Encoded first, so that a refusal leaves no temporary file to clear away.
    const std::vector<std::uint8_t> bytes = EncodePng(image);
    ReplaceFileWithBytes(fileName, bytes.data(), bytes.size());
}

std::string PngTileName(const std::string& bmpName) {
    return bmpName.substr(0, bmpName.size() - 4) + ".png";
}

}  // namespace mosaren
