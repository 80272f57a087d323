#pragma once

// Whether two names reach the same file: "t.bmp", "./t.bmp", a link to it, a hard link and a
// /proc/self/fd name of it are one file. A name of an existing file stands for the file itself; a
// name of no file yet for the file that creating it would make, its folder's real path and its
// last part; a dangling link (a chain of them included) for the file that writing through it
// creates, as opening the name would.

#include <map>
#include <string>

namespace mosaren {

class FileIdentities {
public:
    // A text that is equal for two names exactly when they reach the same file now, or would
    // once written.
    std::string Of(const std::string& name);
    // A text that is equal for two names exactly when writing them by a rename puts a file at
    // the same place: the real path that opening the name reaches, links (dangling ones
    // included) followed. Hard links of one file are different places.
    std::string PlaceOf(const std::string& name);

private:
    // The place of a name that shows no file: its folder's real path and its last part.
    std::string PlaceOfNew(const std::string& name);

    std::map<std::string, std::string> mFolders;  // real paths of the folders met so far
};

// Follows the links from path to the name at their end, which names no file yet; true with path
// that name, also when path is no link at all and names nothing. False when the chain is broken
// otherwise: a loop, a folder on the way that cannot be searched, an existing file at its end.
bool DanglingLinkTarget(std::string& path);

}  // namespace mosaren
