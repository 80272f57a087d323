#include "file_replacement.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>
#include <set>

#include "byte_stream.h"
#include "exceptions.h"

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
    // The permissions a newly created file would get.
    target.mode = 0666 & ~ProcessUmask();

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

// A new file of a name no other file has, ".mosaren-" and six letters or digits, in folder;
// -1 when none can be made there.
int CreateTemporary(const std::string& folder, mode_t mode, std::string& name) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::atomic<unsigned> streams{0};
    thread_local std::mt19937 random(std::random_device{}() + streams++);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + ".mosaren-";
        for (int i = 0; i < 6; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
        const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            // The umask may have taken bits the target keeps.
            if ((mode & ProcessUmask()) != 0 && ::fchmod(fd, mode) != 0) {
                ::close(fd);
                ::unlink(name.c_str());
                return -1;
            }
            return fd;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;
}

}  // namespace

StagedFile::StagedFile(const std::string& fileName,
                       const std::function<void(OutputStream&)>& write)
    : mFileName(fileName) {
    Target target;
    if (!ResolveTarget(fileName, target)) throw CannotCreateFile(fileName);
    mTarget = target.path;
    mFolder = target.folder;
    mFd = CreateTemporary(target.folder, target.mode, mTemporary);
    if (mFd < 0) {
        mTemporary.clear();
        throw CannotCreateFile(fileName);
    }
    try {
        FileOutputStream stream(mFd);
        write(stream);
    } catch (...) {
        Remove();
        throw;
    }
    // The disk starts on the content now; putting the file in place waits for it.
    ::sync_file_range(mFd, 0, 0, SYNC_FILE_RANGE_WRITE);
}

StagedFile::~StagedFile() { Remove(); }

StagedFile::StagedFile(StagedFile&& other) noexcept
    : mFileName(std::move(other.mFileName)),
      mTarget(std::move(other.mTarget)),
      mFolder(std::move(other.mFolder)),
      mTemporary(std::move(other.mTemporary)),
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
        mFd = other.mFd;
        other.mTemporary.clear();
        other.mFd = -1;
    }
    return *this;
}

void StagedFile::Remove() {
    if (mFd >= 0) ::close(mFd);
    mFd = -1;
    if (!mTemporary.empty()) ::unlink(mTemporary.c_str());
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

bool StagedFiles::PutInPlace(const Report& report) {
    const std::size_t count = mFiles.size();
    std::vector<std::exception_ptr> failures(count);
    // All content first: the disk writes every file before any rename can make one visible.
    for (std::size_t i = 0; i < count; ++i) {
        StagedFile& file = mFiles[i];
        const bool synced = ::fdatasync(file.mFd) == 0;
        const bool closed = ::close(file.mFd) == 0;
        file.mFd = -1;
        if (!synced || !closed) failures[i] = std::make_exception_ptr(EWriteError(messages::kStreamWrite));
    }

    // Then the renames in order. Whatever went in place is made durable (its folder flushed)
    // before it is reported, and before a failure after it is.
    std::set<std::string> renamedIn;
    std::size_t reported = 0;
    const auto settle = [&](std::size_t upTo) {
        for (const std::string& folder : renamedIn) {
            const int fd = FolderHandle(folder);
            if (fd >= 0) ::fsync(fd);  // best effort: the renames are done
        }
        renamedIn.clear();
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
            if (::rename(file.mTemporary.c_str(), file.mTarget.c_str()) == 0) {
                file.mTemporary.clear();
                renamedIn.insert(file.mFolder);
            } else {
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
