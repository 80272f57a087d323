#include "file_identity.h"

#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace mosaren {

bool DanglingLinkTarget(std::string& path) {
    // The system's own bound on the links one name may pass through.
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) return errno == ENOENT;
        if (!S_ISLNK(info.st_mode)) return false;
        std::string to(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), to.data(), to.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= to.size()) return false;
        to.resize(static_cast<std::size_t>(length));
        // A relative link counts from the link's own folder.
        const std::size_t slash = path.rfind('/');
        path = to.front() == '/' || slash == std::string::npos ? to : path.substr(0, slash + 1) + to;
    }
    return false;
}

std::string FileIdentities::Of(const std::string& name) {
    struct stat info {};
    if (::stat(name.c_str(), &info) == 0) {
        return "file " + std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
    }
    return PlaceOfNew(name);
}

std::string FileIdentities::PlaceOf(const std::string& name) {
    char* resolved = ::realpath(name.c_str(), nullptr);
    if (resolved != nullptr) {
        const std::string path = resolved;
        ::free(resolved);
        return "path " + path;
    }
    return PlaceOfNew(name);
}

std::string FileIdentities::PlaceOfNew(const std::string& name) {
    // Writing through a dangling link creates the file at the chain's end.
    std::string path = name;
    if (!DanglingLinkTarget(path)) path = name;
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
    auto found = mFolders.find(folder);
    if (found == mFolders.end()) {
        char* resolved = ::realpath(folder.c_str(), nullptr);
        // A folder that does not exist holds no file of either name: the name stands for itself.
        found = mFolders.emplace(folder, resolved != nullptr ? resolved : "").first;
        ::free(resolved);
    }
    if (found->second.empty()) return "name " + path;
    return "path " + found->second + "/" + last;
}

}  // namespace mosaren
