#pragma once
// The commands of tourbuch-db. Each lives in a unit of its own; main.cpp
// dispatches through the table below, so a new command is one more entry.

#include <QString>
#include <QStringList>
#include <stdexcept>

namespace tourbuchdb {

// Exit codes shared by every command.
enum ExitCode { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

// Wrong arguments: main prints the message and the command's usage, exit 2.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

struct Command {
    const char *name;
    const char *synopsis;      // arguments after the name
    const char *description;   // German, several lines, indented by main
    int (*run)(const QStringList &arguments);
};

int runDemo(const QStringList &arguments);
int runCheck(const QStringList &arguments);
int runFilter(const QStringList &arguments);

inline constexpr Command commands[] = {
    {"demo", "VERZEICHNIS [--addresses N] [--seed S]",
     "Legt in VERZEICHNIS (wird bei Bedarf angelegt) eine vollständige Demo-Datenbank an:\n"
     "alle zwölf Tabellendateien mit erfundenen Adressen, Kategorien, Verknüpfungen,\n"
     "Notizen, Studios, Bands und Labels. Überschreibt nie: gibt es dort schon eine der\n"
     "Tabellendateien, bricht der Befehl ab.\n"
     "  --addresses N  Zahl der Adressen, 0 bis 65536 (Vorgabe 300)\n"
     "  --seed S       Startwert des Zufallsgenerators, 0 bis 4294967295 (Vorgabe 1);\n"
     "                 gleicher Startwert, gleiche Daten",
     &runDemo},
    {"check", "VERZEICHNIS",
     "Prüft die Datenbank in VERZEICHNIS: Tabellendateien, Spalten und Indizes sowie\n"
     "die Regeln der Adresstabelle (ADRE_ID lückenlos 0 bis N-1, Namen in ID-Folge\n"
     "alphabetisch, ADRE_REF eindeutig und nicht 0) und die Verknüpfungstabellen.\n"
     "Jeder Fehler steht auf einer eigenen Zeile. Verweise von STUD_ID, BAND_ID,\n"
     "LABE_ID ins Leere und ähnliche Auffälligkeiten, mit denen das Programm umgehen\n"
     "kann, erscheinen als \"Hinweis:\" und lassen die Prüfung nicht scheitern.\n"
     "Exit-Status 0 ohne Fehler, sonst 1.",
     &runCheck},
    {"filter", "VERZEICHNIS",
     "Setzt den Filter wie das Programm: liest die Filtereinstellungen aus\n"
     "VERZEICHNIS/Tourbuch.Ini (Abschnitt \"FILTER\"), markiert jede Adresse in ADRE_SEL\n"
     "und gibt aus, wie viele Adressen im Filter sind und wie viele Markierungen\n"
     "sich geändert haben. Ein Fehler lässt alle Markierungen unverändert.",
     &runFilter},
};

} // namespace tourbuchdb
