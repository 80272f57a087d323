#include "file_identity.h"

#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>

namespace mosaren {

std::string FileIdentities::Of(const std::string& name) {
    struct stat info {};
    if (::stat(name.c_str(), &info) == 0) {
        return "file " + std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
    }
    const std::size_t slash = name.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : name.substr(0, slash + 1);
    const std::string last = slash == std::string::npos ? name : name.substr(slash + 1);
    auto found = mFolders.find(folder);
    if (found == mFolders.end()) {
        char* resolved = ::realpath(folder.c_str(), nullptr);
        // A folder that does not exist holds no file of either name: the name stands for itself.
        found = mFolders.emplace(folder, resolved != nullptr ? resolved : "").first;
        ::free(resolved);
    }
    if (found->second.empty()) return "name " + name;
    return "path " + found->second + "/" + last;
}

}  // namespace mosaren
