#pragma once

#include <QString>

#include <optional>
#include <system_error>
#include <utility>

// Why a step failed, in words for the person at the PC. Converts to any Result.
struct Failure
{
    QString reason;
};

// A system call's failure, for an error number such as errno, in the system's own words.
inline Failure systemFailure(int error)
{
    return Failure{QString::fromLocal8Bit(std::generic_category().message(error))};
}

// What a step gives back: its value, or the reason it could not be had.
template<typename T> class [[nodiscard]] Result final
{
public:
    Result(T value)
        : m_value(std::move(value))
    {}
    Result(Failure failure)
        : m_reason(std::move(failure.reason))
    {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T &value() const & { return *m_value; }
    T &&value() && { return std::move(*m_value); }
    const T &operator*() const & { return *m_value; }
    const T *operator->() const { return &*m_value; }
    // Empty when the step succeeded.
    const QString &reason() const { return m_reason; }

private:
    std::optional<T> m_value;
    QString m_reason;
};

// A step that gives nothing back but can fail.
template<> class [[nodiscard]] Result<void> final
{
public:
    Result() = default;
    Result(Failure failure)
        : m_failed(true)
        , m_reason(std::move(failure.reason))
    {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString &reason() const { return m_reason; }

private:
    bool m_failed = false;
    QString m_reason;
};

using Status = Result<void>;
