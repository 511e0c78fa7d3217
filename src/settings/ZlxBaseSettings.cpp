#include "settings/ZlxBaseSettings.h"

void CZlxBaseSettings::WriteAndMirror(const RegStrings& storeOrder, const RegStrings& mirrorOrder) {
    for (const auto& value : storeOrder)
        m_store.WriteText(value.first.c_str(), value.second.c_str());
    // A registry that cannot be opened is not an error: the store already has the values.
    m_registry.WriteStrings(RegRoot::CurrentUser, kSettingsKey, mirrorOrder);
}
