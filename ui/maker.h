// Where the maker of the program can be reached (About box, page logo).
#pragma once

namespace wegator::maker {

inline constexpr const char* kWebSite = "https://www.example.com";
inline constexpr const char* kEmail = "biuro@example.com";
inline constexpr const char* kHumiditySite = "https://humidity.example.com";

}  // namespace wegator::maker
