// FuzzTree: whether two settings trees are the same, for the fuzz targets.
#pragma once

#include "XML_Tree.h"

#include <utility>
#include <vector>

namespace FuzzTree {

// Same shape, names and values, compared node by node in pre-order without
// recursion (inputs nest deeply) and without copying the trees. The work list
// is kept from call to call: a fuzz target runs one input at a time.
inline bool Same(const XML_Tree& a, const XML_Tree& b)
{
    static std::vector<std::pair<XML_Node*, XML_Node*>> pending;
    pending.clear();
    if ((a.GetRoot() == nullptr) != (b.GetRoot() == nullptr))
        return false;
    if (a.GetRoot() != nullptr)
        pending.emplace_back(a.GetRoot(), b.GetRoot());
    while (!pending.empty()) {
        const auto [x, y] = pending.back();
        pending.pop_back();
        if (x->GetName() != y->GetName() || x->GetValue() != y->GetValue())
            return false;
        XML_Node* childX = x->GetFirstSubItem();
        XML_Node* childY = y->GetFirstSubItem();
        for (; childX != nullptr && childY != nullptr; childX = x->GetNextSubItem(), childY = y->GetNextSubItem())
            pending.emplace_back(childX, childY);
        if (childX != nullptr || childY != nullptr)
            return false;
    }
    return true;
}

} // namespace FuzzTree
