// tourbuch-db filter DIR: the filter run of the program, with the filter
// settings of DIR/Tourbuch.Ini, without a window.

#include "Commands.h"
#include "Console.h"

#include "app/Globals.h"
#include "data/DatabaseError.h"
#include "data/Session.h"
#include "filter/FilterRun.h"

#include <QDir>
#include <QFileInfo>

namespace tourbuchdb {

int runFilter(const QStringList &arguments)
{
    if (arguments.size() != 1)
        throw UsageError(QStringLiteral("Es wird genau ein Verzeichnis erwartet."));
    const QFileInfo info(arguments.first());
    if (!info.isDir())
        throw data::DatabaseError(
            QStringLiteral("Das Verzeichnis \"%1\" existiert nicht.").arg(QDir::toNativeSeparators(arguments.first())));
    const QString dir = info.absoluteFilePath() + QLatin1Char('/');

    Globals::ProgramDir = dir;
    Globals::LoadSettings();
    data::Session::instance().setAlias(QStringLiteral("Tourbuch"), dir);
    const filter::FilterFlags flags =
        filter::FlagsFromSettings(Globals::AllATyp, Globals::AllRaum, Globals::AllStil, Globals::AllLoka,
                                  Globals::AllPLZ, Globals::PLZFrom, Globals::PLZTo);
    const filter::FilterResult result = filter::FilterPass(flags).run();
    standardOutput() << QStringLiteral("Adressen: %1\nIm Filter: %2\nGeänderte Markierungen: %3\n")
                            .arg(result.total)
                            .arg(result.passed)
                            .arg(result.changed);
    return ExitOk;
}

} // namespace tourbuchdb
