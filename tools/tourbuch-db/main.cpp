// tourbuch-db: the command-line companion of the address directory.

#include "Commands.h"
#include "Console.h"

#include "data/DatabaseError.h"

#include <QGuiApplication>

using namespace tourbuchdb;

namespace {

QString commandUsage(const Command &command)
{
    QString text = QStringLiteral("  tourbuch-db %1 %2\n")
                       .arg(QLatin1String(command.name), QString::fromUtf8(command.synopsis));
    const QStringList lines = QString::fromUtf8(command.description).split(QLatin1Char('\n'));
    for (const QString &line : lines)
        text += QStringLiteral("      ") + line + QLatin1Char('\n');
    return text;
}

QString usage()
{
    QString text = QStringLiteral("Aufruf: tourbuch-db BEFEHL [ARGUMENTE]\n"
                                  "Werkzeug zur Adressdatenbank von JOX - Live-Veranstalter \"Orbenland\".\n\n"
                                  "Befehle:\n");
    for (const Command &command : commands)
        text += commandUsage(command) + QLatin1Char('\n');
    text += QStringLiteral("  tourbuch-db --help | tourbuch-db BEFEHL --help\n"
                           "      zeigt diesen Text bzw. die Hilfe zu einem Befehl.\n\n"
                           "Exit-Status: 0 erfolgreich, 1 Fehler, 2 falscher Aufruf.\n");
    return text;
}

const Command *findCommand(const QString &name)
{
    for (const Command &command : commands)
        if (name == QLatin1String(command.name))
            return &command;
    return nullptr;
}

bool isHelp(const QString &argument)
{
    return argument == QLatin1String("--help") || argument == QLatin1String("-h");
}

int dispatch(QStringList arguments)
{
    if (arguments.isEmpty()) {
        standardError() << usage();
        return ExitUsage;
    }
    if (isHelp(arguments.first())) {
        standardOutput() << usage();
        return ExitOk;
    }
    const QString name = arguments.takeFirst();
    const Command *command = findCommand(name);
    if (!command) {
        standardError() << QStringLiteral("Unbekannter Befehl \"%1\".\n\n").arg(name) << usage();
        return ExitUsage;
    }
    if (arguments.size() == 1 && isHelp(arguments.first())) {
        standardOutput() << QStringLiteral("Aufruf:\n") << commandUsage(*command);
        return ExitOk;
    }
    // What the command printed so far stays before its error.
    const auto failure = [](int exitCode, const QString &text) {
        standardOutput().flush();
        standardError() << text;
        return exitCode;
    };
    try {
        return command->run(arguments);
    } catch (const UsageError &e) {
        return failure(ExitUsage, QStringLiteral("Fehler: %1\n\nAufruf:\n").arg(e.message()) + commandUsage(*command));
    } catch (const data::DatabaseError &e) {
        return failure(ExitFailure, QStringLiteral("Fehler: %1\n").arg(e.message()));
    } catch (const std::exception &e) {
        return failure(ExitFailure, QStringLiteral("Fehler: %1\n").arg(QString::fromLocal8Bit(e.what())));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // Pictures and fonts need a GUI application, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const int exitCode = dispatch(arguments);
    standardOutput().flush();
    standardError().flush();
    return exitCode;
}
