// Reading `winsim inventory`'s output in tests: one section at a time, its table rows without
// their column padding.
#pragma once
#include <string>

namespace testsupport {

// Runs of blanks become one, so table rows compare without their padding.
std::string Squeezed(const std::string& text);

// The lines of an inventory section, squeezed, from its heading ("Print processors") to the
// blank line that ends it; empty when there is no such section.
std::string Section(const std::string& inventory, const std::string& heading);

}  // namespace testsupport
