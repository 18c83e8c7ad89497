// Reading the number a user typed into a numeric edit box.
#pragma once
#include <cstdint>
#include <string_view>

namespace plugin {

// The number at the start of an edit's text: leading blanks skipped, then the decimal digits up
// to the first other character. 0 when there are none (an emptied box), so the page's range
// rule then raises it to the smallest value. Large numbers stop at 99999, far above every range
// the pages check, so no digit string can overflow.
std::uint32_t ReadEditNumber(std::string_view text);

}  // namespace plugin
