#pragma once
// The program's first and last steps: the program directory, the database
// name, and the order in which the long-lived windows are destroyed.

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <stdexcept>
#include <vector>

namespace Startup {

// Preparing the program directory failed; the program cannot start.
class StartupError : public std::runtime_error {
public:
    explicit StartupError(int code)
        : std::runtime_error("I/O error " + std::to_string(code)), m_code(code) {}
    int code() const { return m_code; }
    // "I/O error %d"
    QString message() const { return QStringLiteral("I/O error %1").arg(m_code); }

private:
    int m_code;
};

// The running executable's full path.
QString executablePath(const char *argv0);

// Sets ProgramDir to the executable's directory (with trailing separator),
// makes it the working directory and binds the database name "Tourbuch" to
// it. Throws StartupError with the system's error code when the directory
// cannot be entered.
void SetupDatabaseAlias(const QString &executableFile);

// The table store keeps no working files of its own, so nothing is left to
// delete at shutdown; kept as the one place that would do it.
void RemoveEngineFiles();

inline constexpr const char *ApplicationTitle = "JOX - Live-Veranstalter \"Orbenland\"";
inline constexpr const char *HelpFileName = "Tourbuch.hlp";

// The windows that live for the whole run, in the order they were created.
// At shutdown each is hidden (so its hide handler stores its placement) and
// destroyed, the most recently created first.
class LongLivedWindows {
public:
    LongLivedWindows() = default;
    ~LongLivedWindows() { destroyAll(); }
    LongLivedWindows(const LongLivedWindows &) = delete;
    LongLivedWindows &operator=(const LongLivedWindows &) = delete;

    void adopt(std::unique_ptr<QWidget> window);
    void destroyAll();
    int count() const { return int(m_windows.size()); }

private:
    std::vector<std::unique_ptr<QWidget>> m_windows;
};

} // namespace Startup
