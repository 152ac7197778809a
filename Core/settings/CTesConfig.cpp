// CTesConfig: the settings' defaults, accessors, and their config.xml file.
#include "CTesConfig.h"

#include "CDecimalText.h"
#include "CHelper.h"
#include "CWideFile.h"
#include "XML_File.h"
#include "XML_Tree.h"
#include "XML_Writer.h"

#include <utility>

namespace {

// Copies the values found in a read document over the settings. A missing
// group or key leaves its settings alone, and so does a key that the file
// ended in before its value: a file cut short keeps the defaults of what it
// lost instead of blanking a text or zeroing a number.
class StoredSettingsLoader
{
public:
    StoredSettingsLoader(XML_Node* pRoot, const XML_Node* pOpen) : m_pRoot(pRoot), m_pGroup(pRoot), m_pOpen(pOpen) {}

    void BeginGroup(const wchar_t* pszName) { m_pGroup = m_pRoot->GetSubItem(pszName); }
    void EndGroup() { m_pGroup = m_pRoot; }

    void Text(const wchar_t* pszName, CString& strField)
    {
        if (const XML_Node* pNode = Find(pszName))
            strField = pNode->GetValue();
    }
    void Number(const wchar_t* pszName, int& nField)
    {
        if (const XML_Node* pNode = Find(pszName))
            nField = pNode->GetValueAsInt();
    }
    // The signed number is kept bit for bit.
    void Number(const wchar_t* pszName, unsigned int& nField)
    {
        if (const XML_Node* pNode = Find(pszName))
            nField = static_cast<unsigned int>(pNode->GetValueAsInt());
    }
    // Only the low 16 bits are kept.
    void Number(const wchar_t* pszName, WORD& wField)
    {
        if (const XML_Node* pNode = Find(pszName))
            wField = static_cast<WORD>(static_cast<unsigned int>(pNode->GetValueAsInt()) & 0xFFFFu);
    }

private:
    const XML_Node* Find(const wchar_t* pszName) const
    {
        const XML_Node* pNode = m_pGroup != nullptr ? m_pGroup->GetSubItem(pszName) : nullptr;
        return pNode != nullptr && IsUnclosed(pNode) && pNode->GetValue().IsEmpty() ? nullptr : pNode;
    }

    bool IsUnclosed(const XML_Node* pNode) const
    {
        for (const XML_Node* pOpen = m_pOpen; pOpen != nullptr; pOpen = pOpen->GetParent()) {
            if (pOpen == pNode)
                return true;
        }
        return false;
    }

    XML_Node* m_pRoot;
    XML_Node* m_pGroup;
    const XML_Node* m_pOpen; // the element the file ended in, if it ended early
};

// Writes the document: one element per setting, each closed right after its
// one value, each group closed after its last key.
class StoredSettingsWriter
{
public:
    explicit StoredSettingsWriter(XML_Writer& writer) : m_writer(writer) {}

    void BeginGroup(const wchar_t* pszName) { m_writer.BeginElement(pszName); }
    void EndGroup() { m_writer.EndElement(); }

    void Text(const wchar_t* pszName, const CString& strField) { Leaf(pszName, strField); }
    void Number(const wchar_t* pszName, int nField) { Leaf(pszName, CDecimalText::FromNumber(nField)); }
    // The delay as the signed decimal of its 32 bits.
    void Number(const wchar_t* pszName, unsigned int nField) { Leaf(pszName, CDecimalText::FromNumber(static_cast<int>(nField))); }
    // Hot-key words are widened without sign: 0 to 65535.
    void Number(const wchar_t* pszName, WORD wField) { Leaf(pszName, CDecimalText::FromNumber(static_cast<int>(wField))); }

private:
    void Leaf(const wchar_t* pszName, const CString& strValue)
    {
        m_writer.BeginElement(pszName);
        m_writer.AddValue(strValue);
        m_writer.EndElement();
    }

    XML_Writer& m_writer;
};

} // namespace

CTesConfig::CTesConfig()
    : m_strAuthor(L"Brivane"),
      m_strVersion(L"Ver 1.4.1.205"),
      m_strURL(L"http://www.example.com/tes/"),
      m_strMail(L"tes@example.com"),
      // "Tessaly（Brivane作品）" with full-width parentheses.
      m_strAppName(L"Tessaly\xFF08" L"Brivane" L"\x4F5C\x54C1\xFF09"),
      m_bPlaySnapSound(1),
      m_bHideMainWnd(1),
      m_bSnapOnStart(0),
      m_nSnapDelayTime(500),
      m_bKeepOnTop(1),
      m_strEditAppPath(L"mspaint.exe"),
      m_bGrayScale(0),
      m_bNegate(0),
      m_bScale(0),
      m_nScaleFactor(50),
      m_bRotate(0),
      m_nRotateAngle(45),
      m_bFlipHorz(0),
      m_bFlipVert(0),
      m_bShearDown(0),
      m_nShearDownAmount(50),
      m_bShearAcross(0),
      m_nShearAcrossAmount(50),
      m_bBlur(0),
      m_nBlurFactor(5),
      m_bSharpen(0),
      m_nSharpenFactor(5),
      m_bAutoCopy(0),
      m_bEffects(1),
      m_bReplaceColor(0),
      m_bSmooth(1),
      m_wNewSnapModifier(0),
      m_wNewSnapVk(44),
      m_wFullScreenModifier(2),
      m_wFullScreenVk(44),
      m_wActiveWinModifier(0),
      m_wActiveWinVk(114),
      m_wCurrentWinModifier(0),
      m_wCurrentWinVk(115),
      m_wWinClientModifier(0),
      m_wWinClientVk(116),
      m_wWinObjModifier(0),
      m_wWinObjVk(117),
      m_wSelectRectModifier(0),
      m_wSelectRectVk(118),
      m_wShowHideModifier(0),
      m_wShowHideVk(119),
      m_nSnapMode(0)
{
}

CTesConfig::CTesConfig(const CTesConfig& other) = default;
CTesConfig& CTesConfig::operator=(const CTesConfig& other) = default;
CTesConfig::~CTesConfig() = default;

template <class Visitor>
void CTesConfig::VisitStored(Visitor& visitor)
{
    visitor.Text(L"Author", m_strAuthor);
    visitor.Text(L"Version", m_strVersion);
    visitor.Text(L"URL", m_strURL);
    visitor.Text(L"Mail", m_strMail);
    visitor.Text(L"AppName", m_strAppName);

    visitor.BeginGroup(L"Basic");
    visitor.Number(L"PlaySnapSound", m_bPlaySnapSound);
    visitor.Number(L"HideMainWnd", m_bHideMainWnd);
    visitor.Number(L"SnapOnStart", m_bSnapOnStart);
    visitor.Number(L"SnapDelayTime", m_nSnapDelayTime);
    visitor.Number(L"KeepOnTop", m_bKeepOnTop);
    visitor.EndGroup();

    visitor.BeginGroup(L"Image");
    visitor.Number(L"GrayScale", m_bGrayScale);
    visitor.Number(L"Negate", m_bNegate);
    visitor.Number(L"Scale", m_bScale);
    visitor.Number(L"Rotate", m_bRotate);
    visitor.Number(L"FlipHorz", m_bFlipHorz);
    visitor.Number(L"FlipVert", m_bFlipVert);
    visitor.Number(L"ShearDown", m_bShearDown);
    visitor.Number(L"ShearAcross", m_bShearAcross);
    visitor.Number(L"Blur", m_bBlur);
    visitor.Number(L"Sharpen", m_bSharpen);
    visitor.Number(L"AutoCopy", m_bAutoCopy);
    visitor.Text(L"EditAppPath", m_strEditAppPath);
    visitor.Number(L"RotateAngle", m_nRotateAngle);
    visitor.Number(L"XShearAmount", m_nShearAcrossAmount);
    visitor.Number(L"YShearAmount", m_nShearDownAmount);
    visitor.Number(L"BlurFactor", m_nBlurFactor);
    visitor.Number(L"SharpenFactor", m_nSharpenFactor);
    visitor.EndGroup();

    visitor.BeginGroup(L"HotKey");
    visitor.Number(L"NewSnapModifier", m_wNewSnapModifier);
    visitor.Number(L"NewSnapVk", m_wNewSnapVk);
    visitor.Number(L"FullScreenModifier", m_wFullScreenModifier);
    visitor.Number(L"FullScreenVk", m_wFullScreenVk);
    visitor.Number(L"ActiveWinModifier", m_wActiveWinModifier);
    visitor.Number(L"ActiveWinVk", m_wActiveWinVk);
    visitor.Number(L"CurrentWinModifier", m_wCurrentWinModifier);
    visitor.Number(L"CurrentWinVk", m_wCurrentWinVk);
    visitor.Number(L"WinClientModifier", m_wWinClientModifier);
    visitor.Number(L"WinClientVk", m_wWinClientVk);
    visitor.Number(L"WinObjModifier", m_wWinObjModifier);
    visitor.Number(L"WinObjVk", m_wWinObjVk);
    visitor.Number(L"SelectRectModifier", m_wSelectRectModifier);
    visitor.Number(L"SelectRectVk", m_wSelectRectVk);
    visitor.Number(L"ShowHideModifier", m_wShowHideModifier);
    visitor.Number(L"ShowHideVk", m_wShowHideVk);
    visitor.EndGroup();

    visitor.BeginGroup(L"AppData");
    visitor.Number(L"SnapMode", m_nSnapMode);
    visitor.EndGroup();
}

CString CTesConfig::ConfigPath()
{
    return CHelper::GetAppPath() + L"config.xml";
}

void CTesConfig::LoadConfig()
{
    LoadConfig(ConfigPath());
}

void CTesConfig::SaveConfig()
{
    SaveConfig(ConfigPath());
}

void CTesConfig::LoadConfig(const CString& strPath)
{
    XML_Tree tree;
    XML_File::ReadXMLFile(&tree, strPath);
    LoadFromTree(tree);
}

void CTesConfig::LoadConfigFromBuffer(const void* pBytes, std::size_t nBytes)
{
    XML_Tree tree;
    XML_File::ReadXMLBuffer(&tree, pBytes, nBytes);
    LoadFromTree(tree);
}

void CTesConfig::LoadFromTree(XML_Tree& tree)
{
    // The root's name is not checked: the settings are found by child names.
    if (tree.GetRoot() == nullptr)
        return;
    StoredSettingsLoader loader(tree.GetRoot(), tree.GetOpenElement());
    VisitStored(loader);
}

std::string CTesConfig::SaveConfigToBuffer()
{
    std::string bytes;
    bytes.reserve(4096);
    XML_Writer writer(bytes);
    StoredSettingsWriter settingsWriter(writer);
    writer.BeginElement(L"Voruzev");
    VisitStored(settingsWriter);
    writer.EndElement();
    return bytes;
}

void CTesConfig::SaveConfig(const CString& strPath)
{
    const std::string bytes = SaveConfigToBuffer();

    // The previous file is replaced only by a complete new one, so a program
    // stopped at any moment leaves either the old or the new file. A
    // temporary file left by such a stop is truncated and reused here.
    const CString strTemporary = strPath + L".tmp";
    CWideFile file;
    if (!file.Open(strTemporary, L"wb"))
        return;
    const bool bWritten = file.Write(bytes.data(), bytes.size()) && file.Commit();
    if (file.Close() && bWritten && CWideFile::Replace(strTemporary, strPath))
        return;
    CWideFile::Remove(strTemporary);
}

void CTesConfig::ResetImageOption()
{
    m_bGrayScale = 0;
    m_bNegate = 0;
    m_bScale = 0;
    m_bRotate = 0;
    m_bFlipHorz = 0;
    m_bFlipVert = 0;
    m_bShearDown = 0;
    m_bShearAcross = 0;
    m_bBlur = 0;
    m_bSharpen = 0;
    m_nBlurFactor = 5;
    m_nSharpenFactor = 5;
    m_nScaleFactor = 50;
    m_nRotateAngle = 45;
    m_nShearDownAmount = 50;
    m_nShearAcrossAmount = 50;
}

CString CTesConfig::GetAppName() { return m_strAppName; }
void CTesConfig::SetAppName(CString strAppName) { m_strAppName = std::move(strAppName); }

int CTesConfig::GetPlaySnapSound() const { return m_bPlaySnapSound; }
void CTesConfig::SetPlaySnapSound(int bPlay) { m_bPlaySnapSound = bPlay; }
int CTesConfig::GetHideMainWnd() const { return m_bHideMainWnd; }
void CTesConfig::SetHideMainWnd(int bHide) { m_bHideMainWnd = bHide; }
int CTesConfig::GetSnapOnStart() const { return m_bSnapOnStart; }
void CTesConfig::SetSnapOnStart(int bSnap) { m_bSnapOnStart = bSnap; }
unsigned int CTesConfig::GetSnapDelayTime() const { return m_nSnapDelayTime; }
void CTesConfig::SetSnapDelayTime(unsigned int nMilliseconds) { m_nSnapDelayTime = nMilliseconds; }
int CTesConfig::GetKeepOnTop() const { return m_bKeepOnTop; }
void CTesConfig::SetKeepOnTop(int bKeep) { m_bKeepOnTop = bKeep; }

CString CTesConfig::GetEditAppPath() const { return m_strEditAppPath; }
void CTesConfig::SetEditAppPath(CString strPath) { m_strEditAppPath = std::move(strPath); }
int CTesConfig::GetGrayScale() const { return m_bGrayScale; }
void CTesConfig::SetGrayScale(int bOn) { m_bGrayScale = bOn; }
int CTesConfig::GetNegate() const { return m_bNegate; }
void CTesConfig::SetNegate(int bOn) { m_bNegate = bOn; }
int CTesConfig::GetScale() const { return m_bScale; }
void CTesConfig::SetScale(int bOn) { m_bScale = bOn; }
int CTesConfig::GetScaleFactor() const { return m_nScaleFactor; }
void CTesConfig::SetScaleFactor(int nPercent) { m_nScaleFactor = nPercent; }
int CTesConfig::GetRotate() const { return m_bRotate; }
void CTesConfig::SetRotate(int bOn) { m_bRotate = bOn; }
int CTesConfig::GetRotateAngle() const { return m_nRotateAngle; }
void CTesConfig::SetRotateAngle(int nDegrees) { m_nRotateAngle = nDegrees; }
int CTesConfig::GetFlipHorz() const { return m_bFlipHorz; }
void CTesConfig::SetFlipHorz(int bOn) { m_bFlipHorz = bOn; }
int CTesConfig::GetFlipVert() const { return m_bFlipVert; }
void CTesConfig::SetFlipVert(int bOn) { m_bFlipVert = bOn; }
int CTesConfig::GetShearDown() const { return m_bShearDown; }
void CTesConfig::SetShearDown(int bOn) { m_bShearDown = bOn; }
int CTesConfig::GetShearDownAmout() const { return m_nShearDownAmount; }
void CTesConfig::SetShearDownAmout(int nAmount) { m_nShearDownAmount = nAmount; }
int CTesConfig::GetShearAcross() const { return m_bShearAcross; }
void CTesConfig::SetShearAcross(int bOn) { m_bShearAcross = bOn; }
int CTesConfig::GetShearAcrossAmout() const { return m_nShearAcrossAmount; }
void CTesConfig::SetShearAcrossAmout(int nAmount) { m_nShearAcrossAmount = nAmount; }
int CTesConfig::GetBlur() const { return m_bBlur; }
void CTesConfig::SetBlur(int bOn) { m_bBlur = bOn; }
int CTesConfig::GetBlurFactor() const { return m_nBlurFactor; }
void CTesConfig::SetBlurFactor(int nFactor) { m_nBlurFactor = nFactor; }
int CTesConfig::GetSharpen() const { return m_bSharpen; }
void CTesConfig::SetSharpen(int bOn) { m_bSharpen = bOn; }
int CTesConfig::GetSharpenFactor() const { return m_nSharpenFactor; }
void CTesConfig::SetSharpenFactor(int nFactor) { m_nSharpenFactor = nFactor; }
int CTesConfig::GetAutoCopy() const { return m_bAutoCopy; }
void CTesConfig::SetAutoCopy(int bOn) { m_bAutoCopy = bOn; }

void CTesConfig::GetNewSnapHotkey(WORD& wModifier, WORD& wVk) { wModifier = m_wNewSnapModifier; wVk = m_wNewSnapVk; }
void CTesConfig::SetNewSnapHotkey(WORD wModifier, WORD wVk) { m_wNewSnapModifier = wModifier; m_wNewSnapVk = wVk; }
void CTesConfig::GetFullScreenHotkey(WORD& wModifier, WORD& wVk) { wModifier = m_wFullScreenModifier; wVk = m_wFullScreenVk; }
void CTesConfig::SetFullScreenHotkey(WORD wModifier, WORD wVk) { m_wFullScreenModifier = wModifier; m_wFullScreenVk = wVk; }
void CTesConfig::GetActiveWinHotkey(WORD& wModifier, WORD& wVk) { wModifier = m_wActiveWinModifier; wVk = m_wActiveWinVk; }
void CTesConfig::SetActiveWinHotkey(WORD wModifier, WORD wVk) { m_wActiveWinModifier = wModifier; m_wActiveWinVk = wVk; }
void CTesConfig::GetCurrentWinHotkey(WORD& wModifier, WORD& wVk) { wModifier = m_wCurrentWinModifier; wVk = m_wCurrentWinVk; }
void CTesConfig::SetCurrentWinHotkey(WORD wModifier, WORD wVk) { m_wCurrentWinModifier = wModifier; m_wCurrentWinVk = wVk; }
void CTesConfig::GetWinClientHotkey(WORD& wModifier, WORD& wVk) { wModifier = m_wWinClientModifier; wVk = m_wWinClientVk; }
void CTesConfig::SetWinClientHotkey(WORD wModifier, WORD wVk) { m_wWinClientModifier = wModifier; m_wWinClientVk = wVk; }
void CTesConfig::GetWinObjHotkey(WORD& wModifier, WORD& wVk) { wModifier = m_wWinObjModifier; wVk = m_wWinObjVk; }
void CTesConfig::SetWinObjHotkey(WORD wModifier, WORD wVk) { m_wWinObjModifier = wModifier; m_wWinObjVk = wVk; }
void CTesConfig::GetSelectRectHotkey(WORD& wModifier, WORD& wVk) { wModifier = m_wSelectRectModifier; wVk = m_wSelectRectVk; }
void CTesConfig::SetSelectRectHotkey(WORD wModifier, WORD wVk) { m_wSelectRectModifier = wModifier; m_wSelectRectVk = wVk; }
void CTesConfig::GetShowHideHotkey(WORD& wModifier, WORD& wVk) { wModifier = m_wShowHideModifier; wVk = m_wShowHideVk; }
void CTesConfig::SetShowHideHotkey(WORD wModifier, WORD wVk) { m_wShowHideModifier = wModifier; m_wShowHideVk = wVk; }

int CTesConfig::GetSnapMode() const { return m_nSnapMode; }
void CTesConfig::SetSnapMode(int nMode) { m_nSnapMode = nMode; }
