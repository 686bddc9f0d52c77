#include "tools/demogen/TableWriter.h"

#include <algorithm>
#include <cctype>

namespace zev::demo {

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool IsNumericType(const std::string& declared)
{
    std::string t = Lower(declared);
    for (const char* word : {"int", "money", "real", "float", "bit", "decimal", "numeric", "double"})
        if (t.find(word) != std::string::npos)
            return true;
    return false;
}

} // namespace

TableWriter::TableWriter(server::SqlDatabase& db, const std::string& table, const std::string& stamp) : stamp_(stamp)
{
    auto info = db.Prepare("select name, type from pragma_table_info(?) order by cid");
    info.Bind(1, table);
    while (info.Step()) {
        std::string name = info.Text(0);
        if (name == "zev_rep" || name == "zev_stamp")
            continue;
        index_[Lower(name)] = static_cast<int>(columns_.size());
        columns_.push_back(name);
        numeric_.push_back(IsNumericType(info.Text(1)));
    }
    if (columns_.empty())
        return;
    std::string names, marks;
    for (const std::string& c : columns_) {
        names += server::SqlIdent(c) + ",";
        marks += "?,";
    }
    insert_.emplace(db.Prepare("insert into " + server::SqlIdent(table) + " (" + names +
                               "zev_rep, zev_stamp) values (" + marks + "?,?)"));
    values_.resize(columns_.size());
}

int TableWriter::Index(const std::string& column) const
{
    auto it = index_.find(Lower(column));
    return it == index_.end() ? -1 : it->second;
}

TableWriter& TableWriter::Set(const std::string& column, long long value)
{
    if (int i = Index(column); i >= 0)
        values_[static_cast<size_t>(i)] = value;
    return *this;
}

TableWriter& TableWriter::Set(const std::string& column, double value)
{
    if (int i = Index(column); i >= 0)
        values_[static_cast<size_t>(i)] = value;
    return *this;
}

TableWriter& TableWriter::Set(const std::string& column, const std::string& value)
{
    if (int i = Index(column); i >= 0)
        values_[static_cast<size_t>(i)] = value;
    return *this;
}

void TableWriter::Insert(const std::string& owner)
{
    if (!insert_)
        return;
    int n = static_cast<int>(columns_.size());
    for (int i = 0; i < n; ++i) {
        const Value& v = values_[static_cast<size_t>(i)];
        if (auto* integer = std::get_if<long long>(&v))
            insert_->Bind(i + 1, static_cast<std::int64_t>(*integer));
        else if (auto* real = std::get_if<double>(&v))
            insert_->Bind(i + 1, *real);
        else if (auto* text = std::get_if<std::string>(&v))
            insert_->Bind(i + 1, *text);
        else if (numeric_[static_cast<size_t>(i)])
            insert_->Bind(i + 1, static_cast<std::int64_t>(0));
        else
            insert_->BindNull(i + 1);
    }
    if (owner.empty())
        insert_->BindNull(n + 1);
    else
        insert_->Bind(n + 1, owner);
    insert_->Bind(n + 2, stamp_);
    insert_->Run();
    ++rows_;
    std::fill(values_.begin(), values_.end(), Value{});
}

} // namespace zev::demo
