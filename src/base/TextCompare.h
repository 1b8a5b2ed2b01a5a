#pragma once

#include <string_view>

// Compares two UTF-8 texts without regard to case, the way a German user sorts names:
// umlauts sort with their base letters (ä with a, ß as ss), then ties are broken by the
// letters themselves. Negative, zero or positive like strcmp.
int CompareNoCase(std::string_view a, std::string_view b);
