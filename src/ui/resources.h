#pragma once

namespace mosaren {

// Makes the pictures built into the program (icon, About logo, glyphs) reachable under
// ":/mosaren/". The library that holds them is static, so the program says so once.
void LoadResources();

}  // namespace mosaren
