#include "platform/fw/AppResources.h"

namespace {

const AppResources* g_pResources = nullptr;

template <typename T>
const T* FindById(std::span<const T> table, UINT id)
{
    for (const T& t : table)
        if (t.id == id)
            return &t;
    return nullptr;
}

}  // namespace

void InstallAppResources(const AppResources* resources) { g_pResources = resources; }

const char* FindStringResource(UINT id)
{
    if (!g_pResources)
        return nullptr;
    const StringTemplate* s = FindById(g_pResources->strings, id);
    return s ? s->text : nullptr;
}

const MenuTemplate* FindMenuResource(UINT id) { return g_pResources ? FindById(g_pResources->menus, id) : nullptr; }

const ToolbarTemplate* FindToolbarResource(UINT id)
{
    return g_pResources ? FindById(g_pResources->toolbars, id) : nullptr;
}

const DialogTemplate* FindDialogResource(UINT id)
{
    return g_pResources ? FindById(g_pResources->dialogs, id) : nullptr;
}

const VersionTemplate* FindVersionResource() { return g_pResources ? g_pResources->version : nullptr; }
