#pragma once
// A small window that shows one topic of the program's help file.
//
// The help file is UTF-8 text: a line "@<number> <title>" starts a topic,
// the lines up to the next such line are its text in simple HTML, and lines
// starting with "#" are remarks.

#include <QMap>
#include <QString>
#include <QWidget>

class QTextBrowser;

namespace controls {

struct HelpTopic {
    QString title;
    QString html;
};

// Topics by context number; empty when the file cannot be read.
QMap<int, HelpTopic> readHelpFile(const QString &fileName, bool *readable = nullptr);

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    // Shows the topic in the one help window belonging to `owner`'s window,
    // creating it the first time. A missing file or topic gives a German
    // message instead. Returns the window, or nullptr when nothing is shown.
    static HelpViewer *showTopic(QWidget *owner, const QString &helpFile, int context);

    int context() const { return m_context; }
    QString topicTitle() const { return m_title; }
    QTextBrowser *browser() const { return m_browser; }

private:
    explicit HelpViewer(QWidget *parent);
    void show(int context, const HelpTopic &topic);

    QTextBrowser *m_browser;
    int m_context = 0;
    QString m_title;
};

} // namespace controls
