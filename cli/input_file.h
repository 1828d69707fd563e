// Reading the input files of wegator-cli (a batch, a table, recorded lines).
#pragma once

#include <sys/types.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace wegator::cli {

// The whole of the file at `path`, or of standard input for "-". Throws
// UsageError "cannot read <what> '<path>': <reason>" (or "cannot read <what>
// from standard input: <reason>") when it cannot be opened, is a folder, or
// a read fails midway.
std::string ReadInputFile(const std::string& path, const std::string& what);

// A batch file read twice, in blocks: once to check every row before any
// result is written, once to compute them. The file (or standard input, a
// pipe, a device) is read once and kept in an unnamed temporary file as it is
// first read; the second reading reads that copy, so it computes exactly the
// rows that were checked, whatever happens to the file meanwhile. The memory
// used is one block, whatever the length of the file. Read errors throw
// UsageError as ReadInputFile does.
class TwoPassInput {
public:
    TwoPassInput(const std::string& path, const std::string& what);
    ~TwoPassInput();
    TwoPassInput(const TwoPassInput&) = delete;
    TwoPassInput& operator=(const TwoPassInput&) = delete;

    // The next block of the current pass; empty at its end.
    std::string_view NextBlock();
    // Starts the second pass at the first byte.
    void Rewind();

private:
    [[noreturn]] void Fail(int error) const;

    std::string path_;
    std::string what_;
    int fd_ = -1;              // the file itself, or standard input
    std::FILE* kept_ = nullptr;  // the copy of what the first reading saw
    bool second_ = false;
    std::vector<char> block_;
};

}  // namespace wegator::cli
