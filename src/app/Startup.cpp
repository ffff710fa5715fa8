#include "Startup.h"

#include "Globals.h"
#include "data/Session.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <unistd.h>

namespace Startup {

QString executablePath(const char *argv0)
{
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    if (self.exists())
        return self.canonicalFilePath();
    return QFileInfo(QString::fromLocal8Bit(argv0)).absoluteFilePath();
}

void SetupDatabaseAlias(const QString &executableFile)
{
    QString dir = QFileInfo(executableFile).absolutePath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    Globals::ProgramDir = dir;
    // The working directory becomes the program directory before any file is
    // touched, so the help file and the tables are found there.
    QString withoutSeparator = dir;
    if (withoutSeparator.size() > 1)
        withoutSeparator.chop(1);
    if (::chdir(QFile::encodeName(withoutSeparator).constData()) != 0)
        throw StartupError(errno);
    // Our table store needs no alias script: the database name is bound to
    // the directory in the session itself, and no engine files are written.
    data::Session::instance().setAlias(QStringLiteral("Tourbuch"), Globals::ProgramDir);
}

void RemoveEngineFiles()
{
    // Nothing to remove: the store writes no alias, user or log files.
}

void LongLivedWindows::adopt(std::unique_ptr<QWidget> window)
{
    m_windows.push_back(std::move(window));
}

void LongLivedWindows::destroyAll()
{
    while (!m_windows.empty()) {
        std::unique_ptr<QWidget> window = std::move(m_windows.back());
        m_windows.pop_back();
        if (window && window->isVisible())
            window->hide();
        window.reset();
    }
}

} // namespace Startup
