// The operation dialog's titles and its reading of the typed paper feed.
#include "plugin/pages/OperationOptions.h"

#include <algorithm>

namespace plugin {

std::string_view OperationDialogTitle(OperationMoment moment) {
    switch (moment) {
        case OperationMoment::StartDocument: return "Start Document Operation";
        case OperationMoment::StartPage: return "Start Page Operation";
        case OperationMoment::EndPage: return "End Page Operation";
        case OperationMoment::EndDocument: break;
    }
    return "End Document Operation";
}

std::optional<int> PaperFeedFromText(std::u16string_view text) {
    std::size_t at = 0;
    while (at < text.size() && text[at] == u' ') ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) negative = text[at++] == u'-';
    if (at >= text.size() || text[at] < u'0' || text[at] > u'9') return std::nullopt;
    int value = 0;
    // Counting stops above the limit, so a long run of digits cannot overflow.
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at)
        value = std::min(value * 10 + (text[at] - u'0'), kMaxPaperFeed + 1);
    // A negative feed would wrap in the stored byte; nothing feeds backwards.
    return negative ? 0 : std::min(value, kMaxPaperFeed);
}

}  // namespace plugin
