// Access keys (the letter after '&' in a control's text) that clash among the controls shown
// together on one of setup's pages: Alt plus such a letter reaches only the first control.
#pragma once
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tools/pkgcheck/package_report.h"

namespace pkgcheck {

// The access key of a control text: the upper-case ASCII letter or digit after the first single
// '&' ("&&" is a literal '&'); 0 when the text has none.
char AccessKeyOf(const std::string& text);

struct LabelledText {
    std::string label;  // "[Legal] Reject"
    std::string text;
};
// One "clashing-access-keys" problem per key that two or more of the texts share.
std::vector<Problem> AccessKeyClashes(const std::string& page, const std::vector<LabelledText>& texts);

// The clashes on each wizard page (with the frame's buttons) and in the About box, read from
// language\setup.ini of the package the platform's process runs in.
std::vector<Problem> CheckAccessKeys(plat::Platform& platform);

}  // namespace pkgcheck
