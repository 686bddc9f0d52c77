#pragma once

#include <cstdint>
#include <string>

// A column value: null, integer, real or text. Conversions follow the
// ordinary variant rules: null reads as 0 / empty text, numbers print in their
// shortest exact form (12 -> "12", 3.5 -> "3.5"), text converts to numbers
// by its leading numeric part.
class Variant {
public:
    enum class Type { Null, Integer, Real, Text };

    Variant() = default;
    Variant(int v) : m_type(Type::Integer), m_int(v) {}       // NOLINT(google-explicit-constructor)
    Variant(long v) : m_type(Type::Integer), m_int(v) {}      // NOLINT(google-explicit-constructor)
    Variant(long long v) : m_type(Type::Integer), m_int(v) {} // NOLINT(google-explicit-constructor)
    Variant(unsigned v) : m_type(Type::Integer), m_int(v) {}  // NOLINT(google-explicit-constructor)
    Variant(unsigned long v) : m_type(Type::Integer), m_int(static_cast<std::int64_t>(v)) {} // NOLINT
    Variant(double v) : m_type(Type::Real), m_real(v) {}                 // NOLINT(google-explicit-constructor)
    Variant(std::string v) : m_type(Type::Text), m_text(std::move(v)) {} // NOLINT(google-explicit-constructor)
    Variant(const char* v)
        : m_type(v ? Type::Text : Type::Null), m_text(v ? v : "") {} // NOLINT(google-explicit-constructor)

    static Variant Null() { return Variant(); }

    Type type() const { return m_type; }
    bool IsNull() const { return m_type == Type::Null; }
    bool IsText() const { return m_type == Type::Text; }

    std::int64_t ToInt64() const;
    int ToInt() const { return static_cast<int>(ToInt64()); }
    double ToDouble() const;
    std::string ToString() const;
    // The text when the value is text, else empty; no conversion.
    const std::string& Text() const { return m_text; }

    bool operator==(const Variant& other) const;

    // Shortest text that reads back as the same double ("3.5", "0.1", "12").
    static std::string FormatReal(double v);

private:
    Type m_type = Type::Null;
    std::int64_t m_int = 0;
    double m_real = 0.0;
    std::string m_text;
};
