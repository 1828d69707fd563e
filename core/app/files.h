// Whole-file reading and atomic replacement, for the files the program keeps
// (the settings store, correction tables): a reader never sees half a file,
// and a write that fails leaves the old file as it was.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace wegator {

enum class ReadState { Missing, Unreadable, TooLarge, Read };

struct FileRead {
    ReadState state = ReadState::Missing;
    std::string data;  // the whole file when state is Read, else empty
};

// The largest settings store read. A store holds a few hundred short values,
// some kilobytes; a file of many megabytes is no store, and reading it whole
// would take as much memory.
inline constexpr std::uintmax_t kSettingsStoreSizeLimit = 1024 * 1024;

// Writes all of `data` to the open file `fd`, however many writes it takes;
// false, with errno set, when the file refuses them.
bool WriteAll(int fd, std::string_view data);

// Reads a regular file whole. A folder, a pipe or a device is Unreadable, and
// is never waited on. A file of more than `sizeLimit` bytes (or one that grows
// past it while it is read) is TooLarge and never held in memory.
FileRead ReadWholeFile(const std::filesystem::path& file, std::uintmax_t sizeLimit);

// Who may read a replaced file.
enum class FileAccess {
    Private,      // the user only (the settings store)
    LikeTheOld,   // the permissions of the file replaced, or the usual ones for a new file
};

// The file a path names once symbolic links are followed (relative links
// from their own folder); a dangling link names the file it would create.
std::filesystem::path FollowLinks(std::filesystem::path file);

// Writes the contents into a temporary file beside the target, flushes it to
// the disk and renames it over the target; missing folders are created. On any
// failure the temporary file is removed, the target is left as it was and
// false is returned. A target that is a symbolic link is replaced at the
// link's end, so the link stays; temporary files that an earlier write of the
// same target left behind (the program was killed) are removed. Only a
// regular file, or a name where nothing is yet, is replaced: a pipe, a
// device, a socket or a folder (at the link's end too) is refused and stays.
bool ReplaceFileAtomically(const std::filesystem::path& file, std::string_view contents,
                           FileAccess access = FileAccess::Private);

}  // namespace wegator
