#pragma once
// Reader and writer of the Windows private-profile ("INI") format:
// sections "[name]", lines "key=value",
// names matched without regard to case, values trimmed and at most 2047
// characters, integers decimal or hexadecimal ("$10", "0x10"), a write that
// changes only the key's own line. The file is single-byte Windows-1252.
//
// Every operation opens the file, reads or writes it and closes it again;
// nothing is cached between calls.

#include <QString>
#include <stdexcept>

// A value of the settings file cannot be written. The message is
// "nach <full file name> kann nicht geschrieben werden".
class SettingsWriteError : public std::runtime_error {
public:
    explicit SettingsWriteError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

    // The error for the file `fileName` (native separators in the message).
    static SettingsWriteError forFile(const QString &fileName);

private:
    QString m_message;
};

class IniFile {
public:
    // Longest value a read returns; longer values are cut.
    static constexpr int MaxValueLength = 2047;

    explicit IniFile(const QString &fileName);

    const QString &fileName() const { return m_fileName; }

    // The value of the key, trimmed (and without one pair of enclosing
    // quotes, as Windows reads it), at most MaxValueLength characters;
    // `defaultValue` when the file, section or key is missing.
    QString readString(const QString &section, const QString &key,
                       const QString &defaultValue) const;
    // The value as an integer (see parseInteger); `defaultValue` when
    // missing or not a valid integer.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    // Integer with default 1/0; any integer other than 0 is true.
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;

    // Throw SettingsWriteError when the file cannot be written.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

    // The reading rule for integers: decimal with optional sign; "$" after
    // the optional sign, or "0x"/"0X" at the start of a value longer than two
    // characters, means hexadecimal (up to 32 bits). Nothing else is valid.
    static bool parseInteger(const QString &text, int *result);

private:
    QString m_fileName;
};
