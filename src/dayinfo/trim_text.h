#pragma once

#include <string>
#include <string_view>

namespace tavomerix {

// The text without its leading and trailing ASCII spaces (only ' '; tabs and full-width
// spaces stay); "" for a text of spaces only.
std::string trimSpaces(std::string_view text);

// a + " " + b, trimmed: the joint of two line parts with no doubled or dangling space when
// either part is empty.
std::string joinTrimmed(std::string_view a, std::string_view b);

}  // namespace tavomerix
