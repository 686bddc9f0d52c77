#pragma once

#include <stdexcept>
#include <string>

// Raised where the database cannot be reached at all (an unopenable file, a
// connection string that names no database). Statement failures are never
// raised; they are reported by result codes.
class TabulaError : public std::runtime_error {
public:
    explicit TabulaError(const std::string& what) : std::runtime_error(what) {}
};
