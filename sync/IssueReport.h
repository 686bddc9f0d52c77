#pragma once

#include <string>

namespace zev::sync {
class ISyncDb;

// Files a problem report in the local Issues table (uploaded with the next
// synchronisation): the next key, the short description and details with
// their apostrophes doubled, the user ID as a number and the contact flag.
// The texts must be trimmed and non-empty. True when the row was stored.
bool FileIssue(ISyncDb& db, const std::string& shortDescription, const std::string& details, const std::string& userId,
               bool contactMe);

} // namespace zev::sync
