// The memorial word matcher: typing "wisp" in the main window opens the
// memorial dialog. Case matters; auto-repeated characters are ignored; a
// character that breaks the match is not taken as a new first letter.
#pragma once

#include <cstdint>

extern const char kMemorialWord[];  // "wisp"

class MemorialMatcher {
public:
    // One typed character (the low byte of WM_CHAR's wParam); repeated is
    // bit 30 of its lParam. True when the word is complete: the caller
    // opens the dialog, and matching starts afresh.
    bool OnChar(std::uint8_t character, bool repeated);
    std::int32_t index() const { return memorial_index_; }

private:
    std::int32_t memorial_index_ = 0;  // letters matched in a row
};
