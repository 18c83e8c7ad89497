// The custom paper sizes of the "Utility" page: spooler forms whose names hold "Custom Paper-",
// the model's own form, the size limits of the edits and reading the forms list.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms.h"

namespace plugin {

inline constexpr std::u16string_view kCustomPaperPrefix = u"Custom Paper-";  // 13 characters
inline constexpr std::u16string_view kModelFormName = u"Custom Paper-ZK450i";
inline constexpr std::int32_t kModelFormWidth = 72000;    // 72 mm, in 0.001 mm
inline constexpr std::int32_t kModelFormHeight = 297000;  // 297 mm
// What the user types after the prefix: 13 + 18 = 31 characters, the main page's paper name.
inline constexpr int kTypedNameLimit = 18;

// The edits hold 0.1 mm; a form holds 0.001 mm.
inline constexpr std::int32_t kFormUnitsPerEditUnit = 100;

// An edit's range in 0.1 mm with the text the edit shows for each bound.
struct PaperLimit {
    std::uint32_t low;
    std::uint32_t high;
};
inline constexpr PaperLimit kWidthLimit{410, 720};     // 41 mm to 72 mm
inline constexpr PaperLimit kHeightLimit{254, 32760};  // 25.4 mm to 3276 mm

// A value read from an edit, brought into the limit. The comparison is made on the value as an
// unsigned number, so a negative entry counts as a huge one and becomes the upper bound.
struct ClampedValue {
    std::uint32_t value;
    bool corrected;  // the edit must show the bound instead of what was typed
};
ClampedValue ClampToLimit(std::int32_t typed, PaperLimit limit);

// The number an edit holds, read as GetDlgItemInt reads a signed number: leading blanks, an
// optional minus and decimal digits up to the end, within 32 bits; 0 for anything else
// (an empty edit among it).
std::int32_t ReadSignedNumber(std::u16string_view text);

// A form belongs to the page when its name holds the prefix anywhere.
bool IsCustomPaperName(std::u16string_view name);
// The name shown in the name edit: the form's name from its 14th character on (the prefix's
// length cut off, wherever the prefix stands). Empty for a shorter name.
std::u16string TypedPartOf(std::u16string_view name);

// One form as the page uses it.
struct PaperForm {
    std::u16string name;
    std::int32_t cx = 0;
    std::int32_t cy = 0;
};

// EnumFormsW level 1 as the page calls it: first with a buffer of `firstSize` bytes (32, or 0)
// to learn the size, then with a buffer of that size. Nothing when either call fails.
std::optional<std::vector<PaperForm>> EnumeratePaperForms(plat::Forms& forms,
                                                          plat::PrinterHandle printer,
                                                          std::uint32_t firstSize);

// The FORM_INFO_1W the page writes: a user form, imageable over the whole sheet. The record
// points into `name`, which must outlive it.
plat::FORM_INFO_1W UserFormRecord(std::u16string& name, std::int32_t cx, std::int32_t cy);

}  // namespace plugin
