#include "sync/CoreAdapters.h"

#include "app/core/IniReader.h"

namespace zev::sync {

std::string IniFileSettings::Value(const std::string& section, const std::string& key, const std::string& def) const
{
    return zev::ReadIniValue(section, key, def, 1023, m_path);
}

std::string ProfileAdapter::GetString(const std::string& name, const std::string& def) const
{
    auto v = m_p.FindText(name);
    return v ? *v : def;
}

void ProfileAdapter::SetString(const std::string& name, const std::string& value) { (void)m_p.SetText(name, value); }

int ProfileAdapter::GetInt(const std::string& name, int def) const
{
    auto v = m_p.FindInt(name);
    return v ? *v : def;
}

void ProfileAdapter::SetInt(const std::string& name, int value) { (void)m_p.SetInt(name, value); }

void ProfileAdapter::DeleteSection(const std::string& section) { (void)m_p.DeleteSection(section); }

} // namespace zev::sync
