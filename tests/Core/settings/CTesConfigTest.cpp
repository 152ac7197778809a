// Tests of CTesConfig: defaults, the exact saved file, loading damaged and
// partial files, round trips, ResetImageOption, copies and safe saving.
#include "CHelper.h"
#include "CTesConfig.h"
#include "TestFolder.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

// Opens the file-path overloads for the tests.
class TestableConfig : public CTesConfig
{
public:
    using CTesConfig::LoadConfig;
    using CTesConfig::SaveConfig;
};

typedef void (CTesConfig::*HotkeyGetter)(WORD&, WORD&);
typedef void (CTesConfig::*HotkeySetter)(WORD, WORD);

struct HotkeyAccess
{
    const char* name;
    HotkeyGetter get;
    HotkeySetter set;
    WORD defaultModifier;
    WORD defaultVk;
};

const HotkeyAccess kHotkeys[] = {
    { "NewSnap", &CTesConfig::GetNewSnapHotkey, &CTesConfig::SetNewSnapHotkey, 0, 44 },
    { "FullScreen", &CTesConfig::GetFullScreenHotkey, &CTesConfig::SetFullScreenHotkey, 2, 44 },
    { "ActiveWin", &CTesConfig::GetActiveWinHotkey, &CTesConfig::SetActiveWinHotkey, 0, 114 },
    { "CurrentWin", &CTesConfig::GetCurrentWinHotkey, &CTesConfig::SetCurrentWinHotkey, 0, 115 },
    { "WinClient", &CTesConfig::GetWinClientHotkey, &CTesConfig::SetWinClientHotkey, 0, 116 },
    { "WinObj", &CTesConfig::GetWinObjHotkey, &CTesConfig::SetWinObjHotkey, 0, 117 },
    { "SelectRect", &CTesConfig::GetSelectRectHotkey, &CTesConfig::SetSelectRectHotkey, 0, 118 },
    { "ShowHide", &CTesConfig::GetShowHideHotkey, &CTesConfig::SetShowHideHotkey, 0, 119 },
};

typedef int (CTesConfig::*IntGetter)() const;
typedef void (CTesConfig::*IntSetter)(int);

struct IntAccess
{
    const char* name;
    IntGetter get;
    IntSetter set;
    int defaultValue;
};

const IntAccess kInts[] = {
    { "PlaySnapSound", &CTesConfig::GetPlaySnapSound, &CTesConfig::SetPlaySnapSound, 1 },
    { "HideMainWnd", &CTesConfig::GetHideMainWnd, &CTesConfig::SetHideMainWnd, 1 },
    { "SnapOnStart", &CTesConfig::GetSnapOnStart, &CTesConfig::SetSnapOnStart, 0 },
    { "KeepOnTop", &CTesConfig::GetKeepOnTop, &CTesConfig::SetKeepOnTop, 1 },
    { "GrayScale", &CTesConfig::GetGrayScale, &CTesConfig::SetGrayScale, 0 },
    { "Negate", &CTesConfig::GetNegate, &CTesConfig::SetNegate, 0 },
    { "Scale", &CTesConfig::GetScale, &CTesConfig::SetScale, 0 },
    { "ScaleFactor", &CTesConfig::GetScaleFactor, &CTesConfig::SetScaleFactor, 50 },
    { "Rotate", &CTesConfig::GetRotate, &CTesConfig::SetRotate, 0 },
    { "RotateAngle", &CTesConfig::GetRotateAngle, &CTesConfig::SetRotateAngle, 45 },
    { "FlipHorz", &CTesConfig::GetFlipHorz, &CTesConfig::SetFlipHorz, 0 },
    { "FlipVert", &CTesConfig::GetFlipVert, &CTesConfig::SetFlipVert, 0 },
    { "ShearDown", &CTesConfig::GetShearDown, &CTesConfig::SetShearDown, 0 },
    { "ShearDownAmout", &CTesConfig::GetShearDownAmout, &CTesConfig::SetShearDownAmout, 50 },
    { "ShearAcross", &CTesConfig::GetShearAcross, &CTesConfig::SetShearAcross, 0 },
    { "ShearAcrossAmout", &CTesConfig::GetShearAcrossAmout, &CTesConfig::SetShearAcrossAmout, 50 },
    { "Blur", &CTesConfig::GetBlur, &CTesConfig::SetBlur, 0 },
    { "BlurFactor", &CTesConfig::GetBlurFactor, &CTesConfig::SetBlurFactor, 5 },
    { "Sharpen", &CTesConfig::GetSharpen, &CTesConfig::SetSharpen, 0 },
    { "SharpenFactor", &CTesConfig::GetSharpenFactor, &CTesConfig::SetSharpenFactor, 5 },
    { "AutoCopy", &CTesConfig::GetAutoCopy, &CTesConfig::SetAutoCopy, 0 },
    { "SnapMode", &CTesConfig::GetSnapMode, &CTesConfig::SetSnapMode, 0 },
};

// Every value reachable through the accessors, the internal switches
// included, one line each.
std::vector<std::string> Snapshot(CTesConfig& config)
{
    std::vector<std::string> lines;
    for (const IntAccess& a : kInts)
        lines.push_back(std::string(a.name) + "=" + std::to_string((config.*a.get)()));
    for (const HotkeyAccess& h : kHotkeys) {
        WORD modifier = 0xFFFF;
        WORD vk = 0xFFFF;
        (config.*h.get)(modifier, vk);
        lines.push_back(std::string(h.name) + "=" + std::to_string(modifier) + "," + std::to_string(vk));
    }
    lines.push_back("SnapDelayTime=" + std::to_string(config.GetSnapDelayTime()));
    lines.push_back("AppName.size=" + std::to_string(config.GetAppName().GetLength()));
    lines.push_back("EditAppPath.size=" + std::to_string(config.GetEditAppPath().GetLength()));
    lines.push_back("switches=" + std::to_string(config.m_bEffects) + "," + std::to_string(config.m_bReplaceColor)
                    + "," + std::to_string(config.m_bSmooth));
    return lines;
}

// Gives every stored setting a value other than its default.
void ChangeEverything(CTesConfig& config)
{
    int n = 1000;
    for (const IntAccess& a : kInts)
        (config.*a.set)(++n);
    WORD w = 3000;
    for (const HotkeyAccess& h : kHotkeys) {
        const WORD modifier = static_cast<WORD>(++w);
        (config.*h.set)(modifier, static_cast<WORD>(65535 - w));
    }
    config.SetSnapDelayTime(4000000000u);
    config.SetAppName(L"\x6D4B\x8BD5 name");
    config.SetEditAppPath(L"D:/tools/edit.exe");
}

const char16_t kDefaultFile[] =
    u"<Voruzev>\n"
    u" <Author>\n"
    u"  Brivane\n"
    u" </Author>\n"
    u" <Version>\n"
    u"  Ver 1.4.1.205\n"
    u" </Version>\n"
    u" <URL>\n"
    u"  http:\\colon\\colonwww.example.com\\colontes\\colon\n"
    u" </URL>\n"
    u" <Mail>\n"
    u"  tes@example.com\n"
    u" </Mail>\n"
    u" <AppName>\n"
    u"  Tessaly\xFF08" u"Brivane\x4F5C\x54C1\xFF09\n"
    u" </AppName>\n"
    u" <Basic>\n"
    u"  <PlaySnapSound>\n   1\n  </PlaySnapSound>\n"
    u"  <HideMainWnd>\n   1\n  </HideMainWnd>\n"
    u"  <SnapOnStart>\n   0\n  </SnapOnStart>\n"
    u"  <SnapDelayTime>\n   500\n  </SnapDelayTime>\n"
    u"  <KeepOnTop>\n   1\n  </KeepOnTop>\n"
    u" </Basic>\n"
    u" <Image>\n"
    u"  <GrayScale>\n   0\n  </GrayScale>\n"
    u"  <Negate>\n   0\n  </Negate>\n"
    u"  <Scale>\n   0\n  </Scale>\n"
    u"  <Rotate>\n   0\n  </Rotate>\n"
    u"  <FlipHorz>\n   0\n  </FlipHorz>\n"
    u"  <FlipVert>\n   0\n  </FlipVert>\n"
    u"  <ShearDown>\n   0\n  </ShearDown>\n"
    u"  <ShearAcross>\n   0\n  </ShearAcross>\n"
    u"  <Blur>\n   0\n  </Blur>\n"
    u"  <Sharpen>\n   0\n  </Sharpen>\n"
    u"  <AutoCopy>\n   0\n  </AutoCopy>\n"
    u"  <EditAppPath>\n   mspaint.exe\n  </EditAppPath>\n"
    u"  <RotateAngle>\n   45\n  </RotateAngle>\n"
    u"  <XShearAmount>\n   50\n  </XShearAmount>\n"
    u"  <YShearAmount>\n   50\n  </YShearAmount>\n"
    u"  <BlurFactor>\n   5\n  </BlurFactor>\n"
    u"  <SharpenFactor>\n   5\n  </SharpenFactor>\n"
    u" </Image>\n"
    u" <HotKey>\n"
    u"  <NewSnapModifier>\n   0\n  </NewSnapModifier>\n"
    u"  <NewSnapVk>\n   44\n  </NewSnapVk>\n"
    u"  <FullScreenModifier>\n   2\n  </FullScreenModifier>\n"
    u"  <FullScreenVk>\n   44\n  </FullScreenVk>\n"
    u"  <ActiveWinModifier>\n   0\n  </ActiveWinModifier>\n"
    u"  <ActiveWinVk>\n   114\n  </ActiveWinVk>\n"
    u"  <CurrentWinModifier>\n   0\n  </CurrentWinModifier>\n"
    u"  <CurrentWinVk>\n   115\n  </CurrentWinVk>\n"
    u"  <WinClientModifier>\n   0\n  </WinClientModifier>\n"
    u"  <WinClientVk>\n   116\n  </WinClientVk>\n"
    u"  <WinObjModifier>\n   0\n  </WinObjModifier>\n"
    u"  <WinObjVk>\n   117\n  </WinObjVk>\n"
    u"  <SelectRectModifier>\n   0\n  </SelectRectModifier>\n"
    u"  <SelectRectVk>\n   118\n  </SelectRectVk>\n"
    u"  <ShowHideModifier>\n   0\n  </ShowHideModifier>\n"
    u"  <ShowHideVk>\n   119\n  </ShowHideVk>\n"
    u" </HotKey>\n"
    u" <AppData>\n"
    u"  <SnapMode>\n   0\n  </SnapMode>\n"
    u" </AppData>\n"
    u"</Voruzev>\n";

class Settings : public ::testing::Test
{
protected:
    CString ConfigPath() const { return m_folder.Path(L"config.xml"); }

    void WriteConfigText(const std::u16string& text) const
    {
        m_folder.WriteBytes(L"config.xml", TestFolder::Utf16Le(text));
    }

    TestFolder m_folder;
};

TEST_F(Settings, DefaultsOfEveryAccessor)
{
    CTesConfig config;
    for (const IntAccess& a : kInts)
        EXPECT_EQ((config.*a.get)(), a.defaultValue) << a.name;
    for (const HotkeyAccess& h : kHotkeys) {
        WORD modifier = 0xFFFF;
        WORD vk = 0xFFFF;
        (config.*h.get)(modifier, vk);
        EXPECT_EQ(modifier, h.defaultModifier) << h.name;
        EXPECT_EQ(vk, h.defaultVk) << h.name;
    }
    EXPECT_EQ(config.GetSnapDelayTime(), 500u);
    EXPECT_EQ(W(config.GetAppName()), L"Tessaly\xFF08" L"Brivane\x4F5C\x54C1\xFF09");
    EXPECT_EQ(W(config.GetEditAppPath()), L"mspaint.exe");
    EXPECT_EQ(config.m_bEffects, 1);
    EXPECT_EQ(config.m_bReplaceColor, 0);
    EXPECT_EQ(config.m_bSmooth, 1);
}

TEST_F(Settings, SettersStoreValuesUnchanged)
{
    CTesConfig config;
    for (const IntAccess& a : kInts) {
        for (int value : { -5, 0, 7, 123456 }) {
            (config.*a.set)(value);
            EXPECT_EQ((config.*a.get)(), value) << a.name;
        }
    }
    for (const HotkeyAccess& h : kHotkeys) {
        (config.*h.set)(65535, 1);
        WORD modifier = 0;
        WORD vk = 0;
        (config.*h.get)(modifier, vk);
        EXPECT_EQ(modifier, 65535) << h.name;
        EXPECT_EQ(vk, 1) << h.name;
    }
}

TEST_F(Settings, FirstSaveWritesEveryValueInOrderByteForByte)
{
    TestableConfig config;
    config.SaveConfig(ConfigPath());
    EXPECT_EQ(m_folder.ReadBytes(L"config.xml"), TestFolder::Utf16Le(kDefaultFile));
    EXPECT_FALSE(m_folder.Exists(L"config.xml.tmp"));
}

TEST_F(Settings, NoFileOrAnEmptyFileKeepsTheDefaults)
{
    const std::vector<std::string> defaults = [] { CTesConfig c; return Snapshot(c); }();
    TestableConfig missing;
    missing.LoadConfig(ConfigPath());
    EXPECT_EQ(Snapshot(missing), defaults);

    m_folder.WriteBytes(L"config.xml", "");
    TestableConfig empty;
    empty.LoadConfig(ConfigPath());
    EXPECT_EQ(Snapshot(empty), defaults);

    WriteConfigText(u"no element here");
    TestableConfig text;
    text.LoadConfig(ConfigPath());
    EXPECT_EQ(Snapshot(text), defaults);
}

TEST_F(Settings, SaveThenLoadRestoresEveryStoredValue)
{
    TestableConfig saved;
    ChangeEverything(saved);
    saved.SaveConfig(ConfigPath());

    TestableConfig loaded;
    loaded.LoadConfig(ConfigPath());
    // The scale factor is not stored: it starts at 50 in every run.
    EXPECT_EQ(loaded.GetScaleFactor(), 50);
    loaded.SetScaleFactor(saved.GetScaleFactor());
    EXPECT_EQ(Snapshot(loaded), Snapshot(saved));
    EXPECT_EQ(W(loaded.GetAppName()), W(saved.GetAppName()));
    EXPECT_EQ(W(loaded.GetEditAppPath()), L"D:/tools/edit.exe");
    EXPECT_EQ(loaded.GetSnapDelayTime(), 4000000000u);
}

TEST_F(Settings, TheScaleFactorIsNeitherSavedNorLoaded)
{
    TestableConfig saved;
    saved.SetScaleFactor(75);
    saved.SaveConfig(ConfigPath());
    EXPECT_EQ(m_folder.ReadBytes(L"config.xml"), TestFolder::Utf16Le(kDefaultFile));

    WriteConfigText(u"<Voruzev><Image><ScaleFactor>80</ScaleFactor><Scale>1</Scale></Image></Voruzev>");
    TestableConfig loaded;
    loaded.SetScaleFactor(75);
    loaded.LoadConfig(ConfigPath());
    EXPECT_EQ(loaded.GetScaleFactor(), 75);
    EXPECT_EQ(loaded.GetScale(), 1);
}

TEST_F(Settings, ADelayOfZeroAndAnEmptyEditorPathRoundTrip)
{
    TestableConfig saved;
    saved.SetSnapDelayTime(0);
    saved.SetEditAppPath(L"");
    saved.SaveConfig(ConfigPath());
    const std::string bytes = m_folder.ReadBytes(L"config.xml");
    EXPECT_NE(bytes.find(TestFolder::Utf16Le(u"  <EditAppPath>\n  </EditAppPath>\n")), std::string::npos);
    EXPECT_NE(bytes.find(TestFolder::Utf16Le(u"  <SnapDelayTime>\n   0\n  </SnapDelayTime>\n")), std::string::npos);

    TestableConfig loaded;
    loaded.LoadConfig(ConfigPath());
    EXPECT_EQ(loaded.GetSnapDelayTime(), 0u);
    EXPECT_TRUE(loaded.GetEditAppPath().IsEmpty());
}

TEST_F(Settings, TheDelayIsStoredAsTheSignedDecimalOfItsBits)
{
    TestableConfig saved;
    saved.SetSnapDelayTime(0xFFFFFFFFu);
    saved.SaveConfig(ConfigPath());
    EXPECT_NE(m_folder.ReadBytes(L"config.xml").find(TestFolder::Utf16Le(u"<SnapDelayTime>\n   -1\n")),
              std::string::npos);
    TestableConfig loaded;
    loaded.LoadConfig(ConfigPath());
    EXPECT_EQ(loaded.GetSnapDelayTime(), 0xFFFFFFFFu);
}

TEST_F(Settings, AFileWithoutHotKeysKeepsTheirDefaultsWhileOtherGroupsLoad)
{
    WriteConfigText(u"<Voruzev>\n"
                    u" <AppName>\n  Mine\n </AppName>\n"
                    u" <Basic>\n  <SnapDelayTime>\n   250\n  </SnapDelayTime>\n </Basic>\n"
                    u" <Image>\n  <Blur>\n   1\n  </Blur>\n  <EditAppPath>\n   C:\\colonx\\colony\n  </EditAppPath>\n"
                    u" </Image>\n"
                    u" <AppData>\n  <SnapMode>\n   5\n  </SnapMode>\n </AppData>\n"
                    u"</Voruzev>\n");
    TestableConfig config;
    config.LoadConfig(ConfigPath());
    EXPECT_EQ(W(config.GetAppName()), L"Mine");
    EXPECT_EQ(config.GetSnapDelayTime(), 250u);
    EXPECT_EQ(config.GetBlur(), 1);
    EXPECT_EQ(W(config.GetEditAppPath()), L"C:/x/y");
    EXPECT_EQ(config.GetSnapMode(), 5);
    EXPECT_EQ(config.GetPlaySnapSound(), 1);
    EXPECT_EQ(config.GetBlurFactor(), 5);
    for (const HotkeyAccess& h : kHotkeys) {
        WORD modifier = 0xFFFF;
        WORD vk = 0xFFFF;
        (config.*h.get)(modifier, vk);
        EXPECT_EQ(modifier, h.defaultModifier) << h.name;
        EXPECT_EQ(vk, h.defaultVk) << h.name;
    }
}

TEST_F(Settings, HotKeyValuesKeepOnlyTheirLow16Bits)
{
    WriteConfigText(u"<Voruzev><HotKey>"
                    u"<NewSnapVk>65580</NewSnapVk>"
                    u"<NewSnapModifier>-1</NewSnapModifier>"
                    u"<ShowHideVk>131071</ShowHideVk>"
                    u"<ShowHideModifier>65540</ShowHideModifier>"
                    u"</HotKey></Voruzev>");
    TestableConfig config;
    config.LoadConfig(ConfigPath());
    WORD modifier = 0;
    WORD vk = 0;
    config.GetNewSnapHotkey(modifier, vk);
    EXPECT_EQ(vk, 44);
    EXPECT_EQ(modifier, 65535);
    config.GetShowHideHotkey(modifier, vk);
    EXPECT_EQ(vk, 65535);
    EXPECT_EQ(modifier, 4);
}

TEST_F(Settings, AnotherRootNameIsReadByChildNames)
{
    WriteConfigText(u"<Other>\n <Basic>\n  <SnapDelayTime>\n   7\n  </SnapDelayTime>\n </Basic>\n</Other>\n");
    TestableConfig config;
    config.LoadConfig(ConfigPath());
    EXPECT_EQ(config.GetSnapDelayTime(), 7u);
}

TEST_F(Settings, ADeclarationInFrontLosesEverySetting)
{
    WriteConfigText(u"<?xml version=\"1.0\"?>\n<Voruzev><Basic><SnapDelayTime>7</SnapDelayTime></Basic></Voruzev>");
    TestableConfig config;
    config.LoadConfig(ConfigPath());
    EXPECT_EQ(config.GetSnapDelayTime(), 500u);
}

TEST_F(Settings, ValuesAreTakenAsTheyAreWithoutChecks)
{
    WriteConfigText(u"<Voruzev>\n"
                    u" <Author></Author>\n"
                    u" <Basic><PlaySnapSound>abc</PlaySnapSound><KeepOnTop>12abc</KeepOnTop>"
                    u"<SnapOnStart>-3</SnapOnStart><Unknown>9</Unknown></Basic>\n"
                    u" <Image><RotateAngle>-720</RotateAngle><XShearAmount>11</XShearAmount>"
                    u"<YShearAmount>22</YShearAmount></Image>\n"
                    u" <AppName></AppName>\n"
                    u"</Voruzev>");
    TestableConfig config;
    config.LoadConfig(ConfigPath());
    EXPECT_EQ(config.GetPlaySnapSound(), 0);
    EXPECT_EQ(config.GetKeepOnTop(), 12);
    EXPECT_EQ(config.GetSnapOnStart(), -3);
    EXPECT_EQ(config.GetRotateAngle(), -720);
    EXPECT_EQ(config.GetShearAcrossAmout(), 11);
    EXPECT_EQ(config.GetShearDownAmout(), 22);
    // An element without a value empties the string.
    EXPECT_TRUE(config.GetAppName().IsEmpty());
}

TEST_F(Settings, ResetImageOptionKeepsAutoCopyEditorAndSwitches)
{
    CTesConfig config;
    ChangeEverything(config);
    config.m_bEffects = 0;
    config.m_bReplaceColor = 1;
    config.m_bSmooth = 0;
    const std::vector<std::string> before = Snapshot(config);
    config.ResetImageOption();

    const struct
    {
        IntGetter get;
        int expected;
    } reset[] = {
        { &CTesConfig::GetGrayScale, 0 }, { &CTesConfig::GetNegate, 0 },       { &CTesConfig::GetScale, 0 },
        { &CTesConfig::GetRotate, 0 },    { &CTesConfig::GetFlipHorz, 0 },     { &CTesConfig::GetFlipVert, 0 },
        { &CTesConfig::GetShearDown, 0 }, { &CTesConfig::GetShearAcross, 0 },  { &CTesConfig::GetBlur, 0 },
        { &CTesConfig::GetSharpen, 0 },   { &CTesConfig::GetBlurFactor, 5 },   { &CTesConfig::GetSharpenFactor, 5 },
        { &CTesConfig::GetScaleFactor, 50 }, { &CTesConfig::GetRotateAngle, 45 },
        { &CTesConfig::GetShearDownAmout, 50 }, { &CTesConfig::GetShearAcrossAmout, 50 },
    };
    for (const auto& r : reset)
        EXPECT_EQ((config.*r.get)(), r.expected);

    EXPECT_EQ(config.GetAutoCopy(), 1021);
    EXPECT_EQ(W(config.GetEditAppPath()), L"D:/tools/edit.exe");
    EXPECT_EQ(config.m_bEffects, 0);
    EXPECT_EQ(config.m_bReplaceColor, 1);
    EXPECT_EQ(config.m_bSmooth, 0);
    // Everything outside the image options is untouched.
    const std::vector<std::string> after = Snapshot(config);
    std::vector<std::string> keptNames = { "PlaySnapSound", "HideMainWnd", "SnapOnStart", "KeepOnTop", "SnapMode",
                                           "SnapDelayTime", "AppName.size" };
    for (const HotkeyAccess& h : kHotkeys)
        keptNames.push_back(h.name);
    for (const std::string& kept : keptNames) {
        const std::string prefix = kept + "=";
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (before[i].compare(0, prefix.size(), prefix) == 0) {
                EXPECT_EQ(after[i], before[i]);
            }
        }
    }
    EXPECT_EQ(after.back(), before.back());
}

TEST_F(Settings, CopiesCarryEveryField)
{
    TestableConfig original;
    ChangeEverything(original);
    original.m_bEffects = 0;
    original.m_bReplaceColor = 1;
    original.m_bSmooth = 0;

    CTesConfig copied(original);
    EXPECT_EQ(Snapshot(copied), Snapshot(original));
    CTesConfig assigned;
    assigned = original;
    EXPECT_EQ(Snapshot(assigned), Snapshot(original));
    EXPECT_EQ(W(assigned.GetAppName()), W(original.GetAppName()));

    // The texts that have no accessor are carried too: the copy saves the same file.
    TestableConfig fromFile;
    WriteConfigText(u"<Voruzev><Author>Someone</Author><Mail>x@example.org</Mail></Voruzev>");
    fromFile.LoadConfig(ConfigPath());
    TestableConfig copy;
    static_cast<CTesConfig&>(copy) = fromFile;
    fromFile.SaveConfig(m_folder.Path(L"a.xml"));
    copy.SaveConfig(m_folder.Path(L"b.xml"));
    EXPECT_EQ(m_folder.ReadBytes(L"a.xml"), m_folder.ReadBytes(L"b.xml"));
    EXPECT_NE(m_folder.ReadBytes(L"a.xml").find(TestFolder::Utf16Le(u"Someone")), std::string::npos);
}

TEST_F(Settings, AFailedSaveLeavesThePreviousFileWhole)
{
    TestableConfig first;
    first.SaveConfig(ConfigPath());
    const std::string previous = m_folder.ReadBytes(L"config.xml");
    ASSERT_FALSE(previous.empty());

    // The temporary file cannot be made: a folder holds its name.
    m_folder.MakeSubfolder(L"config.xml.tmp");
    TestableConfig changed;
    ChangeEverything(changed);
    changed.SaveConfig(ConfigPath());
    EXPECT_EQ(m_folder.ReadBytes(L"config.xml"), previous);
}

TEST_F(Settings, ASaveIntoAMissingFolderWritesNothing)
{
    TestableConfig config;
    config.SaveConfig(m_folder.Path(L"missing") + L"/config.xml");
    EXPECT_FALSE(m_folder.Exists(L"missing"));
}

TEST_F(Settings, AFailedReplaceRemovesTheTemporaryFile)
{
    // A folder in place of the settings file cannot be replaced by a file.
    m_folder.MakeSubfolder(L"config.xml");
    m_folder.WriteBytes(L"config.xml/keep", "x");
    TestableConfig config;
    config.SaveConfig(ConfigPath());
    EXPECT_FALSE(m_folder.Exists(L"config.xml.tmp"));
    EXPECT_EQ(m_folder.ReadBytes(L"config.xml/keep"), "x");
}

TEST_F(Settings, ALeftoverTemporaryFileIsReplacedAndGone)
{
    m_folder.WriteBytes(L"config.xml.tmp", std::string(50000, 'x'));
    WriteConfigText(u"<old/>");
    TestableConfig config;
    config.SaveConfig(ConfigPath());
    EXPECT_EQ(m_folder.ReadBytes(L"config.xml"), TestFolder::Utf16Le(kDefaultFile));
    EXPECT_FALSE(m_folder.Exists(L"config.xml.tmp"));
}

TEST(SettingsFile, LoadAndSaveUseConfigXmlInTheProgramFolder)
{
    const std::filesystem::path file(W(CHelper::GetAppPath() + L"config.xml"));
    ASSERT_FALSE(std::filesystem::exists(file)) << "a settings file is already beside the test program";

    CTesConfig saved;
    saved.SetSnapMode(3);
    saved.SaveConfig();
    EXPECT_TRUE(std::filesystem::exists(file));
    CTesConfig loaded;
    loaded.LoadConfig();
    std::filesystem::remove(file);
    EXPECT_EQ(loaded.GetSnapMode(), 3);
}

} // namespace
