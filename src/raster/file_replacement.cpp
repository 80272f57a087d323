#include "file_replacement.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <random>
#include <set>

#include "byte_stream.h"
#include "exceptions.h"
#include "file_identity.h"
#include "temporary_names.h"

namespace mosaren {

namespace {

// The process's umask, read once. /proc tells it without changing it, which the usual way of
// setting it and setting it back would do for a moment under files other threads create.
mode_t ProcessUmask() {
    static const mode_t mask = [] {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
        }
        const mode_t current = ::umask(0);
        ::umask(current);
        return current;
    }();
    return mask;
}

// Whether fd is a file of ours that no name but the one we hold shows, and that carries nothing a
// new file would not: no extended attribute (an ACL is one), our user and group. Only such a
// file may be written over as a new one. info is what the file is now.
bool OnlyOurs(int fd, struct stat& info) {
    static const uid_t user = ::geteuid();
    static const gid_t group = ::getegid();
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_nlink != 1 ||
        info.st_uid != user || info.st_gid != group) {
        return false;
    }
    const ssize_t attributes = ::flistxattr(fd, nullptr, 0);
    return attributes == 0 || (attributes < 0 && errno == ENOTSUP);
}

struct Target {
    std::string folder;  // with its trailing '/', or "" for the current folder
    std::string path;    // where the rename puts the file
    mode_t mode = 0;     // permissions the new file gets
};

// Where the new file goes, or nothing when the name cannot be a file that we may replace.
int ResolveTarget(const std::string& fileName, Target& target) {
    if (fileName.empty() || fileName.back() == '/') return EISDIR;
    std::string path = fileName;

    struct stat info {};
    const bool named = ::lstat(path.c_str(), &info) == 0;
    const int missing = named ? 0 : errno;
    const bool link = named && S_ISLNK(info.st_mode);
    if (link) {
        // Replacing through a link writes the file it points to, as opening the name would;
        // through a dangling link, it creates the file the link names.
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved != nullptr) {
            path = resolved;
            std::free(resolved);
        } else if (!DanglingLinkTarget(path)) {
            return errno != 0 ? errno : ENOENT;
        }
    }

    const std::size_t slash = path.rfind('/');
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base == "." || base == "..") return EISDIR;
    if (base.size() > NAME_MAX) return ENAMETOOLONG;
    target.folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    target.path = path;
    // The permissions a newly created file would get.
    target.mode = 0666 & ~ProcessUmask();

    // What lstat found stands unless it was a link.
    const bool exists = link ? ::stat(path.c_str(), &info) == 0 : named;
    if (!exists) {
        const int error = link ? errno : missing;
        if (error != ENOENT) return error;
    }
    if (exists) {
        if (S_ISDIR(info.st_mode)) return EISDIR;
        if (!S_ISREG(info.st_mode)) return EINVAL;
        // A read-only file is not replaced, even by a user whom the system would let write it.
        if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return EACCES;
        if (::access(path.c_str(), W_OK) != 0) return errno;
        target.mode = info.st_mode & 07777;
    }
    return 0;
}

// A name no file has yet, ".mosaren-" and six letters or digits, in folder.
std::string TemporaryName(const std::string& folder) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::atomic<unsigned> streams{0};
    thread_local std::mt19937 random(std::random_device{}() + streams++);
    std::string name = folder + ".mosaren-";
    for (int i = 0; i < 6; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
    return name;
}

// A new file of a temporary name in folder, with the permissions mode; -1 when none can be made.
int CreateTemporary(const std::string& folder, mode_t mode, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = TemporaryName(folder);
        const int fd = temporary_names::Create(name, mode);
        if (fd >= 0) {
            // The umask may have taken bits the target keeps.
            if ((mode & ProcessUmask()) != 0 && ::fchmod(fd, mode) != 0) {
                ::close(fd);
                temporary_names::Remove(name);
                return -1;
            }
            return fd;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;
}

// A spare file of folder with the permissions mode, else a new file; size is what the file
// holds already. A spare is written over rather than emptied first: emptying gives its blocks
// back, which a journalling file system makes wait for its journal, while new content of the
// same size (a run's tiles are all of one) just takes the blocks it has.
int OpenTemporary(const std::string& folder, mode_t mode, SpareFiles* spares, std::string& name,
                  off_t& size) {
    SpareFiles::Spare spare;
    while (spares != nullptr && spares->Take(folder, spare)) {
        const int fd = ::open(spare.name.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
        // Another run over the folder may have kept the same replaced file (both linked the
        // tile's name before either rename); a file two names share is never written over.
        // Its size and permissions are taken from the file itself: another run's rename between
        // our look at the name and our link may have given us another file than we looked at.
        struct stat info {};
        if (fd >= 0 && OnlyOurs(fd, info) &&
            ((info.st_mode & 07777) == mode || ::fchmod(fd, mode) == 0)) {
            name = spare.name;
            size = info.st_size;
            return fd;
        }
        if (fd >= 0) ::close(fd);
        temporary_names::Remove(spare.name);
    }
    size = 0;
    return CreateTemporary(folder, mode, name);
}

std::atomic<bool> namedWriteFailures{false};

// Flushes a folder's entries to the disk: 0, or the errno of a flush that failed. A folder that
// cannot be opened for it (one we may write but not read) or a file system that flushes no
// folders (it says EINVAL or ENOTSUP) has nothing to wait for.
int FlushFolder(int fd) {
    if (fd < 0 || ::fsync(fd) == 0) return 0;
    const int error = errno;
    return error == EINVAL || error == ENOTSUP || error == ENOSYS || error == EROFS ? 0 : error;
}

}  // namespace

void NameWriteFailures(bool named) { namedWriteFailures = named; }

EFCreateError CreateFailure(const std::string& fileName, int error) {
    EFCreateError failure = CannotCreateFile(fileName);
    if (!namedWriteFailures || error == 0) return failure;
    return EFCreateError(failure.Message() + ": " + std::strerror(error));
}

EWriteError WriteFailure(const std::string& fileName, int error) {
    if (!namedWriteFailures) return EWriteError(messages::kStreamWrite);
    return EWriteError("Cannot write " + fileName + ": " + std::strerror(error != 0 ? error : EIO));
}

SpareFiles::~SpareFiles() {
    for (const auto& [folder, spares] : mFolders) {
        for (const Spare& spare : spares) temporary_names::Remove(spare.name);
    }
}

bool SpareFiles::Take(const std::string& folder, Spare& spare) {
    const std::lock_guard<std::mutex> lock(mMutex);
    auto found = mFolders.find(folder);
    if (found == mFolders.end() || found->second.empty()) return false;
    spare = std::move(found->second.back());
    found->second.pop_back();
    return true;
}

void SpareFiles::Give(const std::string& folder, Spare spare) {
    const std::lock_guard<std::mutex> lock(mMutex);
    mFolders[folder].push_back(std::move(spare));
}

StagedFile::StagedFile(const std::string& fileName,
                       const std::function<void(OutputStream&)>& write, SpareFiles* spares)
    : mFileName(fileName) {
    Target target;
    if (const int error = ResolveTarget(fileName, target); error != 0) {
        throw CreateFailure(fileName, error);
    }
    temporary_names::RemoveLeftovers(target.folder);
    mTarget = target.path;
    mFolder = target.folder;
    mMode = target.mode;
    off_t held = 0;
    mFd = OpenTemporary(target.folder, target.mode, spares, mTemporary, held);
    if (mFd < 0) {
        const int error = errno;
        mTemporary.clear();
        throw CreateFailure(fileName, error);
    }
    try {
        FileOutputStream stream(mFd);
        try {
            write(stream);
        } catch (const EWriteError&) {
            if (stream.Error() != 0) throw WriteFailure(fileName, stream.Error());
            throw;
        }
        // A spare that held more keeps nothing of it.
        const off_t written = ::lseek(mFd, 0, SEEK_CUR);
        if (written < held && ::ftruncate(mFd, written) != 0) throw WriteFailure(fileName, errno);
    } catch (...) {
        Remove();
        throw;
    }
}

StagedFile::~StagedFile() { Remove(); }

StagedFile::StagedFile(StagedFile&& other) noexcept
    : mFileName(std::move(other.mFileName)),
      mTarget(std::move(other.mTarget)),
      mFolder(std::move(other.mFolder)),
      mTemporary(std::move(other.mTemporary)),
      mMode(other.mMode),
      mFd(other.mFd) {
    other.mTemporary.clear();
    other.mFd = -1;
}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept {
    if (this != &other) {
        Remove();
        mFileName = std::move(other.mFileName);
        mTarget = std::move(other.mTarget);
        mFolder = std::move(other.mFolder);
        mTemporary = std::move(other.mTemporary);
        mMode = other.mMode;
        mFd = other.mFd;
        other.mTemporary.clear();
        other.mFd = -1;
    }
    return *this;
}

void StagedFile::Remove() {
    if (mFd >= 0) ::close(mFd);
    mFd = -1;
    if (!mTemporary.empty()) temporary_names::Remove(mTemporary);
    mTemporary.clear();
}

StagedFiles::~StagedFiles() {
    mFiles.clear();
    for (const auto& [folder, fd] : mFolders) ::close(fd);
}

int StagedFiles::FolderHandle(const std::string& folder) {
    auto found = mFolders.find(folder);
    if (found == mFolders.end()) {
        const int fd =
            ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        found = mFolders.emplace(folder, fd).first;
    }
    return found->second;
}

bool StagedFiles::KeepReplaced(const StagedFile& file, SpareFiles::Spare& spare) {
    // Only a file of our own that no other name shows: its content may be overwritten later.
    struct stat info {};
    static const uid_t self = ::geteuid();
    if (::stat(file.mTarget.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_nlink != 1 || info.st_uid != self) {
        return false;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        spare.name = TemporaryName(file.mFolder);
        if (temporary_names::Link(file.mTarget, spare.name)) return true;
        if (errno != EEXIST) return false;
    }
    return false;
}

bool StagedFiles::PutInPlace(const Report& report) {
    const std::size_t count = mFiles.size();
    std::vector<std::exception_ptr> failures(count);
    // All content first: the disk writes every file before any rename can make one visible.
    // A group waits once for each file system it touches (one flush of a whole file system
    // costs no more than one of a single file); should one fail, each of its files is asked
    // whether it failed.
    std::map<dev_t, int> fileSystems;  // one file of each
    std::vector<dev_t> fileSystemOf(count);
    for (std::size_t i = 0; i < count; ++i) {
        struct stat info {};
        if (::fstat(mFiles[i].mFd, &info) == 0) {
            fileSystemOf[i] = info.st_dev;
            fileSystems.emplace(info.st_dev, mFiles[i].mFd);
        }
    }
    std::set<dev_t> synced;
    if (count > 1) {
        for (const auto& [device, fd] : fileSystems) {
            if (::syncfs(fd) == 0) synced.insert(device);
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        StagedFile& file = mFiles[i];
        int error = 0;
        if (synced.count(fileSystemOf[i]) == 0 && ::fdatasync(file.mFd) != 0) error = errno;
        if (::close(file.mFd) != 0 && error == 0) error = errno;
        file.mFd = -1;
        if (error != 0) failures[i] = std::make_exception_ptr(WriteFailure(file.mFileName, error));
    }

    // Then the renames in order. Whatever went in place is made durable (its folder flushed)
    // before it is reported, and before a failure after it is; only then may a replaced file
    // take new content, since until then the folder may still name it.
    std::vector<std::size_t> renamed;
    std::vector<std::pair<std::string, SpareFiles::Spare>> replaced;
    std::size_t reported = 0;
    const auto settle = [&](std::size_t upTo) {
        std::map<std::string, int> folderErrors;
        for (const std::size_t i : renamed) {
            const std::string& folder = mFiles[i].mFolder;
            if (folderErrors.count(folder) != 0) continue;
            folderErrors[folder] = FlushFolder(FolderHandle(folder));
        }
        // A file in place whose folder did not reach the disk may not be there after a crash.
        for (const std::size_t i : renamed) {
            const int error = folderErrors[mFiles[i].mFolder];
            if (error != 0) failures[i] = std::make_exception_ptr(WriteFailure(mFiles[i].mFileName, error));
        }
        renamed.clear();
        for (auto& [folder, spare] : replaced) {
            // A replaced file that another run kept too (both linked the name before either
            // rename) goes to neither: a file two names share is never written over.
            struct stat info {};
            const bool ours = folderErrors[folder] == 0 && ::lstat(spare.name.c_str(), &info) == 0 &&
                              S_ISREG(info.st_mode) && info.st_nlink == 1;
            if (ours) {
                mSpares.Give(folder, std::move(spare));
            } else {
                temporary_names::Remove(spare.name);
            }
        }
        replaced.clear();
        for (; reported < upTo; ++reported) {
            if (!report(reported, failures[reported])) {
                ++reported;
                return false;
            }
        }
        return true;
    };
    bool goOn = true;
    for (std::size_t i = 0; i < count && goOn; ++i) {
        StagedFile& file = mFiles[i];
        if (!failures[i]) {
            SpareFiles::Spare spare;
            const bool kept = mRecycle && KeepReplaced(file, spare);
            const bool moved = temporary_names::Rename(file.mTemporary, file.mTarget);
            const int error = errno;
            if (moved) {
                file.mTemporary.clear();
                renamed.push_back(i);
                if (kept) replaced.emplace_back(file.mFolder, std::move(spare));
            } else {
                if (kept) temporary_names::Remove(spare.name);
                failures[i] = std::make_exception_ptr(CreateFailure(file.mFileName, error));
            }
        }
        if (failures[i]) goOn = settle(i + 1);
    }
    if (goOn) goOn = settle(count);
    mFiles.clear();
    return goOn;
}

void ReplaceFileWith(const std::string& fileName, const std::function<void(OutputStream&)>& write) {
    StagedFiles group;
    group.Add(StagedFile(fileName, write));
    std::exception_ptr failure;
    group.PutInPlace([&failure](std::size_t, std::exception_ptr f) {
        failure = f;
        return true;
    });
    if (failure) std::rethrow_exception(failure);
}

void ReplaceFileWithBytes(const std::string& fileName, const void* bytes, std::size_t count) {
    ReplaceFileWith(fileName,
                    [bytes, count](OutputStream& stream) { WriteWhole(stream, bytes, count); });
}

}  // namespace mosaren
