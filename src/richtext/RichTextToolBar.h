#pragma once
// The toolbar of the rich-text editor: font name, size and colour lists and
// a chosen set of icons. Every icon click is first offered to the window
// (iconSelection); an icon the window does not claim runs the editor's own
// action. Icon states follow the editor's selection.

#include "ToolIcons.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

class QComboBox;
class QFontComboBox;
class QToolButton;

namespace richtext {

class RichTextEditor;

// One icon click. A handler that does the work itself sets `handled`.
struct IconEvent {
    int group = 0;
    int number = 0;
    bool handled = false;
};

class RichTextToolBar : public QWidget {
    Q_OBJECT
public:
    explicit RichTextToolBar(QWidget *parent = nullptr);

    void setEditor(RichTextEditor *editor);
    RichTextEditor *editor() const { return m_editor; }

    // Which icons show, in this order; a gap separates icon groups.
    void setIcons(const QList<ToolIcon> &icons);
    QList<ToolIcon> icons() const { return m_icons; }
    // The set of a document window: styles, alignment, clipboard, save and print.
    static QList<ToolIcon> documentIcons();
    void setFontListsVisible(bool visible);

    // Shows a claimed icon un-pressed again.
    void releaseIcon(int group, int number);

    // The button of an icon shown, or nullptr.
    QToolButton *button(ToolIcon icon) const { return m_buttons.value(int(icon)); }
    QFontComboBox *fontNameList() const { return m_fontName; }
    QComboBox *fontSizeList() const { return m_fontSize; }
    QComboBox *fontColorList() const { return m_fontColor; }

    // Clicks an icon as the user would: offered to the window first.
    void clickIcon(ToolIcon icon);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void iconSelection(richtext::IconEvent &event);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void runBuiltIn(ToolIcon icon, bool checked);
    void updateState();
    int arrange(int width, bool apply) const;

    QPointer<RichTextEditor> m_editor;
    QList<ToolIcon> m_icons;
    QHash<int, QToolButton *> m_buttons;
    QFontComboBox *m_fontName;
    QComboBox *m_fontSize;
    QComboBox *m_fontColor;
    bool m_fontListsVisible = true;
    bool m_updating = false;
    QList<QMetaObject::Connection> m_editorConnections;
};

} // namespace richtext
