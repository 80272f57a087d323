#pragma once

// Whether two names reach the same file: "t.bmp", "./t.bmp", a link to it and a hard link are
// one file. A name of an existing file stands for the file itself; a name of no file yet for the
// file that creating it would make, its folder's real path and its last part.

#include <map>
#include <string>

namespace mosaren {

class FileIdentities {
public:
    // A text that is equal for two names exactly when they reach the same file now.
    std::string Of(const std::string& name);

private:
    std::map<std::string, std::string> mFolders;  // real paths of the folders met so far
};

}  // namespace mosaren
