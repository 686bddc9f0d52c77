#pragma once

#include <string>
#include <utility>

namespace zev {

// One dlopen handle, closed when the owner goes away. Move-only so a handle is
// never closed twice.
class LoadedModule {
public:
    LoadedModule() = default;
    ~LoadedModule() { Close(); }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;
    LoadedModule(LoadedModule&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    LoadedModule& operator=(LoadedModule&& other) noexcept
    {
        if (this != &other) {
            Close();
            m_handle = std::exchange(other.m_handle, nullptr);
        }
        return *this;
    }

    // Opens `path` (RTLD_NOW | RTLD_LOCAL). On failure returns false and puts
    // the system's message into `error`.
    [[nodiscard]] bool Open(const std::string& path, std::string& error);

    // Address of the exported symbol `name`, or null.
    [[nodiscard]] void* Symbol(const char* name) const;

    // Typed lookup: false when the symbol is missing.
    template <typename Fn> [[nodiscard]] bool Resolve(const char* name, Fn& fn) const
    {
        fn = reinterpret_cast<Fn>(Symbol(name));
        return fn != nullptr;
    }

    void Close();
    [[nodiscard]] bool IsOpen() const { return m_handle != nullptr; }

private:
    void* m_handle = nullptr;
};

} // namespace zev
