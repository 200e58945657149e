#pragma once

#include <QtGlobal>

namespace Quillary {

/// A number that names one state of an object's data: every change gives the object a number never
/// handed out before, and a copy carries the number of the data it copied. Work derived from the
/// data (a table's rows, its sort values) can be kept and trusted while the number stays the same.
class Revision
{
public:
    Revision() : m_value(next()) { }
    Revision(const Revision&) = default;
    Revision& operator=(const Revision&) = default;
    /// The moved-from object's data is gone: it gets a number of its own.
    Revision(Revision&& other) noexcept : m_value(other.m_value) { other.bump(); }
    Revision& operator=(Revision&& other) noexcept
    {
        m_value = other.m_value;
        other.bump();
        return *this;
    }
    ~Revision() = default;

    void bump() { m_value = next(); }
    [[nodiscard]] quint64 value() const { return m_value; }

private:
    static quint64 next();

    quint64 m_value;
};

} // namespace Quillary
