#include "app/libraries/LoadedModule.h"

#include <dlfcn.h>

namespace zev {

bool LoadedModule::Open(const std::string& path, std::string& error)
{
    Close();
    m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_handle == nullptr) {
        const char* why = dlerror();
        error = why != nullptr ? why : ("cannot open " + path);
        return false;
    }
    return true;
}

void* LoadedModule::Symbol(const char* name) const
{
    if (m_handle == nullptr || name == nullptr)
        return nullptr;
    return dlsym(m_handle, name);
}

void LoadedModule::Close()
{
    if (m_handle != nullptr) {
        dlclose(m_handle);
        m_handle = nullptr;
    }
}

} // namespace zev
