// The tree that the model fills with AddToTree. The editor implements it over its tree widget;
// tests implement it over a plain list to check labels, order and expansion.
#pragma once

#include <cstdint>
#include <string>

class KXClass;

namespace kx {

// Opaque handle of an item; kNoTreeItem stands for the invisible top of the tree or for "no
// sibling" when inserting.
using TreeItem = std::uintptr_t;
inline constexpr TreeItem kNoTreeItem = 0;

class ITreeSink {
public:
    virtual ~ITreeSink() = default;
    // Inserts an item with the label under parent, after the sibling when one is given (else as
    // the last child), attaches the model object to it and answers the new item.
    virtual TreeItem InsertItem(
        TreeItem parent, TreeItem after, const std::string &label, KXClass *object)
        = 0;
    // Shows the item expanded or collapsed.
    virtual void SetExpanded(TreeItem item, bool expanded) = 0;
};

} // namespace kx
