#include "temporary_names.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <mutex>
#include <set>

namespace mosaren::temporary_names {

namespace {

constexpr char kPrefix[] = ".mosaren-";
constexpr std::size_t kPrefixLength = sizeof kPrefix - 1;
constexpr std::size_t kRandomLength = 6;
// A leftover is a file no run has touched for this long: a running batch writes its temporary
// files within moments of making them.
constexpr std::time_t kLeftoverAge = 10 * 60;

struct Registry {
    std::mutex mutex;
    std::set<std::string> names;
    std::set<std::string> foldersCleared;
};

Registry& TheRegistry() {
    // Never destroyed: a signal may arrive while static objects are being torn down.
    static Registry* registry = new Registry;
    return *registry;
}

}  // namespace

int Create(const std::string& name, mode_t mode) {
    Registry& r = TheRegistry();
    const std::lock_guard<std::mutex> lock(r.mutex);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) r.names.insert(name);
    return fd;
}

bool Link(const std::string& existing, const std::string& name) {
    Registry& r = TheRegistry();
    const std::lock_guard<std::mutex> lock(r.mutex);
    if (::link(existing.c_str(), name.c_str()) != 0) return false;
    r.names.insert(name);
    return true;
}

bool Rename(const std::string& name, const std::string& target) {
    Registry& r = TheRegistry();
    const std::lock_guard<std::mutex> lock(r.mutex);
    if (::rename(name.c_str(), target.c_str()) != 0) return false;
    r.names.erase(name);
    return true;
}

void Remove(const std::string& name) {
    Registry& r = TheRegistry();
    const std::lock_guard<std::mutex> lock(r.mutex);
    ::unlink(name.c_str());
    r.names.erase(name);
}

void RemoveAllAndHold() {
    Registry& r = TheRegistry();
    r.mutex.lock();  // never unlocked
    for (const std::string& name : r.names) ::unlink(name.c_str());
    r.names.clear();
}

bool IsTemporaryName(const std::string& name) {
    if (name.size() != kPrefixLength + kRandomLength || name.compare(0, kPrefixLength, kPrefix) != 0) {
        return false;
    }
    for (std::size_t i = kPrefixLength; i < name.size(); ++i) {
        const char c = name[i];
        const bool letterOrDigit =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!letterOrDigit) return false;
    }
    return true;
}

void RemoveLeftovers(const std::string& folder) {
    Registry& r = TheRegistry();
    const std::lock_guard<std::mutex> lock(r.mutex);
    if (!r.foldersCleared.insert(folder).second) return;
    const int folderFd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) return;
    DIR* entries = ::fdopendir(folderFd);
    if (entries == nullptr) {
        ::close(folderFd);
        return;
    }
    const uid_t self = ::geteuid();
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(entries)) {
        const std::string name = entry->d_name;
        if (!IsTemporaryName(name) || r.names.count(folder + name) != 0) continue;
        struct stat info {};
        if (::fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
        const bool stale = S_ISREG(info.st_mode) && info.st_uid == self &&
                           now - info.st_mtime > kLeftoverAge && now - info.st_ctime > kLeftoverAge;
        if (stale) ::unlinkat(folderFd, name.c_str(), 0);
    }
    ::closedir(entries);
}

}  // namespace mosaren::temporary_names
