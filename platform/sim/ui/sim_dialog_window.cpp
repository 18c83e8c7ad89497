// A simulated dialog window: control state, timers, pages, painting and the desktop window.
#include "platform/sim/ui/sim_dialog_window.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "platform/sim/state/code_page.h"
#include "platform/sim/state/win_path.h"
#include "platform/sim/ui/dialog_host.h"
#include "platform/sim/ui/pixel_painter.h"
#include "platform/sim/ui/rc_tokens.h"
#include "platform/sim/ui/sim_property_sheet.h"

namespace sim {

namespace {

constexpr int kColourButtonFace = 15;  // COLOR_BTNFACE, a dialog's background

std::string RectText(const plat::Rect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// A COLORREF holds red in its low byte.
std::string ColourText(std::uint32_t rgb) {
    char colour[32];
    std::snprintf(colour, sizeof colour, "RGB(%u, %u, %u)", rgb & 0xFFu, (rgb >> 8) & 0xFFu, (rgb >> 16) & 0xFFu);
    return colour;
}

// UTF-8 to UTF-16, for the W texts.
std::u16string Utf8ToUtf16(const std::string& s) {
    std::u16string out;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        char32_t cp = c;
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (extra) cp = c & (0x3F >> extra);
        for (int k = 1; k <= extra && i + static_cast<size_t>(k) < s.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + static_cast<size_t>(k)]) & 0x3F);
        i += static_cast<size_t>(extra) + 1;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

// Paint operations are recorded as text, which the dump shows for the last paint, and drawn into
// the window's picture, which save-picture writes. The bitmaps that StretchBitmap draws and the
// icon are recorded only.
class RecordingCanvas : public plat::Canvas {
public:
    RecordingCanvas(SimDialogWindow& window, DialogHost& host, std::vector<std::string>& out,
                    plat::PixelImage& picture)
        : window_(window), host_(host), out_(out), picture_(picture) {}
    plat::Rect ClientRect() override { return window_.clientRect(); }
    void StretchBitmap(int bitmapId, const plat::Rect& target) override {
        std::string path = window_.BitmapPath(bitmapId);
        if (path.empty()) host_.Fail("simulator error: StretchBitmap of bitmap " + std::to_string(bitmapId) + ", which was never loaded");
        out_.push_back("bitmap \"" + host_.ToUtf8(path) + "\" stretched over " + RectText(target));
    }
    void DrawCentredText(const plat::Rect& box, std::string_view text, const plat::FontSpec& font,
                         std::uint32_t rgb) override {
        const std::string colour = ColourText(rgb);
        out_.push_back("text \"" + host_.ToUtf8(text) + "\" centred in " + RectText(box) + ", font \"" +
                       host_.ToUtf8(font.face) + "\" " + std::to_string(font.height) + " weight " +
                       std::to_string(font.weight) + ", colour " + colour);
        DrawCentredTextPixels(picture_, box, Utf8ToUtf16(host_.ToUtf8(text)), font, rgb);
    }
    void DrawIconCentred() override { out_.push_back("the icon centred"); }
    void FillRect(const plat::Rect& box, std::uint32_t rgb) override {
        out_.push_back(RectText(box) + " filled with " + ColourText(rgb));
        FillPixels(picture_, box, rgb);
    }
    void FillRectWithBrushValue(const plat::Rect& box, int value) override {
        out_.push_back(RectText(box) + " filled with the brush value " + std::to_string(value));
        // (HBRUSH)(index + 1) is the system colour's brush.
        std::optional<std::uint32_t> colour = SystemColour(value - 1);
        if (!colour) host_.Fail("simulator error: FillRect with the brush value " + std::to_string(value) + ", which is no system colour");
        FillPixels(picture_, box, *colour);
    }
    void StretchImage(const plat::PixelImage& image, const plat::Rect& source, const plat::Rect& target,
                      plat::StretchMode mode) override {
        out_.push_back("a " + std::to_string(image.width) + "x" + std::to_string(image.height) +
                       " picture's " + RectText(source) + " stretched over " + RectText(target) +
                       (mode == plat::StretchMode::BlackOnWhite ? " (BLACKONWHITE)" : " (COLORONCOLOR)"));
        StretchPixels(picture_, image, source, target, mode);
    }

private:
    SimDialogWindow& window_;
    DialogHost& host_;
    std::vector<std::string>& out_;
    plat::PixelImage& picture_;
};

bool LessNoCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

SimDialogWindow::SimDialogWindow(DialogHost& host, plat::ModuleRef module, const RcDialog& source,
                                 plat::DialogLogic& logic, SimDialogWindow* parent, bool modal)
    : host_(host),
      module_(module),
      logic_(logic),
      parent_(modal ? nullptr : parent),
      modal_(modal),
      templateId_(source.id),
      templateName_(source.idName),
      title_(source.caption) {
    for (const RcControl& c : source.controls) controls_.push_back(MakeControl(c));
    clientRect_ = DialogUnitsToPixels(0, 0, source.cx, source.cy);
    // A page is a child window of its parent; a modal dialog is owned, not a child.
    if (parent_) parent_->pages_.push_back(this);
}

SimDialogWindow::~SimDialogWindow() {
    Destroy();
    if (parent_) parent_->ForgetPage(this);
}

void SimDialogWindow::ForgetPage(SimDialogWindow* page) { std::erase(pages_, page); }

void SimDialogWindow::OpenOnDesktop() {
    desktopWindow_ = OpenTopLevelWindow(host_.machine(), host_.process(), title_, "#32770");
    if (!desktopWindow_) host_.Fail("simulator error: the desktop state cannot be written");
}

void SimDialogWindow::ShowModal() {
    visible_ = true;
    needsPaint_ = true;
    logic_.OnShowWindow(*this, true);
}

void SimDialogWindow::Destroy() {
    if (destroyed_) return;
    destroyed_ = true;
    logic_.OnDestroy(*this);
    std::vector<SimDialogWindow*> pages = pages_;
    for (SimDialogWindow* page : pages) {
        page->Destroy();
        page->parent_ = nullptr;
    }
    pages_.clear();
    desktopWindow_.reset();
}

std::string SimDialogWindow::Describe() const {
    if (modal_) return "\"" + host_.ToUtf8(title_) + "\"";
    std::string name = templateName_.empty() || templateName_ == std::to_string(templateId_)
                           ? std::to_string(templateId_)
                           : templateName_ + " (" + std::to_string(templateId_) + ")";
    return "page " + name;
}

std::string SimDialogWindow::BitmapPath(int bitmapId) const {
    auto it = bitmaps_.find(bitmapId);
    return it == bitmaps_.end() ? std::string() : it->second;
}

SimControl* SimDialogWindow::Find(int id) {
    for (SimControl& c : controls_)
        if (c.id == id) return &c;
    return nullptr;
}

SimControl& SimDialogWindow::Control(int id, const char* operation) {
    if (destroyed_) host_.Fail(std::string("simulator error: ") + operation + " on " + Describe() + " after it was destroyed");
    SimControl* c = Find(id);
    if (!c) host_.Fail(std::string("simulator error: ") + operation + ": " + Describe() + " has no control " + std::to_string(id));
    return *c;
}

SimControl& SimDialogWindow::ListControl(int id, const char* operation) {
    SimControl& c = Control(id, operation);
    if (!c.isList()) host_.Fail(std::string("simulator error: ") + operation + ": control " + std::to_string(id) + " of " + Describe() + " is a " + c.kindName() + ", not a list");
    return c;
}

SimControl& SimDialogWindow::IpControl(int id, const char* operation) {
    SimControl& c = Control(id, operation);
    if (c.kind != ControlKind::IpAddress) host_.Fail(std::string("simulator error: ") + operation + ": control " + std::to_string(id) + " of " + Describe() + " is a " + c.kindName() + ", not an IP address control");
    return c;
}

SimControl& SimDialogWindow::RangeControl(int id, const char* operation) {
    SimControl& c = Control(id, operation);
    if (!c.hasRange()) host_.Fail(std::string("simulator error: ") + operation + ": control " + std::to_string(id) + " of " + Describe() + " is a " + c.kindName() + ", which has no range");
    return c;
}

void SimDialogWindow::SetTitle(std::string_view text) {
    title_ = std::string(text);
    if (desktopWindow_) desktopWindow_->SetTitle(title_);
}

plat::WindowRef SimDialogWindow::Ref() {
    if (desktopWindow_) return desktopWindow_->ref();
    return parent_ ? parent_->Ref() : 0;
}

bool SimDialogWindow::IsMinimized() { return desktopWindow_ && desktopWindow_->IsMinimized(); }

void SimDialogWindow::Minimize() {
    // Only a top-level window has a place on the desktop to be minimised from.
    if (desktopWindow_) desktopWindow_->Minimize();
}

void SimDialogWindow::Show(bool shown) {
    if (shown == visible_) return;
    visible_ = shown;
    if (shown) needsPaint_ = true;
    host_.Write(std::string(shown ? "shows " : "hides ") + Describe());
    logic_.OnShowWindow(*this, shown);
}

void SimDialogWindow::EndDialog(int result) {
    // A modeless page cannot end: Windows only hides it, which no page of ours relies on.
    if (!modal_) host_.Fail("simulator error: EndDialog on " + Describe() + ", which is not modal");
    ended_ = true;
    result_ = result;
}

void SimDialogWindow::AppendSystemMenuItem(int command, std::string_view text) {
    systemMenu_.emplace_back(command, std::string(text));
}

void SimDialogWindow::SetFontAll(const plat::FontSpec& font) {
    font_ = font;
    for (SimControl& c : controls_) c.font = font;
}

void SimDialogWindow::SetItemFont(int id, const plat::FontSpec& font) {
    Control(id, "SetItemFont").font = font;
}

void SimDialogWindow::SetTimer(int timerId, std::uint32_t milliseconds) {
    // Windows raises periods below 10 ms to 10 ms.
    std::uint32_t period = std::max<std::uint32_t>(milliseconds, 10);
    timers_[timerId] = SimTimer{period, host_.system().GetTickCount() + period};
}

void SimDialogWindow::SetItemText(int id, std::string_view text) {
    SimControl& c = Control(id, "SetItemText");
    c.text = std::string(text);
    wideTexts_.erase(id);
}

std::string SimDialogWindow::GetItemText(int id) {
    SimControl& c = Control(id, "GetItemText");
    if (c.kind == ControlKind::IpAddress) return c.IpText();
    // A drop-down list shows its selected entry.
    if (c.dropDownList())
        return c.selection >= 0 && c.selection < static_cast<int>(c.items.size()) ? c.items[static_cast<size_t>(c.selection)] : "";
    return c.text;
}

void SimDialogWindow::SetItemTextW(int id, std::u16string_view text) {
    SimControl& c = Control(id, "SetItemTextW");
    // The narrow text keeps what the code page can show; the W text is kept whole.
    std::string narrow;
    for (char16_t ch : text) narrow += ch < 0x80 ? static_cast<char>(ch) : '?';
    c.text = narrow;
    wideTexts_[id] = std::u16string(text);
}

std::u16string SimDialogWindow::GetItemTextW(int id) {
    Control(id, "GetItemTextW");
    auto it = wideTexts_.find(id);
    if (it != wideTexts_.end()) return it->second;
    return Utf8ToUtf16(host_.ToUtf8(GetItemText(id)));
}

void SimDialogWindow::SetFocus(int id) {
    Control(id, "SetFocus");
    focus_ = id;
}

void SimDialogWindow::AddToolTip(int id, std::u16string_view text, int maxWidth) {
    SimControl& c = Control(id, "AddToolTip");
    c.toolTipUtf8 = Utf16ToUtf8(text);
    c.toolTipWidth = maxWidth;
}

void SimDialogWindow::SetEditLimit(int id, int characters) {
    SimControl& c = Control(id, "SetEditLimit");
    if (c.kind != ControlKind::Edit && c.kind != ControlKind::ComboBox)
        host_.Fail("simulator error: SetEditLimit: control " + std::to_string(id) + " is a " + c.kindName());
    c.editLimit = characters;
}

void SimDialogWindow::SetEditCharFilter(int id, std::u16string_view allowed) {
    SimControl& c = Control(id, "SetEditCharFilter");
    if (c.kind != ControlKind::Edit)
        host_.Fail("simulator error: SetEditCharFilter: control " + std::to_string(id) + " is a " + c.kindName());
    c.typingFilter = std::u16string(allowed);
}

void SimDialogWindow::InsertEditText(int id, std::string_view text) {
    SimControl& c = Control(id, "InsertEditText");
    if (c.kind != ControlKind::Edit)
        host_.Fail("simulator error: InsertEditText: control " + std::to_string(id) + " is a " + c.kindName());
    // The simulated edit keeps no caret or selection apart from its text: the caret stands at
    // the end, where every insertion leaves it.
    c.text += std::string(text);
    wideTexts_.erase(id);
    // What arrives in a log box is what the person watching sees, also of a window that closes
    // before a script could look at it.
    host_.Write("adds to edit " + std::to_string(id) + " of " + Describe() + ": \"" +
                host_.ToUtf8(text) + "\"");
}

std::string SimDialogWindow::LoadStringResource(int id) {
    const auto& strings = host_.resources(module_).strings;
    auto it = strings.find(id);
    return it != strings.end() ? it->second : std::string();
}

void SimDialogWindow::SetPageChanged(bool changed) {
    // PSM_CHANGED and PSM_UNCHANGED go to the page's sheet; a modal dialog has none.
    if (modal_) host_.Fail("simulator error: SetPageChanged on " + Describe() + ", which is not a page");
    pageChanged_ = changed;
    if (parent_ && parent_->sheet_) parent_->sheet_->PageChanged(*this, changed);
}

std::intptr_t SimDialogWindow::Notify(int id, int code) {
    notifyResult_.reset();
    logic_.OnNotify(*this, id, code);
    return notifyResult_.value_or(0);
}

void SimDialogWindow::ResetList(int id) {
    SimControl& c = ListControl(id, "ResetList");
    c.items.clear();
    c.wideItems.clear();
    c.selection = -1;
    if (c.kind == ControlKind::ComboBox) c.text.clear();
}

int SimDialogWindow::AddListItem(int id, std::string_view text) {
    SimControl& c = ListControl(id, "AddListItem");
    std::string item(text);
    auto at = c.items.end();
    if (c.sorted())
        at = std::upper_bound(c.items.begin(), c.items.end(), item, LessNoCase);
    int index = static_cast<int>(at - c.items.begin());
    c.items.insert(at, item);
    c.wideItems.resize(c.items.size() - 1);
    c.wideItems.insert(c.wideItems.begin() + index, std::nullopt);
    if (c.selection >= index) ++c.selection;
    return index;
}

int SimDialogWindow::AddListItemW(int id, std::u16string_view text) {
    ListControl(id, "AddListItemW");
    // The code-page form keeps what ASCII can show, as SetItemTextW's does; the W text is kept
    // whole and is what the script and the dump see.
    std::string narrow;
    for (char16_t ch : text) narrow += ch < 0x80 ? static_cast<char>(ch) : '?';
    const int index = AddListItem(id, narrow);
    Control(id, "AddListItemW").wideItems[static_cast<size_t>(index)] = std::u16string(text);
    return index;
}

std::u16string SimDialogWindow::ListItemTextW(int id, int index) {
    const std::string narrow = ListItemText(id, index);
    SimControl& c = ListControl(id, "ListItemTextW");
    if (static_cast<size_t>(index) < c.wideItems.size() && c.wideItems[static_cast<size_t>(index)])
        return *c.wideItems[static_cast<size_t>(index)];
    return Utf8ToUtf16(host_.ToUtf8(narrow));
}

void SimDialogWindow::DeleteListItem(int id, int index) {
    SimControl& c = ListControl(id, "DeleteListItem");
    if (index < 0 || index >= static_cast<int>(c.items.size()))
        host_.Fail("simulator error: DeleteListItem: list " + std::to_string(id) + " has no entry " + std::to_string(index));
    c.items.erase(c.items.begin() + index);
    if (static_cast<size_t>(index) < c.wideItems.size()) c.wideItems.erase(c.wideItems.begin() + index);
    if (c.selection == index) {
        c.selection = -1;
        if (c.kind == ControlKind::ComboBox) c.text.clear();
    } else if (c.selection > index) {
        --c.selection;
    }
}

int SimDialogWindow::ListCount(int id) { return static_cast<int>(ListControl(id, "ListCount").items.size()); }

std::string SimDialogWindow::ListItemText(int id, int index) {
    SimControl& c = ListControl(id, "ListItemText");
    if (index < 0 || index >= static_cast<int>(c.items.size()))
        host_.Fail("simulator error: ListItemText: list " + std::to_string(id) + " has no entry " + std::to_string(index));
    return c.items[static_cast<size_t>(index)];
}

void SimDialogWindow::SetListSelection(int id, int index) {
    SimControl& c = ListControl(id, "SetListSelection");
    c.selection = index >= 0 && index < static_cast<int>(c.items.size()) ? index : -1;
    if (c.kind == ControlKind::ComboBox)
        c.text = c.selection >= 0 ? c.items[static_cast<size_t>(c.selection)] : "";
}

int SimDialogWindow::GetListSelection(int id) { return ListControl(id, "GetListSelection").selection; }

void SimDialogWindow::SetIpAddress(int id, std::uint32_t address) {
    SimControl& c = IpControl(id, "SetIpAddress");
    for (int i = 0; i < 4; ++i) c.ipFields[static_cast<size_t>(i)] = static_cast<int>((address >> (24 - 8 * i)) & 0xFF);
    c.text = c.IpText();
}

int SimDialogWindow::GetIpAddress(int id, std::uint32_t& address) {
    const SimControl& c = IpControl(id, "GetIpAddress");
    address = 0;
    int filled = 0;
    for (int field : c.ipFields) {
        address = (address << 8) | static_cast<std::uint32_t>(field < 0 ? 0 : field);
        if (field >= 0) ++filled;
    }
    return filled;
}

bool SimDialogWindow::IsIpAddressBlank(int id) {
    const SimControl& c = IpControl(id, "IsIpAddressBlank");
    for (int field : c.ipFields)
        if (field >= 0) return false;
    return true;
}

void SimDialogWindow::ClearIpAddress(int id) {
    SimControl& c = IpControl(id, "ClearIpAddress");
    c.ipFields = {-1, -1, -1, -1};
    c.text = c.IpText();
}

void SimDialogWindow::SetRange(int id, int low, int high) {
    SimControl& c = RangeControl(id, "SetRange");
    c.rangeLow = low;
    c.rangeHigh = high;
    c.position = std::clamp(c.position, std::min(low, high), std::max(low, high));
}

void SimDialogWindow::SetPosition(int id, int position) {
    SimControl& c = RangeControl(id, "SetPosition");
    c.position = std::clamp(position, std::min(c.rangeLow, c.rangeHigh), std::max(c.rangeLow, c.rangeHigh));
    // An up-down control with UDS_AUTOBUDDY takes the control before it as its buddy; with
    // UDS_SETBUDDYINT it writes its position there as a decimal number, as UDM_SETPOS does.
    constexpr std::uint32_t kUdsSetBuddyInt = 0x2, kUdsAutoBuddy = 0x10;
    const std::size_t index = static_cast<std::size_t>(&c - controls_.data());
    if (c.kind == ControlKind::UpDown && (c.style & kUdsSetBuddyInt) && (c.style & kUdsAutoBuddy) &&
        index > 0) {
        SimControl& buddy = controls_[index - 1];
        buddy.text = std::to_string(c.position);
        wideTexts_.erase(buddy.id);
    }
}

int SimDialogWindow::GetPosition(int id) { return RangeControl(id, "GetPosition").position; }

int SimDialogWindow::LoadBitmapFile(std::string_view path) {
    std::string windowsPath = AbsoluteWindowsPath(host_.process().currentDir, std::string(path));
    std::ifstream in(host_.machine().HostPath(windowsPath), std::ios::binary);
    char magic[2] = {};
    // LoadImageA takes only a real bitmap file.
    if (!in.read(magic, 2) || magic[0] != 'B' || magic[1] != 'M') return 0;
    int id = static_cast<int>(bitmaps_.size()) + 1;
    bitmaps_[id] = std::string(path);
    return id;
}

std::unique_ptr<plat::DialogWindow> SimDialogWindow::CreateChildPage(int templateId, plat::DialogLogic& logic,
                                                                     int placeholderId) {
    return CreateChildPage(module_, templateId, logic, placeholderId);
}

int SimDialogWindow::RunModalChild(int templateId, plat::DialogLogic& logic) {
    return RunModalChild(module_, templateId, logic);
}

std::unique_ptr<plat::DialogWindow> SimDialogWindow::CreateChildPage(plat::ModuleRef module, int templateId,
                                                                     plat::DialogLogic& logic,
                                                                     int placeholderId) {
    return host_.CreatePage(module, templateId, logic, *this, placeholderId);
}

int SimDialogWindow::RunModalChild(plat::ModuleRef module, int templateId, plat::DialogLogic& logic) {
    return host_.RunModal(module, templateId, logic, this);
}

std::optional<std::u16string> SimDialogWindow::OpenFileDialog(const plat::OpenFileRequest& request) {
    return host_.OpenFileDialog(request);
}

int SimDialogWindow::MessageBox(std::string_view text, std::string_view caption, std::uint32_t type) {
    std::string t(text), c(caption);
    return host_.desktop().MessageBoxA(Ref(), t.c_str(), c.c_str(), type);
}

void SimDialogWindow::PaintIfNeeded() {
    if (visible_ && needsPaint_ && !destroyed_) {
        needsPaint_ = false;
        std::vector<std::string> operations;
        // The whole client area was invalidated with erasing: the paint starts from the
        // dialog's background colour.
        plat::PixelImage picture = plat::PixelImage::White(clientRect_.right, clientRect_.bottom);
        FillPixels(picture, clientRect_, *SystemColour(kColourButtonFace));
        RecordingCanvas canvas(*this, host_, operations, picture);
        if (logic_.OnPaint(*this, canvas)) {
            lastPaint_ = std::move(operations);
            lastPicture_ = std::move(picture);
        }
    }
    for (SimDialogWindow* page : std::vector<SimDialogWindow*>(pages_)) page->PaintIfNeeded();
}

}  // namespace sim
