#pragma once

#include <string>
#include <string_view>

namespace zev {

// The database file of database `name` in `folder`: <folder>/<name>.db, with
// "master" for an empty name. A name is one file name, never a path: '/' and
// '\' become '_' and "." or ".." fall back to "master", so a settings value
// cannot point the program outside its data folder. The program and the
// helper libraries both find the database through this rule.
std::string DatabaseFile(const std::string& folder, std::string_view name);

} // namespace zev
