// A text file that grows by whole lines: the laboratory data file and the
// files of a calibration run. Every append is one write of complete lines
// that either lands whole or not at all, so a reader (or the next start of
// the program) never finds half a record:
//
// - a write that fails or comes up short (disk full, a size limit, a drive
//   pulled) is cut back to where the file ended before it;
// - a last line left torn by someone else (or by a crash of an older
//   program) gets its line end before the next line is appended;
// - a file deleted or replaced under the program is opened again by its path.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace wegator::lab {

// Where whole lines go. The data file writes through this, so that tests can
// put a failing disk under it.
class LineSink {
public:
    virtual ~LineSink() = default;
    // Appends `lines` (complete lines, "\r\n" ends) whole, or nothing of them;
    // false when it failed (Error() says why).
    virtual bool Append(std::string_view lines) = 0;
    // Looks whether the file at the path is still the one written to; when it
    // was deleted or replaced, opens the path again and returns true: the file
    // there holds none of the earlier lines.
    virtual bool StartedAnew() = 0;
    virtual std::string Error() const = 0;
};

class RecordFile : public LineSink {
public:
    enum class Mode {
        OpenOrCreate,  // keep what the file holds; create it when missing
        Exclusive,     // create it; a file of that name already there is a failure
        OwnFile,       // as OpenOrCreate, but a link planted in its place is refused, never followed
    };
    struct Opened {
        std::unique_ptr<RecordFile> file;  // null when the file could not be opened
        bool existed = false;              // the file was there before
        std::string error;
    };
    // Opens `path` for appending, readable by others meanwhile.
    static Opened Open(const std::string& path, Mode mode);

    ~RecordFile() override;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    const std::string& Path() const { return path_; }
    // Empties the file (the user chose to start it afresh).
    bool Empty() { return CutTo(0); }
    // Cuts the file back to its first `size` bytes (a line torn by a stop).
    bool CutTo(std::uintmax_t size);

    bool Append(std::string_view lines) override;
    bool StartedAnew() override;
    std::string Error() const override { return error_; }

private:
    RecordFile(std::string path, int fd, int flags) : path_(std::move(path)), fd_(fd), flags_(flags) {}
    // Opens the path again when the file there is no longer the one held.
    bool FollowPath();
    bool TakeRecreated();
    bool Fail(const std::string& what, int errorNumber);

    std::string path_;
    int fd_ = -1;
    int flags_ = 0;  // besides those every open has
    bool recreated_ = false;
    std::string error_;
};

}  // namespace wegator::lab
