// The wizard's pages as one table: each entry is a page's dialog template, the factory of its
// class and the rule the frame applies when the user leaves it. Adding a page touches this
// table, its template and its class.
#pragma once
#include <memory>
#include <vector>

#include "setup/PackageCatalog.h"
#include "setup/WizardContext.h"
#include "setup/WizardPage.h"

namespace setup {

class WizardPages;

// What the page switch carries from one page to a later one.
struct WizardFlowState {
    // On until the OS gate has preselected the baud rate; on again after going back from the
    // mode page to the model page.
    bool baudPreselection = true;
    // The ".PORT" rules of the model chosen when the model page was last left forward.
    ModelRules modelRules;
};

// A page being left: where to, and what its rule may act on.
struct PageLeave {
    WizardPages& pages;
    const WizardContext& context;
    WizardHost& host;
    plat::DialogWindow& frame;  // owner of the rule's message boxes
    WizardFlowState& state;
    int from;
    int to;
    bool forward() const { return to > from; }
};

// A leaving rule; false keeps the user on the page (the rule has said why).
using LeaveRule = bool (*)(PageLeave& leave);

struct WizardPageRow {
    int templateId;
    std::unique_ptr<WizardPage> (*create)(const WizardContext& context, WizardHost& host);
    LeaveRule leave;       // null: leaving needs nothing
    bool agreementOnly;    // shown only when the agreement is on (DEVICENAME/LOADLICENSE)
};

// The pages in the order the wizard walks them.
const std::vector<WizardPageRow>& WizardPageTable();

// The frame's pages made from the table, with their windows once the frame has created them.
class WizardPages {
public:
    struct Entry {
        const WizardPageRow* row;
        std::unique_ptr<WizardPage> logic;
        std::unique_ptr<plat::DialogWindow> window;
    };

    WizardPages(const WizardContext& context, WizardHost& host);

    int count() const { return static_cast<int>(entries_.size()); }
    Entry& operator[](int index) { return entries_[static_cast<size_t>(index)]; }
    std::vector<Entry>& entries() { return entries_; }

    // The page of class P and its window; null when the table has no such page (or its window
    // is not made yet).
    template <class P>
    P* Find() {
        for (Entry& e : entries_)
            if (auto* page = dynamic_cast<P*>(e.logic.get())) return page;
        return nullptr;
    }
    template <class P>
    plat::DialogWindow* WindowOf() {
        for (Entry& e : entries_)
            if (dynamic_cast<P*>(e.logic.get())) return e.window.get();
        return nullptr;
    }

private:
    std::vector<Entry> entries_;
};

}  // namespace setup
