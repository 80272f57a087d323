#pragma once

// An image is selected into one drawing context at a time. Before a context is made for an
// image, and before an image is copied, resized, converted or given a section copy, every
// surface whose context holds it gives the context up (and makes it again on its next use).

#include "graphics/graphics.h"

namespace mosaren {

class TCanvas;

void RegisterContext(TCanvas* canvas);
void UnregisterContext(TCanvas* canvas);
void ReleaseContextsHolding(const gdi::Image* image);

}  // namespace mosaren
