#pragma once
// The ruler above the editor: a centimetre scale over the text width with
// the current paragraph's indents and tab stops. It follows the page
// layout, the cursor and horizontal scrolling.

#include <QPointer>
#include <QWidget>

namespace richtext {

class RichTextEditor;

class Ruler : public QWidget {
    Q_OBJECT
public:
    explicit Ruler(QWidget *parent = nullptr);
    void setEditor(RichTextEditor *editor);

    // Ruler x of a position on the text line, in document units.
    double xOf(double documentUnits) const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPointer<RichTextEditor> m_editor;
    QList<QMetaObject::Connection> m_connections;
};

} // namespace richtext
