#pragma once
// The one exception type of the program. Cores throw it with a Russian text meant for the user;
// the general error display shows that text in a box captioned "Vireo".

#include <QString>

#include <stdexcept>

namespace vireo {

class Error : public std::runtime_error {
public:
    explicit Error(const QString &text)
        : std::runtime_error(text.toStdString()), m_text(text)
    {
    }
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

// The text of any exception, for the general error display.
inline QString errorText(const std::exception &e)
{
    if (auto *v = dynamic_cast<const Error *>(&e))
        return v->text();
    return QString::fromLocal8Bit(e.what());
}

} // namespace vireo
