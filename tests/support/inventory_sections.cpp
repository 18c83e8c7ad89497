// Reading `winsim inventory`'s output in tests.
#include "tests/support/inventory_sections.h"

#include <sstream>

namespace testsupport {

std::string Squeezed(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ' || (!out.empty() && out.back() != ' ')) out += c;
    return out;
}

std::string Section(const std::string& inventory, const std::string& heading) {
    std::istringstream in(inventory);
    std::string section;
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (!inside && line.rfind(heading, 0) == 0) inside = true;
        if (inside && line.empty()) break;
        if (inside) section += Squeezed(line) + "\n";
    }
    return section;
}

}  // namespace testsupport
