// The names of a program's resource header (`#define IDC_BACK 1002`), so that the driver
// takes script actions by name and writes names into the transcript as the simulator does.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace windriver {

class ResourceNames {
public:
    // Reads every `#define NAME NUMBER` line (decimal, possibly negative or in parentheses);
    // other lines are ignored.
    static ResourceNames Parse(const std::string& headerText);

    // The number of NAME: the header's, else Windows' standard ids (IDOK, IDCANCEL, ...).
    std::optional<int> IdOf(const std::string& name) const;
    // A name for `id`: the first header name with `prefix` ("IDD_", "IDC_"), else the first of
    // any prefix, else the standard id's name; empty when none.
    std::string NameOf(int id, const std::string& prefix) const;

private:
    std::vector<std::pair<std::string, int>> names_;
};

}  // namespace windriver
