#pragma once

// Replacing a file only once its new content is complete. The content goes to a temporary file
// in the same folder, which is renamed over the target when the whole of it has been written
// and flushed; on any failure the temporary file is removed and an existing target is left
// exactly as it was. A tile that fails to write therefore never leaves a truncated file in
// place of a good one; the same holds for every file the program writes.

#include <cstddef>
#include <functional>
#include <string>

namespace mosaren {

class OutputStream;

// Runs write on a stream into the new content of fileName and puts it in place. Raises "Cannot
// create file %s" (the name as passed) when the file cannot be created or replaced: a folder
// that does not exist, a name that is not valid, an existing target that is read-only or a
// folder. Raises "Stream write error" when the content cannot be flushed to the disk, and lets
// any failure of write go on to the caller, after removing the temporary file.
void ReplaceFileWith(const std::string& fileName, const std::function<void(OutputStream&)>& write);

// The same with the whole new content at hand.
void ReplaceFileWithBytes(const std::string& fileName, const void* bytes, std::size_t count);

}  // namespace mosaren
