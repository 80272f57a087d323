#pragma once

// What a decoding library says on its own while it reads a texture (libpng's "libpng error:
// ...", libjpeg's warnings, libtiff's, through Qt's image readers as Qt's warnings). None of it
// is printed: it is kept, in the order said, for the failure message of the texture being read,
// and dropped when the texture reads well. Each thread keeps its own, so that textures read at
// once on several threads keep theirs apart.

#include <string>
#include <vector>

namespace mosaren {

class DecoderMessages {
public:
    // Collects what is said on this thread, Qt's warnings included, until destroyed.
    DecoderMessages();
    ~DecoderMessages();
    DecoderMessages(const DecoderMessages&) = delete;
    DecoderMessages& operator=(const DecoderMessages&) = delete;

    void Add(std::string message);
    // reason, then what was said, in brackets and in order: "reason (first; second)".
    std::string With(const std::string& reason) const;

    // The collector of this thread, or none.
    static DecoderMessages* Current();

private:
    std::vector<std::string> mMessages;
    DecoderMessages* mOuter;
};

}  // namespace mosaren
