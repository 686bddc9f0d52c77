#pragma once

#include "tabula/SqlDialect.h"

#include <string>

namespace tabula::detail {

// As SqlDialect::Translate, keeping bare "?" placeholders for values bound
// later (named parameters stay refused). For bound statements.
Translation TranslateWithPlaceholders(const ISchemaInfo* schema, const std::string& sql);

} // namespace tabula::detail
