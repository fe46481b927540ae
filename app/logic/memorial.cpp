#include "app/logic/memorial.h"

#include <cstring>

const char kMemorialWord[] = "wisp";

bool MemorialMatcher::OnChar(std::uint8_t character, bool repeated) {
    if (repeated) return false;
    const auto length = static_cast<std::int32_t>(std::strlen(kMemorialWord));
    if (character != static_cast<std::uint8_t>(kMemorialWord[memorial_index_])) {
        memorial_index_ = 0;
        return false;
    }
    if (++memorial_index_ < length) return false;
    memorial_index_ = 0;
    return true;
}
