// Fuzz target: any bytes as config.xml. Whatever a load makes of them, saving
// and loading again must give the same settings and the same file.
#include "CTesConfig.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

class ScratchFolder
{
public:
    ScratchFolder()
    {
        char pattern[] = "/tmp/fuzz_settings.XXXXXX";
        if (mkdtemp(pattern) == nullptr)
            std::abort();
        m_path = pattern;
    }
    ~ScratchFolder()
    {
        for (const char* name : { "/in.xml", "/first.xml", "/second.xml" })
            std::remove((m_path + name).c_str());
        rmdir(m_path.c_str());
    }
    std::string File(const char* name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

class FuzzedConfig : public CTesConfig
{
public:
    using CTesConfig::LoadConfig;
    using CTesConfig::SaveConfig;
};

CString Wide(const std::string& ascii)
{
    return CString(std::wstring(ascii.begin(), ascii.end()).c_str());
}

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static ScratchFolder folder;
    {
        std::ofstream out(folder.File("in.xml"), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    FuzzedConfig first;
    first.LoadConfig(Wide(folder.File("in.xml")));
    first.SaveConfig(Wide(folder.File("first.xml")));
    FuzzedConfig second;
    second.LoadConfig(Wide(folder.File("first.xml")));
    second.SaveConfig(Wide(folder.File("second.xml")));

    // The accessor-less texts (author, version, address, mail) are compared
    // through the files.
    if (Values(first) != Values(second))
        std::abort();
    if (Bytes(folder.File("first.xml")) != Bytes(folder.File("second.xml")))
        std::abort();
    return 0;
}
