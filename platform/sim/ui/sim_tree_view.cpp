// Tree views of simulated dialogs: items under their parents with texts and images, expansion,
// one selected item, and an image list of the module's icon resources.
#include <algorithm>

#include "platform/sim/state/code_page.h"
#include "platform/sim/ui/dialog_host.h"
#include "platform/sim/ui/sim_dialog_window.h"

namespace sim {

namespace {

bool HasChildren(const SimControl& tree, plat::TreeItem item) {
    return std::any_of(tree.treeItems.begin(), tree.treeItems.end(),
                       [&](const SimTreeItem& i) { return i.parent == item; });
}

const SimTreeItem* FindItem(const SimControl& tree, plat::TreeItem item) {
    for (const SimTreeItem& i : tree.treeItems)
        if (i.handle == item) return &i;
    return nullptr;
}

// Whether the module's resource script has ICON `id`, written as a number or as a symbol.
bool HasIcon(const RcScript& script, int id) {
    for (const RcOtherResource& r : script.others) {
        if (r.type != "ICON") continue;
        if (r.name == std::to_string(id)) return true;
        const auto value = script.Symbol(r.name);
        if (value && *value == id) return true;
    }
    return false;
}

void AddItemLines(const SimControl& tree, plat::TreeItem parent, const std::string& indent,
                  std::vector<std::string>& lines) {
    for (const SimTreeItem& i : tree.treeItems) {
        if (i.parent != parent) continue;
        const bool children = HasChildren(tree, i.handle);
        std::string line = indent + (children ? (i.expanded ? "[-] " : "[+] ") : "") + "\"" +
                           Utf16ToUtf8(i.text) + "\" image " + std::to_string(i.image);
        if (i.selectedImage != i.image) line += " selected image " + std::to_string(i.selectedImage);
        if (i.handle == tree.treeSelection) line += " selected";
        lines.push_back(line);
        AddItemLines(tree, i.handle, indent + "  ", lines);
    }
}

}  // namespace

std::vector<std::string> TreeItemLines(const SimControl& tree) {
    std::vector<std::string> lines;
    AddItemLines(tree, plat::kTreeRoot, "", lines);
    return lines;
}

SimControl& SimDialogWindow::TreeControl(int id, const char* operation) {
    SimControl& c = Control(id, operation);
    if (c.kind != ControlKind::TreeView)
        host_.Fail(std::string("simulator error: ") + operation + ": control " + std::to_string(id) +
                   " of " + Describe() + " is a " + c.kindName() + ", not a tree view");
    return c;
}

SimTreeItem& SimDialogWindow::TreeItemOf(SimControl& tree, plat::TreeItem item, const char* operation) {
    for (SimTreeItem& i : tree.treeItems)
        if (i.handle == item) return i;
    host_.Fail(std::string("simulator error: ") + operation + ": tree view " + std::to_string(tree.id) +
               " of " + Describe() + " has no item " + std::to_string(item));
}

bool SimDialogWindow::SetTreeIcons(int id, std::span<const int> iconIds, int size) {
    SimControl& c = TreeControl(id, "SetTreeIcons");
    // A new list replaces the old one; an icon the module lacks is not added, as LoadIcon
    // fails for it.
    c.treeIcons.clear();
    c.treeIconSize = size;
    bool all = true;
    for (int icon : iconIds) {
        if (HasIcon(host_.resources(module_), icon)) c.treeIcons.push_back(icon);
        else all = false;
    }
    return all;
}

void SimDialogWindow::DeleteAllTreeItems(int id) {
    SimControl& c = TreeControl(id, "DeleteAllTreeItems");
    c.treeItems.clear();
    c.treeSelection = 0;
}

plat::TreeItem SimDialogWindow::InsertTreeItemW(int id, plat::TreeItem parent, std::u16string_view text,
                                                int image, int selectedImage) {
    SimControl& c = TreeControl(id, "InsertTreeItemW");
    if (parent != plat::kTreeRoot && !FindItem(c, parent)) return 0;  // Windows refuses a stale parent
    SimTreeItem item;
    item.handle = c.nextTreeHandle++;
    item.parent = parent;
    item.text = std::u16string(text);
    item.image = image;
    item.selectedImage = selectedImage;
    c.treeItems.push_back(item);
    return item.handle;
}

void SimDialogWindow::ExpandTreeItem(int id, plat::TreeItem item) {
    SimControl& c = TreeControl(id, "ExpandTreeItem");
    SimTreeItem& i = TreeItemOf(c, item, "ExpandTreeItem");
    // An item without children has nothing to expand.
    if (HasChildren(c, item)) i.expanded = true;
}

void SimDialogWindow::SelectTreeItem(int id, plat::TreeItem item) {
    SimControl& c = TreeControl(id, "SelectTreeItem");
    if (item == 0) {
        c.treeSelection = 0;
        return;
    }
    TreeItemOf(c, item, "SelectTreeItem");
    c.treeSelection = item;
    // The selected item is made visible: its collapsed ancestors open.
    for (const SimTreeItem* i = FindItem(c, item); i && i->parent != plat::kTreeRoot;) {
        SimTreeItem& parent = TreeItemOf(c, i->parent, "SelectTreeItem");
        parent.expanded = true;
        i = &parent;
    }
}

}  // namespace sim
