#include "file_replacement.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "byte_stream.h"
#include "exceptions.h"

namespace mosaren {

namespace {

struct Target {
    std::string folder;  // with its trailing '/', or "" for the current folder
    std::string path;    // where the rename puts the file
    mode_t mode = 0;     // permissions the new file gets
};

mode_t DefaultFileMode() {
    // The permissions a newly created file would get: 0666 less the umask (read by setting it).
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Where the new file goes, or nothing when the name cannot be a file that we may replace.
bool ResolveTarget(const std::string& fileName, Target& target) {
    if (fileName.empty() || fileName.back() == '/') return false;
    std::string path = fileName;

    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        // Replacing through a link writes the file it points to, as opening the name would.
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved != nullptr) {
            path = resolved;
            std::free(resolved);
        }
    }

    const std::size_t slash = path.rfind('/');
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base == "." || base == ".." || base.size() > NAME_MAX) return false;
    target.folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    target.path = path;
    target.mode = DefaultFileMode();

    if (::stat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) return false;
        // A read-only file is not replaced, even by a user whom the system would let write it.
        if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
        if (::access(path.c_str(), W_OK) != 0) return false;
        target.mode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        return false;
    }
    return true;
}

void SyncFolder(const std::string& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // best effort: the rename is already done
    ::close(fd);
}

// The temporary file, removed by the destructor unless it has been put in place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& folder) {
        std::string pattern = folder + ".mosaren-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        mFd = ::mkstemp(name.data());
        if (mFd >= 0) mName = name.data();
    }
    ~TemporaryFile() {
        if (mFd >= 0) ::close(mFd);
        if (!mName.empty()) ::unlink(mName.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool IsOpen() const { return mFd >= 0; }
    int Descriptor() const { return mFd; }
    const std::string& Name() const { return mName; }

    // Flushes and closes; false when the disk did not take everything.
    bool Finish() {
        const bool synced = ::fsync(mFd) == 0;
        const bool closed = ::close(mFd) == 0;
        mFd = -1;
        return synced && closed;
    }
    void Release() { mName.clear(); }

private:
    int mFd = -1;
    std::string mName;
};

}  // namespace

void ReplaceFileWith(const std::string& fileName, const std::function<void(OutputStream&)>& write) {
    Target target;
    if (!ResolveTarget(fileName, target)) throw CannotCreateFile(fileName);

    TemporaryFile temporary(target.folder);
    if (!temporary.IsOpen()) throw CannotCreateFile(fileName);
    if (::fchmod(temporary.Descriptor(), target.mode) != 0) throw CannotCreateFile(fileName);

    FileOutputStream stream(temporary.Descriptor());
    write(stream);
    if (!temporary.Finish()) throw EWriteError(messages::kStreamWrite);

    if (::rename(temporary.Name().c_str(), target.path.c_str()) != 0) {
        throw CannotCreateFile(fileName);
    }
    temporary.Release();
    SyncFolder(target.folder);
}

void ReplaceFileWithBytes(const std::string& fileName, const void* bytes, std::size_t count) {
    ReplaceFileWith(fileName,
                    [bytes, count](OutputStream& stream) { WriteWhole(stream, bytes, count); });
}

}  // namespace mosaren
