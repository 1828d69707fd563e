// Reading a whole input file of wegator-cli (a batch, a table, recorded lines).
#pragma once

#include <string>

namespace wegator::cli {

// The whole of the file at `path`, or of standard input for "-". Throws
// UsageError "cannot read <what> '<path>': <reason>" (or "cannot read <what>
// from standard input: <reason>") when it cannot be opened, is a folder, or
// a read fails midway.
std::string ReadInputFile(const std::string& path, const std::string& what);

}  // namespace wegator::cli
