#pragma once

// A texture being read, of whatever picture format: its size, whether it has alpha, and the
// colours and alpha of the pixels a tile shows. A source is opened once per file and reads only
// what it is asked for where its format allows (a PNG file row by row, keeping only the rows
// asked for; a JPEG file scanline by scanline); a format that cannot be read in parts is decoded
// whole when opened, within the bounds of the reader that opened it.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "bmp_sampler.h"
#include "colour.h"
#include "decoded_picture.h"

namespace mosaren {

class TextureSource {
public:
    virtual ~TextureSource() = default;

    virtual std::int32_t Width() const = 0;
    virtual std::int32_t Height() const = 0;
    // False: opaque throughout.
    virtual bool HasAlpha() const = 0;

    // The colours of the pixels named (samples as BmpSampler takes them), not premultiplied, and
    // where the texture has alpha, the alpha of each in alpha (which then holds as many); else
    // alpha is left alone. May be asked again, for other pixels. Raises EInvalidGraphic with the
    // reader's reason should the file turn out to be damaged.
    virtual void ReadPixels(const PixelSamples& samples, std::span<TColor> colours,
                            std::span<std::uint8_t> alpha) = 0;

    // Every pixel, for what needs the whole picture (the tile maker's blocks and transitions).
    virtual DecodedPicture ReadWhole() = 0;

    // Every pixel of the rows from top to bottom − 1 and the columns from left to right − 1, a row
    // at a time from the top, for a tile that averages the whole texture: take gets each row's
    // colours and, where the texture has alpha, its alpha (else an empty span). By default a
    // band of rows at a time through ReadPixels, so that memory follows the band; a source that
    // decodes its rows in order in every reading does them all in one.
    using RowTaker = std::function<void(std::int32_t y, std::span<const TColor> colours,
                                        std::span<const std::uint8_t> alpha)>;
    virtual void ReadRows(std::int32_t top, std::int32_t bottom, std::int32_t left,
                          std::int32_t right, const RowTaker& take) {
        const auto width = static_cast<std::size_t>(right - left);
        const std::int32_t bandRows = BandRows(right - left);
        PixelSamples band;
        std::vector<TColor> colours;
        std::vector<std::uint8_t> alpha;
        for (std::int32_t y0 = top; y0 < bottom; y0 += bandRows) {
            const std::int32_t y1 = std::min(bottom, y0 + bandRows);
            band.SetWholeRows(y0, y1, left, right);
            colours.resize(band.Count());
            alpha.resize(HasAlpha() ? band.Count() : 0);
            ReadPixels(band, colours, alpha);
            for (std::int32_t y = y0; y < y1; ++y) {
                const std::size_t first = static_cast<std::size_t>(y - y0) * width;
                take(y, std::span<const TColor>(colours).subspan(first, width),
                     alpha.empty() ? std::span<const std::uint8_t>()
                                   : std::span<const std::uint8_t>(alpha).subspan(first, width));
            }
        }
    }

    // Whether the source can decode the whole picture at 1 / factor of its size each way, each
    // texel close to the average of the factor × factor it stands for, for less than the whole
    // (a JPEG file's scaled decoding); and then ReadReducedRows hands its rows, each of
    // Width() / factor texels, as ReadRows would, from y = 0 to Height() / factor − 1.
    virtual bool CanReduce(std::int32_t /*factor*/) const { return false; }
    virtual void ReadReducedRows(std::int32_t /*factor*/, const RowTaker& /*take*/) {}
};

// A picture held whole as a texture source.
class DecodedPictureSource final : public TextureSource {
public:
    explicit DecodedPictureSource(DecodedPicture picture) : mPicture(std::move(picture)) {}

    std::int32_t Width() const override { return mPicture.width; }
    std::int32_t Height() const override { return mPicture.height; }
    bool HasAlpha() const override { return mPicture.hasAlpha; }
    void ReadPixels(const PixelSamples& samples, std::span<TColor> colours,
                    std::span<std::uint8_t> alpha) override {
        for (const PixelSamples::Row& row : samples.rows) {
            for (std::uint32_t i = row.first; i < row.first + row.count; ++i) {
                const std::uint32_t argb = mPicture.At(samples.columns[i], row.y);
                colours[i] = ColourOfArgb(argb);
                if (mPicture.hasAlpha) alpha[i] = AlphaOfArgb(argb);
            }
        }
    }
    DecodedPicture ReadWhole() override { return mPicture; }

private:
    DecodedPicture mPicture;
};

}  // namespace mosaren
