#pragma once
#include <QString>
#include <stdexcept>

namespace data {

// Every failure of the table layer. The message is German and names the
// table, index or field; the application's error box shows it as it is.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

} // namespace data
