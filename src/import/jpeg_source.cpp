#include "jpeg_source.h"

// jpeglib.h needs FILE and size_t declared first.
#include <cstddef>
#include <cstdio>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on
#include <unistd.h>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "colour_profile.h"
#include "decoder_messages.h"
#include "exif_orientation.h"
#include "owned_descriptor.h"
#include "picture_bounds.h"
#include "picture_import.h"
#include "raster/bitmap.h"
#include "raster/exceptions.h"

namespace mosaren {

namespace {

constexpr std::size_t kReadBytes = 1 << 16;

// The warnings that mean libjpeg made up pixels the file does not hold.
bool IsDamage(int code) {
    return code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE ||
           code == JWRN_MUST_RESYNC || code == JWRN_ARITH_BAD_CODE ||
           code == JWRN_NOT_SEQUENTIAL || code == JWRN_BOGUS_PROGRESSION;
}

// How many scans the file holds: its SOS markers, which entropy-coded data cannot contain (a
// 0xFF byte there is followed by 0 or a restart marker).
std::uint64_t CountScans(int descriptor) {
    std::vector<std::uint8_t> buffer(kReadBytes);
    std::uint64_t scans = 0;
    bool afterFF = false;
    off_t offset = 0;
    for (;;) {
        const ssize_t got = ::pread(descriptor, buffer.data(), buffer.size(), offset);
        if (got <= 0) break;
        offset += got;
        for (ssize_t i = 0; i < got; ++i) {
            if (afterFF && buffer[static_cast<std::size_t>(i)] == 0xDA) ++scans;
            afterFF = buffer[static_cast<std::size_t>(i)] == 0xFF;
        }
    }
    return scans;
}

// One decoding of the file, from its first byte.
class JpegPass {
public:
    JpegPass(int descriptor, DecoderMessages& messages)
        : mDescriptor(descriptor), mMessages(messages), mBuffer(kReadBytes) {
        mInfo.err = jpeg_std_error(&mErrors.base);
        mErrors.base.error_exit = OnError;
        mErrors.base.emit_message = OnMessage;
        mErrors.pass = this;
        jpeg_create_decompress(&mInfo);
        mSource.init_source = [](j_decompress_ptr) {};
        mSource.fill_input_buffer = OnFill;
        mSource.skip_input_data = OnSkip;
        mSource.resync_to_restart = jpeg_resync_to_restart;
        mSource.term_source = [](j_decompress_ptr) {};
        mSource.bytes_in_buffer = 0;
        mSource.next_input_byte = nullptr;
        mInfo.src = &mSource;
        // The coefficients of a file in several scans are the most it keeps; anything beyond
        // the bound fails rather than exhausting the machine.
        mInfo.mem->max_memory_to_use = static_cast<long>(kMaxJpegCoefficientBytes + (64 << 20));
    }
    ~JpegPass() { jpeg_destroy_decompress(&mInfo); }
    JpegPass(const JpegPass&) = delete;
    JpegPass& operator=(const JpegPass&) = delete;

    j_decompress_ptr Info() { return &mInfo; }

    template <class Step>
    void Run(Step&& step) {
        if (!Guarded(step)) {
            throw EInvalidGraphic(std::string(kUnreadablePicture) + ": " +
                                  mMessages.With(mError[0] ? mError : "libjpeg failed"));
        }
    }

private:
    struct Errors {
        jpeg_error_mgr base;
        JpegPass* pass;
    };

    template <class Step>
    bool Guarded(Step& step) {
        if (setjmp(mJump)) return false;
        step();
        return true;
    }

    static JpegPass& PassOf(j_common_ptr info) {
        return *reinterpret_cast<Errors*>(info->err)->pass;
    }
    [[noreturn]] static void Fail(j_common_ptr info) {
        JpegPass& pass = PassOf(info);
        (*info->err->format_message)(info, pass.mError);
        std::longjmp(pass.mJump, 1);
    }
    static void OnError(j_common_ptr info) { Fail(info); }
    static void OnMessage(j_common_ptr info, int level) {
        if (level >= 0) return;  // trace messages
        if (IsDamage(info->err->msg_code)) Fail(info);
        JpegPass& pass = PassOf(info);
        char text[JMSG_LENGTH_MAX] = {};
        (*info->err->format_message)(info, text);
        try {
            pass.mMessages.Add(std::string("libjpeg: ") + text);
        } catch (...) {
        }
    }
    static boolean OnFill(j_decompress_ptr info) {
        JpegPass& pass = PassOf(reinterpret_cast<j_common_ptr>(info));
        const ssize_t got = ::pread(pass.mDescriptor, pass.mBuffer.data(), pass.mBuffer.size(),
                                    pass.mOffset);
        if (got <= 0) {
            std::snprintf(pass.mError, sizeof pass.mError, "%s",
                          got == 0 ? "Premature end of JPEG file" : "the file cannot be read");
            std::longjmp(pass.mJump, 1);
        }
        pass.mOffset += got;
        info->src->next_input_byte = pass.mBuffer.data();
        info->src->bytes_in_buffer = static_cast<std::size_t>(got);
        return TRUE;
    }
    static void OnSkip(j_decompress_ptr info, long count) {
        if (count <= 0) return;
        JpegPass& pass = PassOf(reinterpret_cast<j_common_ptr>(info));
        auto remaining = static_cast<std::size_t>(count);
        if (remaining <= info->src->bytes_in_buffer) {
            info->src->next_input_byte += remaining;
            info->src->bytes_in_buffer -= remaining;
            return;
        }
        remaining -= info->src->bytes_in_buffer;
        info->src->bytes_in_buffer = 0;
        pass.mOffset += static_cast<off_t>(remaining);
    }

    int mDescriptor;
    off_t mOffset = 0;
    DecoderMessages& mMessages;
    std::vector<JOCTET> mBuffer;
    jpeg_decompress_struct mInfo{};
    Errors mErrors{};
    jpeg_source_mgr mSource{};
    std::jmp_buf mJump{};
    char mError[JMSG_LENGTH_MAX] = {};
};

// A pixel asked for, at its stored place.
struct Wanted {
    std::int32_t y;
    std::int32_t x;
    std::uint32_t index;
    bool operator<(const Wanted& other) const {
        return y != other.y ? y < other.y : x < other.x;
    }
};

class JpegSource final : public TextureSource {
public:
    explicit JpegSource(int descriptor) : mOwned(descriptor) {
        DecoderMessages messages;
        JpegPass pass(mOwned.Get(), messages);
        j_decompress_ptr info = pass.Info();
        JOCTET* icc = nullptr;
        unsigned int iccLength = 0;
        pass.Run([info, &icc, &iccLength] {
            jpeg_save_markers(info, JPEG_APP0 + 1, 0xFFFF);
            jpeg_save_markers(info, JPEG_APP0 + 2, 0xFFFF);
            jpeg_read_header(info, TRUE);
            jpeg_read_icc_profile(info, &icc, &iccLength);
        });
        if (icc) {
            try {
                mProfile = ColourProfile(std::span<const std::uint8_t>(icc, iccLength));
            } catch (...) {
                std::free(icc);
                throw;
            }
            std::free(icc);
        }
        for (jpeg_saved_marker_ptr marker = info->marker_list; marker; marker = marker->next) {
            if (marker->marker == JPEG_APP0 + 1) {
                mOrientation = ExifOrientation({marker->data, marker->data_length});
                if (mOrientation != 1) break;
            }
        }
        mStoredWidth = static_cast<std::int32_t>(info->image_width);
        mStoredHeight = static_cast<std::int32_t>(info->image_height);
        mCmyk = info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK;
        TBitmap::CheckSectionSize(Width(), Height(), 32);
        if (jpeg_has_multiple_scans(info)) CheckScans(*info);
    }

    std::int32_t Width() const override {
        return SwapsSides(mOrientation) ? mStoredHeight : mStoredWidth;
    }
    std::int32_t Height() const override {
        return SwapsSides(mOrientation) ? mStoredWidth : mStoredHeight;
    }
    bool HasAlpha() const override { return false; }

    void ReadPixels(const PixelSamples& samples, std::span<TColor> colours,
                    std::span<std::uint8_t>) override {
        std::vector<Wanted> wanted;
        wanted.reserve(samples.Count());
        for (const PixelSamples::Row& row : samples.rows) {
            for (std::uint32_t i = row.first; i < row.first + row.count; ++i) {
                const StoredPixel at = StoredPixelOf(mOrientation, samples.columns[i], row.y,
                                                     mStoredWidth, mStoredHeight);
                wanted.push_back({at.y, at.x, i});
            }
        }
        if (mOrientation != 1) std::sort(wanted.begin(), wanted.end());
        std::size_t next = 0;
        DecodeRows(
            [&](std::int32_t y) { return next < wanted.size() && wanted[next].y == y; },
            [&](std::int32_t y, const std::uint32_t* pixels) {
                for (; next < wanted.size() && wanted[next].y == y; ++next) {
                    colours[wanted[next].index] = ColourOfArgb(mProfile.ToSrgb(pixels[wanted[next].x]));
                }
            });
    }

    // The rows as stored (the picture not turned): all in one decoding, each handed as it comes,
    // rather than a band of them at a time, each band decoding the file again.
    void ReadRows(std::int32_t top, std::int32_t bottom, std::int32_t left, std::int32_t right,
                  const RowTaker& take) override {
        if (mOrientation != 1) {
            TextureSource::ReadRows(top, bottom, left, right, take);
            return;
        }
        std::vector<TColor> colours(static_cast<std::size_t>(right - left));
        DecodeRows([top, bottom](std::int32_t y) { return y >= top && y < bottom; },
                   [&](std::int32_t y, const std::uint32_t* pixels) {
                       if (y < top || y >= bottom) return;
                       for (std::size_t x = 0; x < colours.size(); ++x) {
                           colours[x] = ColourOfArgb(mProfile.ToSrgb(pixels[left + x]));
                       }
                       take(y, colours, {});
                   });
    }

    DecodedPicture ReadWhole() override {
        const WholeDecoding decoding(mStoredWidth, mStoredHeight);
        std::vector<std::uint32_t> stored(static_cast<std::size_t>(mStoredWidth) * mStoredHeight);
        DecodeRows([](std::int32_t) { return true; },
                   [&](std::int32_t y, const std::uint32_t* pixels) {
                       std::memcpy(stored.data() + static_cast<std::size_t>(y) * mStoredWidth,
                                   pixels, static_cast<std::size_t>(mStoredWidth) * 4);
                   });
        DecodedPicture picture;
        picture.width = Width();
        picture.height = Height();
        picture.pixels.resize(stored.size());
        for (std::int32_t y = 0; y < picture.height; ++y) {
            for (std::int32_t x = 0; x < picture.width; ++x) {
                const StoredPixel at = StoredPixelOf(mOrientation, x, y, mStoredWidth, mStoredHeight);
                picture.pixels[static_cast<std::size_t>(y) * picture.width + x] = mProfile.ToSrgb(
                    stored[static_cast<std::size_t>(at.y) * mStoredWidth + at.x]);
            }
        }
        return picture;
    }

    // libjpeg-turbo's scaled decoding: each block's coefficients turned straight into fewer
    // pixels, which skips most of the inverse transform's work.
    bool CanReduce(std::int32_t factor) const override {
        return (factor == 2 || factor == 4 || factor == 8) && mStoredWidth % factor == 0 &&
               mStoredHeight % factor == 0;
    }

    void ReadReducedRows(std::int32_t factor, const RowTaker& take) override {
        if (!CanReduce(factor)) {
            throw EInvalidOperation("A JPEG file is decoded reduced only by 2, 4 or 8");
        }
        const std::int32_t storedWidth = mStoredWidth / factor;
        const std::int32_t storedHeight = mStoredHeight / factor;
        DecoderMessages messages;
        JpegPass pass(mOwned.Get(), messages);
        j_decompress_ptr info = pass.Info();
        const bool cmyk = mCmyk;
        pass.Run([info, cmyk, factor] {
            jpeg_read_header(info, TRUE);
            info->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
            info->scale_num = 1;
            info->scale_denom = static_cast<unsigned int>(factor);
            jpeg_start_decompress(info);
        });
        if (info->output_width != static_cast<JDIMENSION>(storedWidth) ||
            info->output_height != static_cast<JDIMENSION>(storedHeight)) {
            throw EInvalidOperation("libjpeg decoded a JPEG file at another scale than asked");
        }
        // Whole, small as it is, so that the picture's orientation can be applied.
        std::vector<std::uint32_t> stored(static_cast<std::size_t>(storedWidth) * storedHeight);
        mRow.resize(static_cast<std::size_t>(storedWidth));
        mCmykRow.resize(cmyk ? static_cast<std::size_t>(storedWidth) * 4 : 0);
        JSAMPROW row = cmyk ? mCmykRow.data() : reinterpret_cast<JSAMPROW>(mRow.data());
        for (std::int32_t y = 0; y < storedHeight; ++y) {
            pass.Run([info, &row] { jpeg_read_scanlines(info, &row, 1); });
            if (cmyk) ConvertCmyk();
            std::memcpy(stored.data() + static_cast<std::size_t>(y) * storedWidth, mRow.data(),
                        static_cast<std::size_t>(storedWidth) * 4);
        }
        pass.Run([info] { jpeg_abort_decompress(info); });
        const std::int32_t width = Width() / factor;
        const std::int32_t height = Height() / factor;
        std::vector<TColor> colours(static_cast<std::size_t>(width));
        for (std::int32_t y = 0; y < height; ++y) {
            for (std::int32_t x = 0; x < width; ++x) {
                const StoredPixel at = StoredPixelOf(mOrientation, x, y, storedWidth, storedHeight);
                colours[static_cast<std::size_t>(x)] = ColourOfArgb(
                    mProfile.ToSrgb(stored[static_cast<std::size_t>(at.y) * storedWidth + at.x]));
            }
            take(y, colours, {});
        }
    }

private:
    // A file in several scans passes over its coefficients once a scan.
    void CheckScans(const jpeg_decompress_struct& info) {
        std::uint64_t blocks = 0;
        for (int c = 0; c < info.num_components; ++c) {
            blocks += std::uint64_t{info.comp_info[c].width_in_blocks} * info.comp_info[c].height_in_blocks;
        }
        if (blocks * 128 > kMaxJpegCoefficientBytes) {
            RefuseBeyondBound("its scans keep " + std::to_string(blocks * 128) +
                                  " bytes of coefficients",
                              kMaxJpegCoefficientBytes, "bytes a JPEG file in several scans may keep");
        }
        const std::uint64_t scans = CountScans(mOwned.Get());
        if (scans > kMaxJpegScans) {
            RefuseBeyondBound("JPEG file in " + std::to_string(scans) + " scans", kMaxJpegScans,
                              "scans a JPEG file may have");
        }
        if (scans * blocks > kMaxJpegScanBlocks) {
            RefuseBeyondBound("JPEG file of " + std::to_string(blocks) + " blocks in " +
                                  std::to_string(scans) + " scans",
                              kMaxJpegScanBlocks, "blocks times scans a JPEG file may take");
        }
    }

    // Every stored row in order: those wanted decoded and handed to take as 0xAARRGGBB words,
    // the others skipped; the last row is always decoded, so that the data is read to its end.
    template <class IsWanted, class Take>
    void DecodeRows(IsWanted&& isWanted, Take&& take) {
        DecoderMessages messages;
        JpegPass pass(mOwned.Get(), messages);
        j_decompress_ptr info = pass.Info();
        const bool cmyk = mCmyk;
        pass.Run([info, cmyk] {
            jpeg_read_header(info, TRUE);
            info->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
            jpeg_start_decompress(info);
        });
        mRow.resize(static_cast<std::size_t>(mStoredWidth));
        mCmykRow.resize(cmyk ? static_cast<std::size_t>(mStoredWidth) * 4 : 0);
        JSAMPROW row = cmyk ? mCmykRow.data() : reinterpret_cast<JSAMPROW>(mRow.data());
        std::int32_t y = 0;
        while (y < mStoredHeight) {
            if (isWanted(y) || y == mStoredHeight - 1) {
                pass.Run([info, &row] { jpeg_read_scanlines(info, &row, 1); });
                if (cmyk) ConvertCmyk();
                take(y, mRow.data());
                ++y;
                continue;
            }
            std::int32_t skip = 1;
            while (y + skip < mStoredHeight - 1 && !isWanted(y + skip)) ++skip;
            const auto lines = static_cast<JDIMENSION>(skip);
            pass.Run([info, lines] { jpeg_skip_scanlines(info, lines); });
            y += skip;
        }
        pass.Run([info] { jpeg_abort_decompress(info); });
    }

    // Adobe's CMYK, stored inverted: each colour times the (inverted) black.
    void ConvertCmyk() {
        const std::uint8_t* in = mCmykRow.data();
        for (std::size_t x = 0; x < mRow.size(); ++x, in += 4) {
            const std::uint32_t k = in[3];
            mRow[x] = 0xFF000000u | ((k * in[0] / 255) << 16) | ((k * in[1] / 255) << 8) |
                      (k * in[2] / 255);
        }
    }

    OwnedDescriptor mOwned;
    std::int32_t mStoredWidth = 0;
    std::int32_t mStoredHeight = 0;
    int mOrientation = 1;
    bool mCmyk = false;
    ColourProfile mProfile;
    std::vector<std::uint32_t> mRow;
    std::vector<std::uint8_t> mCmykRow;
};

}  // namespace

std::unique_ptr<TextureSource> OpenJpegSource(int descriptor) {
    return std::make_unique<JpegSource>(descriptor);
}

}  // namespace mosaren
