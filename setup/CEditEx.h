// CEditEx: the multi-line, read-only text box that reads like a document (window-text colour on
// the window colour instead of a read-only box's grey), with an optional character filter.
//
// Windows would need a registered window class for it; the templates use a plain EDIT with
// ES_MULTILINE | ES_READONLY | WS_VSCROLL instead, and this class gives that control its look
// through the dialog layer. The filter is the part of a typing filter that needs no window:
// which characters a keystroke sequence leaves in the box and how many beeps it causes.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "platform/dialog.h"

namespace setup {

class CEditEx {
public:
    explicit CEditEx(int controlId) : id_(controlId) {}

    int id() const { return id_; }

    // Gives the control its document look; called once the dialog's controls exist.
    void Attach(plat::DialogWindow& window);

    // Characters for which `accepts` is false are dropped with a beep. No filter accepts all.
    void SetCharacterFilter(std::function<bool(char)> accepts) { accepts_ = std::move(accepts); }

    struct Filtered {
        std::string kept;
        int beeps = 0;
    };
    // What typing `typed` leaves in the box.
    Filtered FilterTyped(std::string_view typed) const;

private:
    int id_;
    std::function<bool(char)> accepts_;
};

}  // namespace setup
