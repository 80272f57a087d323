#include "png_source.h"

#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "colour_profile.h"
#include "decoder_messages.h"
#include "owned_descriptor.h"
#include "picture_bounds.h"
#include "picture_import.h"
#include "raster/bitmap.h"
#include "raster/exceptions.h"

namespace mosaren {

namespace {

// One decoding of the file, from its first byte: libpng's state, and what libpng said.
class PngPass {
public:
    PngPass(int descriptor, DecoderMessages& messages)
        : mDescriptor(descriptor), mMessages(messages) {
        mPng = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
        if (mPng) mInfo = png_create_info_struct(mPng);
        if (!mPng || !mInfo) throw std::bad_alloc();
        png_set_read_fn(mPng, this, OnRead);
    }
    ~PngPass() { png_destroy_read_struct(&mPng, &mInfo, nullptr); }
    PngPass(const PngPass&) = delete;
    PngPass& operator=(const PngPass&) = delete;

    png_structp Png() const { return mPng; }
    png_infop Info() const { return mInfo; }

    // Runs step, in which libpng may fail; its failure becomes the picture's. Nothing that step
    // makes may need destroying: libpng's failure leaves it by a long jump.
    template <class Step>
    void Run(Step&& step) {
        if (!Guarded(mPng, step)) {
            throw EInvalidGraphic(std::string(kUnreadablePicture) + ": " +
                                  mMessages.With(mError[0] ? mError : "libpng failed"));
        }
    }

    // The header read and libpng set to hand out each row as 0xAARRGGBB words.
    void ReadHeader() {
        Run([this] {
            png_read_info(mPng, mInfo);
            png_set_expand(mPng);
            png_set_scale_16(mPng);
            png_set_gray_to_rgb(mPng);
            png_set_bgr(mPng);
            png_set_filler(mPng, 0xFF, PNG_FILLER_AFTER);
            mPasses = png_set_interlace_handling(mPng);
            png_read_update_info(mPng, mInfo);
        });
    }
    int Passes() const { return mPasses; }

private:
    template <class Step>
    static bool Guarded(png_structp png, Step& step) {
        if (setjmp(png_jmpbuf(png))) return false;
        step();
        return true;
    }

    static void OnError(png_structp png, png_const_charp text) {
        auto* pass = static_cast<PngPass*>(png_get_error_ptr(png));
        std::snprintf(pass->mError, sizeof pass->mError, "%s", text);
        png_longjmp(png, 1);
    }
    static void OnWarning(png_structp png, png_const_charp text) {
        auto* pass = static_cast<PngPass*>(png_get_error_ptr(png));
        try {
            pass->mMessages.Add(std::string("libpng warning: ") + text);
        } catch (...) {
        }
    }
    // libpng asks for a few bytes at a time (a chunk's length, its type, its CRC): the file is
    // read in large blocks, which it is handed from.
    static void OnRead(png_structp png, png_bytep data, png_size_t length) {
        auto* pass = static_cast<PngPass*>(png_get_io_ptr(png));
        while (length > 0) {
            if (pass->mNext == pass->mEnd) {
                const ssize_t got = ::pread(pass->mDescriptor, pass->mBuffer.data(),
                                            pass->mBuffer.size(), pass->mOffset);
                if (got <= 0) {
                    png_error(png, got == 0 ? "the file ends before its picture does"
                                            : "the file cannot be read");
                }
                pass->mOffset += got;
                pass->mNext = 0;
                pass->mEnd = static_cast<std::size_t>(got);
            }
            const std::size_t count = std::min(length, pass->mEnd - pass->mNext);
            std::memcpy(data, pass->mBuffer.data() + pass->mNext, count);
            pass->mNext += count;
            data += count;
            length -= count;
        }
    }

    int mDescriptor;
    off_t mOffset = 0;
    std::vector<png_byte> mBuffer = std::vector<png_byte>(std::size_t{1} << 16);
    std::size_t mNext = 0;
    std::size_t mEnd = 0;
    DecoderMessages& mMessages;
    png_structp mPng = nullptr;
    png_infop mInfo = nullptr;
    char mError[256] = {};
    int mPasses = 1;
};

class PngSource final : public TextureSource {
public:
    explicit PngSource(int descriptor) : mOwned(descriptor), mDescriptor(mOwned.Get()) {
        DecoderMessages messages;
        PngPass pass(mDescriptor, messages);
        pass.ReadHeader();
        png_uint_32 width = 0, height = 0;
        int depth = 0, colourType = 0;
        pass.Run([&] {
            png_get_IHDR(pass.Png(), pass.Info(), &width, &height, &depth, &colourType, nullptr,
                         nullptr, nullptr);
        });
        mWidth = static_cast<std::int32_t>(width);
        mHeight = static_cast<std::int32_t>(height);
        // The cap of every picture, whatever is decoded of it.
        TBitmap::CheckSectionSize(mWidth, mHeight, 32);
        mHasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 ||
                    png_get_valid(pass.Png(), pass.Info(), PNG_INFO_tRNS) != 0;
        mInterlaced = pass.Passes() > 1;
        if (!png_get_valid(pass.Png(), pass.Info(), PNG_INFO_sRGB)) {
            png_charp name = nullptr;
            png_bytep profile = nullptr;
            png_uint_32 length = 0;
            int compression = 0;
            if (png_get_iCCP(pass.Png(), pass.Info(), &name, &compression, &profile, &length)) {
                mProfile = ColourProfile(std::span<const std::uint8_t>(profile, length));
            }
        }
        if (mInterlaced) CheckWholePicture(mWidth, mHeight);
    }

    std::int32_t Width() const override { return mWidth; }
    std::int32_t Height() const override { return mHeight; }
    bool HasAlpha() const override { return mHasAlpha; }

    void ReadPixels(const PixelSamples& samples, std::span<TColor> colours,
                    std::span<std::uint8_t> alpha) override {
        const auto take = [&](const PixelSamples::Row& row, const std::uint32_t* pixels) {
            for (std::uint32_t i = row.first; i < row.first + row.count; ++i) {
                const std::uint32_t argb = mProfile.ToSrgb(pixels[samples.columns[i]]);
                colours[i] = ColourOfArgb(argb);
                if (mHasAlpha) alpha[i] = AlphaOfArgb(argb);
            }
        };
        if (mInterlaced) {
            if (mWhole.empty()) mWhole = DecodeWhole();
            for (const PixelSamples::Row& row : samples.rows) {
                take(row, mWhole.data() + static_cast<std::size_t>(row.y) * mWidth);
            }
            return;
        }
        DecodeRows([&](std::int32_t y, const std::uint32_t* pixels, std::size_t& next) {
            if (next < samples.rows.size() && samples.rows[next].y == y) {
                take(samples.rows[next], pixels);
                ++next;
            }
        });
    }

    void ReadRows(std::int32_t top, std::int32_t bottom, std::int32_t left, std::int32_t right,
                  const RowTaker& take) override {
        if (mInterlaced) {
            TextureSource::ReadRows(top, bottom, left, right, take);
            return;
        }
        // One pass, whatever the number of rows: each reading decodes the file from its start.
        const auto width = static_cast<std::size_t>(right - left);
        std::vector<TColor> colours(width);
        std::vector<std::uint8_t> alpha(mHasAlpha ? width : 0);
        DecodeRows([&](std::int32_t y, const std::uint32_t* pixels, std::size_t&) {
            if (y < top || y >= bottom) return;
            const std::uint32_t* from = pixels + left;
            if (mProfile.Converts()) {
                for (std::size_t x = 0; x < width; ++x) {
                    const std::uint32_t argb = mProfile.ToSrgb(from[x]);
                    colours[x] = ColourOfArgb(argb);
                    if (mHasAlpha) alpha[x] = AlphaOfArgb(argb);
                }
            } else if (mHasAlpha) {
                for (std::size_t x = 0; x < width; ++x) {
                    colours[x] = ColourOfArgb(from[x]);
                    alpha[x] = AlphaOfArgb(from[x]);
                }
            } else {
                for (std::size_t x = 0; x < width; ++x) colours[x] = ColourOfArgb(from[x]);
            }
            take(y, colours, alpha);
        });
    }

    DecodedPicture ReadWhole() override {
        const WholeDecoding decoding(mWidth, mHeight);
        DecodedPicture picture;
        picture.width = mWidth;
        picture.height = mHeight;
        picture.hasAlpha = mHasAlpha;
        picture.pixels = mInterlaced ? (mWhole.empty() ? DecodeWhole() : mWhole)
                                     : std::vector<std::uint32_t>{};
        if (!mInterlaced) {
            picture.pixels.resize(static_cast<std::size_t>(mWidth) * mHeight);
            DecodeRows([&](std::int32_t y, const std::uint32_t* pixels, std::size_t&) {
                std::memcpy(picture.pixels.data() + static_cast<std::size_t>(y) * mWidth, pixels,
                            static_cast<std::size_t>(mWidth) * 4);
            });
        }
        if (mProfile.Converts()) {
            for (std::uint32_t& argb : picture.pixels) argb = mProfile.ToSrgb(argb);
        }
        return picture;
    }

private:
    // Every row in order, each handed to take as 0xAARRGGBB words, and so to the end of the
    // pixels, so that a file damaged below the last row asked for fails too.
    template <class Take>
    void DecodeRows(Take&& take) {
        DecoderMessages messages;
        PngPass pass(mDescriptor, messages);
        pass.ReadHeader();
        mRow.resize(static_cast<std::size_t>(mWidth));
        std::size_t next = 0;
        for (std::int32_t y = 0; y < mHeight; ++y) {
            std::uint32_t* row = mRow.data();
            pass.Run([&pass, row] { png_read_row(pass.Png(), reinterpret_cast<png_bytep>(row), nullptr); });
            take(y, row, next);
        }
    }

    std::vector<std::uint32_t> DecodeWhole() {
        const WholeDecoding decoding(mWidth, mHeight);
        DecoderMessages messages;
        PngPass pass(mDescriptor, messages);
        pass.ReadHeader();
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(mWidth) * mHeight);
        std::vector<png_bytep> rows(static_cast<std::size_t>(mHeight));
        for (std::int32_t y = 0; y < mHeight; ++y) {
            rows[static_cast<std::size_t>(y)] =
                reinterpret_cast<png_bytep>(pixels.data() + static_cast<std::size_t>(y) * mWidth);
        }
        png_bytepp rowPointers = rows.data();
        pass.Run([&pass, rowPointers] { png_read_image(pass.Png(), rowPointers); });
        return pixels;
    }

    OwnedDescriptor mOwned;
    int mDescriptor;
    std::int32_t mWidth = 0;
    std::int32_t mHeight = 0;
    bool mHasAlpha = false;
    bool mInterlaced = false;
    ColourProfile mProfile;
    std::vector<std::uint32_t> mRow;
    std::vector<std::uint32_t> mWhole;
};

}  // namespace

std::unique_ptr<TextureSource> OpenPngSource(int descriptor) {
    return std::make_unique<PngSource>(descriptor);
}

}  // namespace mosaren
