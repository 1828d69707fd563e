// Reading a file the station recorded, or any file a user names as one, without
// trusting the name: a pipe would hang the reader for ever, a device such as
// /dev/zero would fill the memory, and a folder holds no text. Only a regular
// file is read, in pieces, and no more of it than a limit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace wegator::lab {

namespace msg {
// Why a file named as a recorded one is not read; each follows the file's
// name. One that cannot be opened at all is RecordedCannotRead (1457), which
// names the file itself.
inline constexpr int FileIsFolder = 1490;   // "to folder, nie plik"
inline constexpr int FileIsPipe = 1491;     // "to potok (FIFO) lub gniazdo, nie plik"
inline constexpr int FileIsDevice = 1492;   // "to urządzenie, nie plik"
inline constexpr int FileOverLimit = 1493;  // "plik ma ponad %s MiB, …"
}  // namespace msg

// The largest recorded file read: 512 MiB. A data file written every minute
// grows by some 100 MiB a year, so this is years of records; a file beyond it
// is no station's record, and reading it would take several times its size
// in memory.
inline constexpr std::uintmax_t kRecordedFileSizeLimit = std::uintmax_t{512} * 1024 * 1024;

struct RegularFileRead {
    std::optional<std::string> text;  // the whole file; nothing when refused
    std::int64_t modified = 0;        // its last change, seconds since 1970 (UTC)
    int errorId = 0;                  // why it was refused: one of the messages above
    std::string error;                // the reason, in the language in force, without the file's name
};

// Reads `path` whole when it is a regular file of at most `limit` bytes. It is
// opened without waiting (a FIFO answers at once) and looked at before a byte
// is read; a file that grows past the limit while it is read is refused too.
RegularFileRead ReadRegularFile(const std::string& path, std::uintmax_t limit = kRecordedFileSizeLimit);

// The reason a file of mode `mode` (st_mode) is not a regular file one could
// read or replace, as ReadRegularFile gives it; nothing for a regular file.
std::optional<std::pair<int, std::string>> NotARegularFile(unsigned mode);

}  // namespace wegator::lab
