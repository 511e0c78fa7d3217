#include "toolkit/ResourceModule.h"

namespace {
HINSTANCE g_resources = nullptr;
}

HINSTANCE ResourceModule() {
    return g_resources ? g_resources : GetModuleHandleA(nullptr);
}

void SetResourceModule(HINSTANCE module) {
    g_resources = module;
}

std::string LoadResourceString(int id) {
    // The longest table entries are a few hundred characters; 4096 leaves room for translations.
    char buffer[4096];
    int n = LoadStringA(ResourceModule(), static_cast<UINT>(id), buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}
