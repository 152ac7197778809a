// ConfigCheck: config.xml read back through the settings classes (see
// ConfigCheck.h).
#include "ConfigCheck.h"

#include <set>

#include "CTesConfig.h"
#include "XML_File.h"
#include "XML_Tree.h"

namespace soak {

namespace {

// The settings store's own document, written from the defaults.
class ReferenceConfig : public CTesConfig
{
public:
    using CTesConfig::SaveConfigToBuffer;
};

// Every element as "root/group/key".
void CollectPaths(XML_Node* pNode, const std::wstring& parent, std::set<std::wstring>& paths)
{
    const std::wstring path = parent + L"/" + static_cast<const wchar_t*>(pNode->GetName());
    paths.insert(path);
    for (XML_Node* pChild = pNode->GetFirstSubItem(); pChild != nullptr; pChild = pNode->GetNextSubItem())
        CollectPaths(pChild, path, paths);
}

} // namespace

std::wstring ConfigCheck::Problem(const std::wstring& path)
{
    XML_Tree written;
    if (!XML_File::ReadXMLFile(&written, CString(path.c_str())) || written.GetRoot() == nullptr)
        return L"cannot be read as a settings document";
    if (written.GetOpenElement() != nullptr)
        return L"ends inside element " + std::wstring(written.GetOpenElement()->GetName());

    ReferenceConfig defaults;
    const std::string bytes = defaults.SaveConfigToBuffer();
    XML_Tree reference;
    if (!XML_File::ReadXMLBuffer(&reference, bytes.data(), bytes.size()) || reference.GetRoot() == nullptr)
        return L"(the defaults' document cannot be read back)";

    std::set<std::wstring> wanted;
    std::set<std::wstring> found;
    CollectPaths(reference.GetRoot(), L"", wanted);
    CollectPaths(written.GetRoot(), L"", found);
    for (const std::wstring& element : wanted) {
        if (found.count(element) == 0)
            return L"lacks element " + element;
    }
    return std::wstring();
}

} // namespace soak
