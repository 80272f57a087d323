#pragma once

// "PREVIEWGLYPH", the picture on the preview button of the open dialogs: a page with a
// turned-down corner under a magnifying glass, 16 × 16 pixels in the standard 16-colour palette.

#include <QIcon>
#include <QImage>

namespace mosaren {

// The glyph as drawn: the colour of its bottom-left pixel (olive) is transparent.
QImage PreviewGlyph();
QIcon PreviewGlyphIcon();

}  // namespace mosaren
