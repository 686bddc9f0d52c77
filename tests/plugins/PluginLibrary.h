#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <string>

// One of the built helper libraries, opened from the build's bin folder the
// way the program opens it, for tests that call its entry points.
class PluginLibrary {
public:
    explicit PluginLibrary(const std::string& file)
    {
        const std::string path = std::string(ZEV_BINARY_DIR) + "/" + file;
        m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (m_handle == nullptr) {
            const char* why = dlerror();
            ADD_FAILURE() << "cannot open " << path << ": " << (why != nullptr ? why : "");
        }
    }
    ~PluginLibrary()
    {
        if (m_handle != nullptr)
            dlclose(m_handle);
    }
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    template <typename Fn> Fn Get(const char* name) const
    {
        void* sym = m_handle != nullptr ? dlsym(m_handle, name) : nullptr;
        if (sym == nullptr)
            ADD_FAILURE() << "missing entry point " << name;
        return reinterpret_cast<Fn>(sym);
    }

private:
    void* m_handle = nullptr;
};
