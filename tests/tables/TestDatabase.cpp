#include "TestDatabase.h"

#include "tabula/Query.h"
#include "tabula/QueryPool.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace zev::test {

namespace {

namespace fs = std::filesystem;

using Section = std::map<std::string, std::string>;

std::map<std::string, Section> ReadSchemaFile(const fs::path& path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("schema file missing: " + path.string());
    std::map<std::string, Section> sections;
    Section* current = nullptr;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            current = &sections[line.substr(1, line.find(']') - 1)];
            continue;
        }
        const auto eq = line.find('=');
        if (current && eq != std::string::npos)
            (*current)[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return sections;
}

std::vector<std::string> SplitCommas(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto comma = text.find(',', start);
        out.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return out;
}

void BuildSchema(const fs::path& dbPath)
{
    const auto sections = ReadSchemaFile(fs::path(ZEV_SOURCE_ROOT) / "distributor" / "ZevSchema.ini");
    QueryPool::GetInstance("Data Source=" + dbPath.string(), 0);
    {
        Query q("", "", 0);
        for (const auto& table : SplitCommas(sections.at("Database").at("TableNames"))) {
            const Section& s = sections.at(table);
            if (!q.Open(s.at("Schema")))
                throw std::runtime_error("schema statement failed for " + table);
            const int keys = std::atoi(s.count("Keys") ? s.at("Keys").c_str() : "0");
            for (int k = 1; k <= keys; ++k)
                if (!q.Open(s.at("Key" + std::to_string(k))))
                    throw std::runtime_error("key statement failed for " + table);
        }
    }
    QueryPool::DestroyAll();
}

// A folder of its own, made by mkdtemp: a name another user could guess and
// create first is never used.
fs::path UniqueFolder(const std::string& prefix)
{
    std::string pattern = (fs::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    return pattern;
}

// Defined before the cleanup below, so it outlives it.
fs::path g_templateFolder;
fs::path& TemplateFolder() { return g_templateFolder; }

const fs::path& TemplateDatabase()
{
    static const fs::path path = [] {
        TemplateFolder() = UniqueFolder("zevaccounts-template-");
        const fs::path db = TemplateFolder() / "template.db";
        BuildSchema(db);
        return db;
    }();
    return path;
}

struct TemplateCleanup {
    ~TemplateCleanup()
    {
        std::error_code ec;
        if (!TemplateFolder().empty())
            fs::remove_all(TemplateFolder(), ec);
    }
} g_cleanup;

} // namespace

TestDatabase::TestDatabase()
{
    const fs::path& templ = TemplateDatabase();
    m_dir = UniqueFolder("zevaccounts-");
    m_path = m_dir / "master.db";
    fs::copy_file(templ, m_path);
    QueryPool::GetInstance("Data Source=" + m_path.string(), 0);
}

TestDatabase::~TestDatabase()
{
    QueryPool::DestroyAll();
    std::error_code ec;
    fs::remove_all(m_dir, ec);
}

bool TestDatabase::Exec(const std::string& sql)
{
    Query q("", "", 0);
    return q.Open(sql) != 0;
}

std::string TestDatabase::Scalar(const std::string& sql)
{
    Query q("", "", 0);
    if (!q.Open(sql))
        return {};
    return q.GetFieldValueString(0);
}

int TestDatabase::ScalarInt(const std::string& sql) { return std::atoi(Scalar(sql).c_str()); }

} // namespace zev::test
