#include "file_replacement.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <fstream>
#include <random>
#include <set>

#include "byte_stream.h"
#include "exceptions.h"
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

struct Target {
    std::string folder;  // with its trailing '/', or "" for the current folder
    std::string path;    // where the rename puts the file
    mode_t mode = 0;     // permissions the new file gets
};

// Follows the links from path to the name at their end, which names no file yet; false when
// the chain is broken otherwise (a loop, a folder on the way that cannot be searched).
bool DanglingLinkTarget(std::string& path) {
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) return errno == ENOENT;
        if (!S_ISLNK(info.st_mode)) return false;
        std::string to(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), to.data(), to.size());
        if (length < 0 || static_cast<std::size_t>(length) >= to.size()) return false;
        to.resize(static_cast<std::size_t>(length));
        // A relative link counts from the link's own folder.
        const std::size_t slash = path.rfind('/');
        path = to.front() == '/' || slash == std::string::npos ? to : path.substr(0, slash + 1) + to;
    }
    return false;
}

// Where the new file goes, or nothing when the name cannot be a file that we may replace.
bool ResolveTarget(const std::string& fileName, Target& target) {
    if (fileName.empty() || fileName.back() == '/') return false;
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
            return false;
        }
    }

    const std::size_t slash = path.rfind('/');
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base == "." || base == ".." || base.size() > NAME_MAX) return false;
    target.folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    target.path = path;
    // The permissions a newly created file would get.
    target.mode = 0666 & ~ProcessUmask();

    // What lstat found stands unless it was a link.
    const bool exists = link ? ::stat(path.c_str(), &info) == 0 : named;
    if (!exists && (link ? errno : missing) != ENOENT) return false;
    if (exists) {
        if (!S_ISREG(info.st_mode)) return false;
        // A read-only file is not replaced, even by a user whom the system would let write it.
        if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
        if (::access(path.c_str(), W_OK) != 0) return false;
        target.mode = info.st_mode & 07777;
    }
    return true;
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
        if (fd >= 0 && (spare.mode == mode || ::fchmod(fd, mode) == 0)) {
            name = spare.name;
            size = spare.size;
            return fd;
        }
        if (fd >= 0) ::close(fd);
        temporary_names::Remove(spare.name);
    }
    size = 0;
    return CreateTemporary(folder, mode, name);
}

}  // namespace

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
    if (!ResolveTarget(fileName, target)) throw CannotCreateFile(fileName);
    temporary_names::RemoveLeftovers(target.folder);
    mTarget = target.path;
    mFolder = target.folder;
    mMode = target.mode;
    off_t held = 0;
    mFd = OpenTemporary(target.folder, target.mode, spares, mTemporary, held);
    if (mFd < 0) {
        mTemporary.clear();
        throw CannotCreateFile(fileName);
    }
    try {
        FileOutputStream stream(mFd);
        write(stream);
        // A spare that held more keeps nothing of it.
        const off_t written = ::lseek(mFd, 0, SEEK_CUR);
        if (written < held && ::ftruncate(mFd, written) != 0) {
            throw EWriteError(messages::kStreamWrite);
        }
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
        if (temporary_names::Link(file.mTarget, spare.name)) {
            spare.mode = info.st_mode & 07777;
            spare.size = info.st_size;
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

bool StagedFiles::PutInPlace(const Report& report) {
    const std::size_t count = mFiles.size();
    std::vector<std::exception_ptr> failures(count);
    // All content first: the disk writes every file before any rename can make one visible.
    // A group waits for the disk once; should that fail, each file is asked whether it failed.
    const bool allSynced = count > 1 && ::syncfs(mFiles.front().mFd) == 0;
    for (std::size_t i = 0; i < count; ++i) {
        StagedFile& file = mFiles[i];
        const bool synced = allSynced || ::fdatasync(file.mFd) == 0;
        const bool closed = ::close(file.mFd) == 0;
        file.mFd = -1;
        if (!synced || !closed) failures[i] = std::make_exception_ptr(EWriteError(messages::kStreamWrite));
    }

    // Then the renames in order. Whatever went in place is made durable (its folder flushed)
    // before it is reported, and before a failure after it is; only then may a replaced file
    // take new content, since until then the folder may still name it.
    std::set<std::string> renamedIn;
    std::vector<std::pair<std::string, SpareFiles::Spare>> replaced;
    std::size_t reported = 0;
    const auto settle = [&](std::size_t upTo) {
        for (const std::string& folder : renamedIn) {
            const int fd = FolderHandle(folder);
            if (fd >= 0) ::fsync(fd);  // best effort: the renames are done
        }
        renamedIn.clear();
        for (auto& [folder, spare] : replaced) mSpares.Give(folder, std::move(spare));
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
            if (temporary_names::Rename(file.mTemporary, file.mTarget)) {
                file.mTemporary.clear();
                renamedIn.insert(file.mFolder);
                if (kept) replaced.emplace_back(file.mFolder, std::move(spare));
            } else {
                if (kept) temporary_names::Remove(spare.name);
                failures[i] = std::make_exception_ptr(CannotCreateFile(file.mFileName));
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
