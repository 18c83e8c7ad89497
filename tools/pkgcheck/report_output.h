// The package report for people (text) and for scripts (JSON).
#pragma once
#include <ostream>

#include "tools/pkgcheck/package_report.h"

namespace pkgcheck {

void PrintText(const Report& report, std::ostream& out);
void PrintJson(const Report& report, std::ostream& out);

}  // namespace pkgcheck
