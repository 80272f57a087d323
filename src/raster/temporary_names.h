#pragma once

// Every file the program makes under a temporary name (".mosaren-" and six letters or digits,
// beside the file it will replace) is listed here from the moment it exists until its name is
// gone: renamed over its target or removed. Making, renaming and removing such a name happen
// under one lock, so the list is never behind the folder; RemoveAllAndHold can then clear up
// after a run that is stopped from outside (a signal) at any point.

#include <sys/types.h>

#include <string>

namespace mosaren::temporary_names {

// A new file of that name (O_CREAT | O_EXCL), listed; -1 with errno set when it cannot be made.
int Create(const std::string& name, mode_t mode);
// A second name for an existing file, listed; false with errno set when it cannot be made.
bool Link(const std::string& existing, const std::string& name);
// Renames a listed name over target and takes it off the list; false with errno set.
bool Rename(const std::string& name, const std::string& target);
// Removes a listed name and takes it off the list.
void Remove(const std::string& name);

// Removes every listed name and keeps the lock for good: from then on, no temporary file is
// made, renamed or removed, so nothing new is left behind. For the last moments of a process.
void RemoveAllAndHold();

// Whether name (the last part of a path) is of the temporary naming.
bool IsTemporaryName(const std::string& name);

// Removes the temporary files in folder (with its trailing '/', or "" for the current one) that
// a stopped run left: files of ours, of the temporary naming, unchanged for some minutes, and
// not listed here. Looks at each folder once per process.
void RemoveLeftovers(const std::string& folder);

}  // namespace mosaren::temporary_names
