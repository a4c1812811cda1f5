#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::files {

// The whole file as bytes, or nothing when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string& path);

// Creates the file empty when it is missing and leaves an existing one unchanged. False when it
// cannot be opened or created.
bool ensureFileExists(const std::string& path);

// Size in bytes, or nothing when the file cannot be opened.
std::optional<std::uintmax_t> fileSize(const std::string& path);

// True when nothing is at the path: no file and no folder, or a symbolic link to nothing (saving
// to it creates the link's target).
bool isMissing(const std::string& path);

// Replaces the file with the bytes, creating it when missing:
//  - a symbolic link, or a chain of them, is written through: its final target is replaced and
//    the link stays; a dangling link gets its target created;
//  - an existing file this user may not write is refused and left alone, even where its folder
//    would let a rename replace it;
//  - the bytes go to a new file with a short name in the target's folder (so a target name near
//    the length limit works), which gets the old file's permission bits, is flushed to the disk
//    and renamed over the target: readers see the old file or the new one, and on any failure
//    the old file stays as it was;
//  - only where no file can be made in that folder (a read-only folder holding a writable file)
//    is the file overwritten in place, as a plain save does; a failure may then leave it cut
//    short.
// False on any failure, which never leaves a new file (target or temporary) behind.
bool replaceFileAtomically(const std::string& path, std::string_view bytes);

// Appends one line (its CR LF included) to the file, creating it when missing and following
// symbolic links. A file whose last line has no line end gets a CR LF before the new line. The
// line goes out in one write and is flushed to the disk. A file this user may not write is
// refused. False on any failure, which leaves the file as it was: a part written is cut off again,
// a file this call created is removed.
// Appends of several processes never hurt each other: each holds an exclusive lock on the file
// from reading its size through the write, the flush and any taking back, so a line taken back
// never takes another writer's with it. An append waits for another's lock; a lock held longer
// than kAppendLockWait (a stuck program) fails the append and leaves the file alone.
bool appendLine(const std::string& path, std::string_view line);

// The points of an append that another writer can meet: it found the file locked by another
// append and waits, or it holds the lock and has read the size it would go back to.
enum class AppendStage { WaitingForLock, Locked };
// Called at those points in this process (an empty function: none). Lets a test hold one append
// in the middle and run another against it in a known order.
void setAppendObserver(std::function<void(AppendStage)> observer);
// Tells the observer that an append reached the stage; every platform's append calls it.
void reportAppendStage(AppendStage stage);

// How long an append waits for another's lock on the file.
inline constexpr std::chrono::milliseconds kAppendLockWait{10000};
// Takes an append's lock by trying it (tryLock: true when taken, false while another holds it,
// nothing on any other failure) until it is taken or kAppendLockWait has passed; reports
// WaitingForLock once when the first try finds it held. True when taken.
bool takeAppendLock(const std::function<std::optional<bool>()>& tryLock);

// Whether appendLine could add to the file now: an existing regular file this user may write, or
// a missing one whose folder exists and takes new files. Nothing is created.
bool canAppendTo(const std::string& path);

// Joins a folder and a file name with "/" (the folder is always put in front, as the programs do
// with their own folder).
std::string joinPath(std::string_view folder, std::string_view name);

}  // namespace orvane::files
