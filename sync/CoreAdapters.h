#pragma once

#include "app/core/Profile.h"
#include "sync/SyncPorts.h"

#include <string>

namespace zev::sync {

// ZevSatchel.INI through the core reader, read afresh on every call.
class IniFileSettings final : public ISyncSettings {
public:
    explicit IniFileSettings(std::string iniPath) : m_path(std::move(iniPath)) {}
    std::string Value(const std::string& section, const std::string& key, const std::string& def) const override;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// The user profile of the core.
class ProfileAdapter final : public ISyncProfile {
public:
    explicit ProfileAdapter(zev::Profile& profile) : m_p(profile) {}
    std::string GetString(const std::string& name, const std::string& def = {}) const override;
    void SetString(const std::string& name, const std::string& value) override;
    int GetInt(const std::string& name, int def = 0) const override;
    void SetInt(const std::string& name, int value) override;
    void DeleteSection(const std::string& section) override;
    [[nodiscard]] bool SetWritesDurable(bool durable) override { return m_p.SetDurable(durable); }

private:
    zev::Profile& m_p;
};

} // namespace zev::sync
