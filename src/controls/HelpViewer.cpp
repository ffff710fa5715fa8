#include "HelpViewer.h"

#include "Modal.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace controls {

QMap<int, HelpTopic> readHelpFile(const QString &fileName, bool *readable)
{
    QMap<int, HelpTopic> topics;
    QFile file(fileName);
    const bool ok = file.open(QIODevice::ReadOnly);
    if (readable)
        *readable = ok;
    if (!ok)
        return topics;
    static const QRegularExpression start(QStringLiteral("^@(\\d+)\\s*(.*)$"));
    HelpTopic *current = nullptr;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QLatin1Char('#')))
            continue;
        const auto m = start.match(line);
        if (m.hasMatch()) {
            bool numeric = false;
            const int number = m.captured(1).toInt(&numeric);
            if (numeric) {
                current = &topics[number];
                current->title = m.captured(2).trimmed();
                current->html.clear();
                continue;
            }
        }
        if (current)
            current->html += line + QLatin1Char('\n');
    }
    return topics;
}

HelpViewer::HelpViewer(QWidget *parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpViewer"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    m_browser->setOpenExternalLinks(false);
    resize(460, 380);
}

void HelpViewer::show(int context, const HelpTopic &topic)
{
    m_context = context;
    m_title = topic.title;
    setWindowTitle(QStringLiteral("Hilfe - %1").arg(topic.title));
    m_browser->setHtml(QStringLiteral("<h3>%1</h3>%2").arg(topic.title.toHtmlEscaped(), topic.html));
    QWidget::show();
    raise();
    activateWindow();
}

HelpViewer *HelpViewer::showTopic(QWidget *owner, const QString &helpFile, int context)
{
    QWidget *window = owner ? owner->window() : nullptr;
    bool readable = false;
    const auto topics = readHelpFile(helpFile, &readable);
    if (!readable) {
        Modal::information(window, QStringLiteral("Die Hilfedatei \"%1\" kann nicht geöffnet werden.")
                                       .arg(QFileInfo(helpFile).fileName()));
        return nullptr;
    }
    const auto it = topics.constFind(context);
    if (it == topics.constEnd()) {
        Modal::information(window, QStringLiteral("Zu diesem Fenster (Thema %1) gibt es in der Hilfedatei \"%2\" "
                                                  "keinen Eintrag.")
                                       .arg(context)
                                       .arg(QFileInfo(helpFile).fileName()));
        return nullptr;
    }
    HelpViewer *viewer = window ? window->findChild<HelpViewer *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!viewer) {
        // Owned by the window it helps; without one it deletes itself on close.
        viewer = new HelpViewer(window);
        if (!window)
            viewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    viewer->show(context, *it);
    return viewer;
}

} // namespace controls
