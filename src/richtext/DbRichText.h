#pragma once
// The data-bound rich-text editor: shows a rich-text field of a data
// source's current record and writes it back as RTF when the record is
// posted. A memo the user never touched is never rewritten.

#include "RichTextEditor.h"
#include "data/Table.h"

#include <QPointer>
#include <QString>

namespace richtext {

class DbRichText : public RichTextEditor {
    Q_OBJECT
public:
    explicit DbRichText(QWidget *parent = nullptr);

    void setDataSource(data::DataSource *source);
    data::DataSource *dataSource() const { return m_source; }
    void setDataField(const QString &fieldName);
    const QString &dataField() const { return m_fieldName; }

    // The user changed the text since it was last loaded from the field.
    bool changedByUser() const { return m_changedByUser; }

private:
    data::Table *table() const;
    data::Field *field() const;
    void loadField();
    void onDataChange(const data::Field *changed);
    void onUserChanged();
    void onUpdateData();

    QPointer<data::DataSource> m_source;
    QString m_fieldName;
    bool m_changedByUser = false;
    bool m_selfChange = false;   // our own edit or write: its notifications are ours
    QList<QMetaObject::Connection> m_connections;
};

} // namespace richtext
