#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace core {

// Why something could not be done, in words for the user, naming the file or argument at
// fault. A failure always has a message: an empty one stops the program.
class Failure
{
public:
    explicit Failure(QString message);

    const QString &message() const { return m_message; }

private:
    QString m_message;
};

inline Failure fail(QString message)
{
    return Failure(std::move(message));
}

// A value, or the failure that stands in its place.
template <typename T> class [[nodiscard]] Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Failure failure) : m_error(failure.message()) {}

    explicit operator bool() const { return m_value.has_value(); }
    T &operator*() { return *m_value; }
    const T &operator*() const { return *m_value; }
    T *operator->() { return &*m_value; }
    const T *operator->() const { return &*m_value; }

    // Empty when there is a value.
    const QString &error() const { return m_error; }
    // The failure, to pass on; only for a result without a value.
    Failure failure() const { return Failure(m_error); }

private:
    std::optional<T> m_value;
    QString m_error;
};

// Nothing, or a failure.
class [[nodiscard]] Status
{
public:
    Status() = default;
    Status(Failure failure) : m_error(failure.message()) {}

    explicit operator bool() const { return m_error.isEmpty(); }
    const QString &error() const { return m_error; }
    Failure failure() const { return Failure(m_error); }

private:
    QString m_error;
};

} // namespace core
