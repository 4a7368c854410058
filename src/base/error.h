#pragma once
// The one error type of the program and the one result type that carries it.
//
// Cores throw vireo::Error with a Russian sentence meant for the listener; where an error has to
// travel as a value (through a signal, from a worker thread, or from a check that fails as often
// as it passes) a core returns a vireo::Result<T>, which holds either the value or the Error.
// Windows run their handlers through runGuarded (base/ui/guarded.h), which shows the text in the
// error box (captions in base/captions.h). No English text, error code or pair of flag and text
// reaches the listener.

#include <QCoreApplication>
#include <QString>

#include <stdexcept>
#include <utility>
#include <variant>

namespace vireo {

// What an error is about, for callers that tell faults apart (the main window keeps a fault of
// the log in its status bar until the next write goes through).
enum class ErrorKind {
    Failure, // something could not be done
    Database, // the log's database refused (DatabaseError)
};

class Error : public std::runtime_error {
public:
    explicit Error(const QString &text, ErrorKind kind = ErrorKind::Failure)
        : std::runtime_error(text.toStdString()), m_text(text), m_kind(kind)
    {
    }
    const QString &text() const { return m_text; }
    ErrorKind kind() const { return m_kind; }

private:
    QString m_text;
    ErrorKind m_kind;
};

// A line of a text file the program reads that is not what the file should hold. The text is
// "Строка 3: <reason>."; callers that name the file use line() and reason().
class LineError : public Error {
public:
    LineError(int line, const QString &reason)
        : Error(QCoreApplication::translate("vireo::Error", "Строка %1: %2.").arg(line).arg(reason)),
          m_line(line),
          m_reason(reason)
    {
    }
    int line() const { return m_line; } // 1-based
    const QString &reason() const { return m_reason; } // a Russian clause, without the line

private:
    int m_line;
    QString m_reason;
};

// The text of any exception: the Russian text of an Error, otherwise what the library said.
inline QString errorText(const std::exception &e)
{
    if (auto *v = dynamic_cast<const Error *>(&e))
        return v->text();
    return QString::fromLocal8Bit(e.what());
}

// Any exception as an Error (the kind and text of an Error, a Failure with what() otherwise).
inline Error asError(const std::exception &e)
{
    if (auto *v = dynamic_cast<const Error *>(&e))
        return Error(v->text(), v->kind());
    return Error(QString::fromLocal8Bit(e.what()));
}

// A value, or the Error that stood in its way. A Result keeps the kind and the text of the
// error; the class of a thrown subclass (DatabaseError, LineError) is not kept.
template <typename T>
class Result {
public:
    // An error with no text: only so that Qt's containers (a QVariant of a signal spy, a queued
    // signal) can hold a result.
    Result() : m_state(Error(QString())) {}
    Result(T value) : m_state(std::move(value)) {}
    Result(Error error) : m_state(std::move(error)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    // The value; throws the error when there is none.
    const T &value() const &
    {
        if (!ok())
            throw std::get<Error>(m_state);
        return std::get<T>(m_state);
    }
    T &&value() &&
    {
        if (!ok())
            throw std::get<Error>(m_state);
        return std::get<T>(std::move(m_state));
    }
    const T &operator*() const & { return value(); }
    const T *operator->() const { return &value(); }

    // The error; only when !ok().
    const Error &error() const { return std::get<Error>(m_state); }
    // The error's Russian text; empty when ok().
    QString errorText() const { return ok() ? QString() : error().text(); }

private:
    std::variant<T, Error> m_state;
};

} // namespace vireo
