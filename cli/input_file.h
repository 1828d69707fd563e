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
// result is written, once to compute them. A regular file is simply read
// again from its start; standard input, a pipe or a device is kept in an
// unnamed temporary file as it is first read. Either way the memory used is
// one block, whatever the length of the file. Read errors throw UsageError as
// ReadInputFile does.
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
    std::FILE* kept_ = nullptr;  // the temporary copy of an input that cannot be read twice
    off_t start_ = 0;          // where a regular file's first reading began
    bool second_ = false;
    std::size_t firstLength_ = 0;   // bytes of the first reading
    std::size_t secondLength_ = 0;  // bytes of the second reading so far
    std::vector<char> block_;
};

}  // namespace wegator::cli
