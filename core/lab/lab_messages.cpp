#include "lab/lab_messages.h"

#include "text/strings.h"

namespace wegator::lab {

std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
    std::string out;
    auto next = arguments.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == 's' || pattern[i + 1] == 'd') &&
            next != arguments.end()) {
            out += *next++;
            ++i;
            continue;
        }
        out += pattern[i];
    }
    return out;
}

std::string MessageText(int id, std::initializer_list<std::string_view> arguments) {
    return FillIn(LoadString(id), arguments);
}

}  // namespace wegator::lab
