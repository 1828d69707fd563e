#include "lab/base/lab_messages.h"

#include "text/strings.h"

namespace wegator::lab {

std::string MessageText(int id, std::initializer_list<std::string_view> arguments) {
    return FillIn(LoadString(id), arguments);
}

}  // namespace wegator::lab
