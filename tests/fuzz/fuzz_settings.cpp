// Fuzz target: any bytes as config.xml, entirely in memory. Whatever a load
// makes of them, saving and loading again must give the same settings and the
// same document. Saving and loading are deterministic, so a loaded state
// (its values and the document it saves) that has passed that check once is
// not checked again: most inputs load into one of a few hundred recent
// states, and skipping their second load and save leaves only the part that
// depends on the input.
#include "CTesConfig.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

class FuzzedConfig : public CTesConfig
{
public:
    using CTesConfig::LoadConfigFromBuffer;
    using CTesConfig::SaveConfigToBuffer;
};

std::wstring Text(const CString& s)
{
    return std::wstring(s.GetString(), static_cast<std::size_t>(s.GetLength()));
}

// Every value reachable from outside the object.
std::vector<std::wstring> Values(FuzzedConfig& c)
{
    std::vector<std::wstring> v;
    for (int n : { c.GetPlaySnapSound(), c.GetHideMainWnd(), c.GetSnapOnStart(), c.GetKeepOnTop(),
                   c.GetGrayScale(), c.GetNegate(), c.GetScale(), c.GetScaleFactor(), c.GetRotate(),
                   c.GetRotateAngle(), c.GetFlipHorz(), c.GetFlipVert(), c.GetShearDown(), c.GetShearDownAmout(),
                   c.GetShearAcross(), c.GetShearAcrossAmout(), c.GetBlur(), c.GetBlurFactor(), c.GetSharpen(),
                   c.GetSharpenFactor(), c.GetAutoCopy(), c.GetSnapMode(), c.m_bEffects, c.m_bReplaceColor,
                   c.m_bSmooth })
        v.push_back(std::to_wstring(n));
    v.push_back(std::to_wstring(c.GetSnapDelayTime()));
    void (CTesConfig::*hotkeys[])(WORD&, WORD&) = {
        &CTesConfig::GetNewSnapHotkey,   &CTesConfig::GetFullScreenHotkey, &CTesConfig::GetActiveWinHotkey,
        &CTesConfig::GetCurrentWinHotkey, &CTesConfig::GetWinClientHotkey, &CTesConfig::GetWinObjHotkey,
        &CTesConfig::GetSelectRectHotkey, &CTesConfig::GetShowHideHotkey,
    };
    for (auto get : hotkeys) {
        WORD modifier = 0;
        WORD vk = 0;
        (c.*get)(modifier, vk);
        v.push_back(std::to_wstring(modifier) + L"," + std::to_wstring(vk));
    }
    v.push_back(Text(c.GetAppName()));
    v.push_back(Text(c.GetEditAppPath()));
    return v;
}

// A loaded state as one string: its values, each after its length, then the
// document it saves.
std::string StateKey(const std::vector<std::wstring>& values, const std::string& document)
{
    std::string key;
    for (const std::wstring& value : values) {
        const std::size_t length = value.size();
        key.append(reinterpret_cast<const char*>(&length), sizeof(length));
        key.append(reinterpret_cast<const char*>(value.data()), length * sizeof(wchar_t));
    }
    return key + document;
}

// The most recent states that passed the check, oldest first out.
class CheckedStates
{
public:
    bool Contains(const std::string& key) const { return m_set.count(key) != 0; }

    void Add(const std::string& key)
    {
        m_set.insert(key);
        m_order.push_back(key);
        if (m_order.size() > kKept) {
            m_set.erase(m_order.front());
            m_order.pop_front();
        }
    }

private:
    static constexpr std::size_t kKept = 256;
    std::unordered_set<std::string> m_set;
    std::deque<std::string> m_order;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedConfig first;
    first.LoadConfigFromBuffer(data, size);
    const std::string firstBytes = first.SaveConfigToBuffer();
    const std::vector<std::wstring> firstValues = Values(first);
    const std::string state = StateKey(firstValues, firstBytes);
    static CheckedStates checked;
    if (checked.Contains(state))
        return 0;
    FuzzedConfig second;
    second.LoadConfigFromBuffer(firstBytes.data(), firstBytes.size());

    // The accessor-less texts (author, version, address, mail) are compared
    // through the documents.
    if (firstValues != Values(second))
        std::abort();
    if (second.SaveConfigToBuffer() != firstBytes)
        std::abort();
    checked.Add(state);
    return 0;
}
