#include "settings/ZlxSettings.h"

namespace {
constexpr int kTextSize = 260;

bool FirstIsOne(const std::string& text) {
    return !text.empty() && text[0] == '1';
}
} // namespace

CZlxSettings::CZlxSettings(IEnvStore& store, IRegistry& registry, IUserFolders& folders)
    : CZlxBaseSettings(store, registry), m_folders(folders) {
    Load();
}

void CZlxSettings::Load() {
    if (auto s = ReadStoreText(m_store, "ZlxSettings", kTextSize); s && s->size() >= 5) {
        int* switches[] = {&UseDiscInfoService, &Flag1, &Flag2, &ShowToolTips, &Flag4};
        for (size_t i = 0; i < 5; ++i)
            *switches[i] = (*s)[i] == '1';
    }
    if (auto v = ReadStoreText(m_store, "ZlxUseXPIcons", kTextSize))
        UseXPIcons = FirstIsOne(*v);
    struct {
        const char* name;
        std::string* field;
    } paths[] = {{"ZlxZQCPath", &ZQCPath},
                 {"ZlxScriptPath", &ScriptPath},
                 {"ZlxHomePath", &HomePath},
                 {"ZlxImagePath", &ImagePath},
                 {"CddbPath", &CddbPath}};
    for (auto& p : paths)
        if (auto v = ReadStoreText(m_store, p.name, kTextSize))
            *p.field = *v;
    if (auto v = ReadStoreText(m_store, "ZlxDPhysDrv", kTextSize))
        DPhysDrv = FirstIsOne(*v);
    if (auto v = ReadStoreText(m_store, "ZlxCheckBackgroundSecs", kTextSize))
        CheckBackgroundSecs = static_cast<int>(DecimalValue(*v));

    if (ImagePath.empty() || CddbPath.empty() || ZQCPath.empty() || ScriptPath.empty())
        CreateDefaultFolders();

    if (auto v = ReadStoreText(m_store, "ZlxLanguage", kTextSize))
        Language = *v;
}

void CZlxSettings::CreateDefaultFolders() {
    std::string documents;
    if (m_folders.GetDocumentsFolder(documents)) {
        if (documents.empty() || documents.back() != '\\')
            documents += '\\';
        if (ImagePath.empty()) {
            ImagePath = documents + "Zelvanes";
            m_folders.CreateFolderWithParents(ImagePath);
            ImagePath += '\\';
        }
        const std::string productFolder = documents + "Zelvane v5";
        struct {
            std::string* field;
            const char* leaf;
        } defaults[] = {
            {&CddbPath, "\\CDDB\\"}, {&ZQCPath, "\\ZQCopy\\"}, {&ScriptPath, "\\Script\\"}};
        for (auto& d : defaults) {
            if (d.field->empty()) {
                *d.field = productFolder + d.leaf;
                m_folders.CreateFolderWithParents(*d.field);
            }
        }
    }
    // Written even when the documents folder was not found, so the product's other
    // programs see the same (possibly empty) paths the wizard uses.
    m_store.WriteText("ZlxZQCPath", ZQCPath.c_str());
    m_store.WriteText("ZlxScriptPath", ScriptPath.c_str());
    m_store.WriteText("ZlxImagePath", ImagePath.c_str());
    m_store.WriteText("CddbPath", CddbPath.c_str());
}

std::string CZlxSettings::SwitchText() const {
    std::string text;
    for (int flag : {UseDiscInfoService, Flag1, Flag2, ShowToolTips, Flag4})
        text += OneZero(flag);
    return text;
}

void CZlxSettings::Save() {
    if (!m_modified)
        return;
    const std::string switches = SwitchText();
    const std::string seconds = std::to_string(CheckBackgroundSecs);
    WriteAndMirror({{"ZlxSettings", switches},
                    {"ZlxUseXPIcons", OneZero(UseXPIcons)},
                    {"ZlxLanguage", Language},
                    {"ZlxCheckBackgroundSecs", seconds},
                    {"ZlxZQCPath", ZQCPath},
                    {"ZlxScriptPath", ScriptPath},
                    {"ZlxImagePath", ImagePath},
                    {"CddbPath", CddbPath},
                    {"ZlxDPhysDrv", OneZero(DPhysDrv)}},
                   {{"ZlxImagePath", ImagePath},
                    {"CddbPath", CddbPath},
                    {"ZlxDPhysDrv", OneZero(DPhysDrv)},
                    {"ZlxZQCPath", ZQCPath},
                    {"ZlxScriptPath", ScriptPath},
                    {"ZlxSettings", switches},
                    {"ZlxUseXPIcons", OneZero(UseXPIcons)},
                    {"ZlxLanguage", Language},
                    {"ZlxCheckBackgroundSecs", seconds}});
    m_modified = 0;
}
