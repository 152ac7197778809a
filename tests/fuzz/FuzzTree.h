// FuzzTree: a settings tree flattened for comparison in the fuzz targets.
#pragma once

#include "XML_Tree.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace FuzzTree {

struct FlatNode
{
    std::size_t depth;
    std::wstring name;
    std::wstring value;
    bool operator==(const FlatNode& o) const { return depth == o.depth && name == o.name && value == o.value; }
};

inline std::wstring Text(const CString& s)
{
    return std::wstring(s.GetString(), static_cast<std::size_t>(s.GetLength()));
}

// The tree in pre-order with depths, without recursion (inputs nest deeply).
inline std::vector<FlatNode> Flatten(const XML_Tree& tree)
{
    std::vector<FlatNode> flat;
    std::vector<std::pair<XML_Node*, std::size_t>> pending;
    if (tree.GetRoot() != nullptr)
        pending.emplace_back(tree.GetRoot(), 0);
    std::vector<XML_Node*> children;
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        flat.push_back({ depth, Text(node->GetName()), Text(node->GetValue()) });
        children.clear();
        for (XML_Node* child = node->GetFirstSubItem(); child != nullptr; child = node->GetNextSubItem())
            children.push_back(child);
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            pending.emplace_back(*it, depth + 1);
    }
    return flat;
}

} // namespace FuzzTree
