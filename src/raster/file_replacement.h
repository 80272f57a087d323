#pragma once

// Replacing a file only once its new content is complete. The content goes to a temporary file
// in the same folder, which is renamed over the target when the whole of it has been written
// and flushed; on any failure the temporary file is removed and an existing target is left
// exactly as it was. A tile that fails to write therefore never leaves a truncated file in
// place of a good one; the same holds for every file the program writes.
//
// Many files can be replaced together (StagedFiles): each is written to its temporary file as
// it comes, and a group of them is flushed to the disk at once, renamed in order and its folders
// flushed once, which makes the same promise for far fewer waits on the disk than flushing each
// file and its folder in turn. A group also recycles what it replaces: the file a rename
// replaces keeps a hidden name (SpareFiles) until the rename is on the disk, and then takes the
// content of a later file, so that a run of many files does not make a new one for each (which
// costs a file system far more than rewriting one).

#include <sys/types.h>

#include <cstddef>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "exceptions.h"

namespace mosaren {

class OutputStream;

// Files that replaced ones have left, kept under temporary names for later content: each is a
// file of the run's own user that no other name shares, whose old content no name shows any more.
// Another run over the same folder may have kept the same file at the same moment; such a file
// is used by neither (its names are counted when it is kept and again when it is taken), so
// that the spares of concurrent runs are never shared.
// A spare carries nothing over into the file it becomes: one with an extended attribute (an ACL
// entry is one), or of another user or group, is removed rather than used, and a spare takes
// the permissions the new file would have.
// Safe to use from several threads. The files left are removed when the pool goes.
class SpareFiles {
public:
    SpareFiles() = default;
    ~SpareFiles();
    SpareFiles(const SpareFiles&) = delete;
    SpareFiles& operator=(const SpareFiles&) = delete;

    struct Spare {
        std::string name;
    };
    // A spare in folder (with its trailing '/', or "" for the current one), if there is one.
    bool Take(const std::string& folder, Spare& spare);
    void Give(const std::string& folder, Spare spare);

private:
    std::mutex mMutex;
    std::map<std::string, std::vector<Spare>> mFolders;
};

// A file's whole new content written to a temporary file beside it, not yet in place: an
// existing file of that name is untouched. Destroying a staged file that was never put in place
// removes the temporary file.
class StagedFile {
public:
    // Runs write on a stream into the new content of fileName. Raises "Cannot create file %s"
    // (the name as passed) when the file cannot be created or replaced: a folder that does not
    // exist, a name that is not valid, an existing target that is read-only or a folder; lets
    // any failure of write go on to the caller. Either way no temporary file is left.
    StagedFile(const std::string& fileName, const std::function<void(OutputStream&)>& write,
               SpareFiles* spares = nullptr);
    ~StagedFile();
    StagedFile(StagedFile&& other) noexcept;
    StagedFile& operator=(StagedFile&& other) noexcept;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    const std::string& FileName() const { return mFileName; }

private:
    friend class StagedFiles;
    void Remove();

    std::string mFileName;   // as the caller named it
    std::string mTarget;     // where the rename puts it: through a link, the file it points to
    std::string mFolder;     // the target's folder, with its trailing '/', or "" for the current
    std::string mTemporary;  // empty once put in place
    mode_t mMode = 0;        // the target's permissions
    int mFd = -1;
};

// Staged files that go in place together, in the order they were added. Those that never went
// in place go with the group: their temporary files are removed.
class StagedFiles {
public:
    // With recycle, the files the renames replace are kept in Spares() for the files staged
    // next; without, they go as a rename leaves them.
    explicit StagedFiles(bool recycle = false) : mRecycle(recycle) {}
    ~StagedFiles();
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    void Add(StagedFile file) { mFiles.push_back(std::move(file)); }
    std::size_t Count() const { return mFiles.size(); }

    // Told, in order, whether each file went in place: failure is null when it did, else
    // WriteFailure (the disk did not take its content, or its folder's new entry) or "Cannot
    // create file %s" (the rename was refused). Returning false stops there: the files after it are not put in place.
    using Report = std::function<bool(std::size_t index, std::exception_ptr failure)>;

    // Flushes every file's content to the disk (one flush of each file system the group
    // touches, which costs no more than one for a single file), renames each over its target in
    // order, flushes each folder once and then reports each file, in order; the group is empty
    // afterwards. A file is told in place only once its content and its folder are flushed. Returns false when a report stopped it.
    bool PutInPlace(const Report& report);

    // What the group's renames replace, for the files that are staged next.
    SpareFiles& Spares() { return mSpares; }

private:
    int FolderHandle(const std::string& folder);
    // Keeps the file a rename is about to replace under a temporary name, if it can be used
    // again; false when it cannot.
    bool KeepReplaced(const StagedFile& file, SpareFiles::Spare& spare);

    bool mRecycle;
    std::vector<StagedFile> mFiles;
    std::map<std::string, int> mFolders;  // kept open for the next group
    SpareFiles mSpares;
};

// Runs write on a stream into the new content of fileName and puts it in place. Raises "Cannot
// create file %s" (the name as passed) when the file cannot be created or replaced: a folder
// that does not exist, a name that is not valid, an existing target that is read-only or a
// folder. Raises "Stream write error" when the content cannot be flushed to the disk, and lets
// any failure of write go on to the caller, after removing the temporary file.
void ReplaceFileWith(const std::string& fileName, const std::function<void(OutputStream&)>& write);

// The same with the whole new content at hand.
void ReplaceFileWithBytes(const std::string& fileName, const void* bytes, std::size_t count);

// How a file that the disk did not take is told: by default "Stream write error", and a file
// that could not be made "Cannot create file NAME"; once named, "Cannot write NAME: REASON" and
// "Cannot create file NAME: REASON" with the name as passed and the system's reason ("No space
// left on device", "Read-only file system"), for a front end whose user must learn which file
// and why. For the whole process.
void NameWriteFailures(bool named);
// The failure of writing fileName for the system's reason error (an errno value).
EWriteError WriteFailure(const std::string& fileName, int error);
// The failure of making fileName (or its temporary file, or putting it in place) for the
// system's reason error; 0 gives no reason.
EFCreateError CreateFailure(const std::string& fileName, int error);

}  // namespace mosaren
