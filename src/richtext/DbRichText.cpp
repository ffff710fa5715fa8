#include "DbRichText.h"

#include "controls/Modal.h"
#include "data/Table.h"

#include <exception>

namespace richtext {

namespace {
class FlagGuard {
public:
    explicit FlagGuard(bool &flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~FlagGuard() { m_flag = m_old; }
    FlagGuard(const FlagGuard &) = delete;
    FlagGuard &operator=(const FlagGuard &) = delete;

private:
    bool &m_flag;
    bool m_old;
};
} // namespace

DbRichText::DbRichText(QWidget *parent) : RichTextEditor(parent)
{
    connect(this, &RichTextEditor::userChanged, this, &DbRichText::onUserChanged);
}

void DbRichText::setDataSource(data::DataSource *source)
{
    for (const auto &connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_source = source;
    if (source) {
        m_connections << connect(source, &data::DataSource::dataChange, this, &DbRichText::onDataChange)
                      << connect(source, &data::DataSource::updateData, this, &DbRichText::onUpdateData)
                      << connect(source, &data::DataSource::stateChange, this, [this] {
                             data::Table *t = table();
                             if (!t || !t->active())
                                 loadField();
                         });
    }
    loadField();
}

void DbRichText::setDataField(const QString &fieldName)
{
    m_fieldName = fieldName;
    loadField();
}

data::Table *DbRichText::table() const { return m_source ? m_source->dataSet() : nullptr; }

data::Field *DbRichText::field() const
{
    data::Table *t = table();
    if (!t || !t->active() || m_fieldName.isEmpty())
        return nullptr;
    return t->findField(m_fieldName);
}

void DbRichText::loadField()
{
    m_changedByUser = false;
    data::Field *f = field();
    if (!f) {
        clearContent();
        return;
    }
    const QString problem = setContentString(f->asString());
    Q_UNUSED(problem); // a damaged memo shows what could be read
}

void DbRichText::onDataChange(const data::Field *changed)
{
    if (m_selfChange)
        return;
    if (changed && changed->fieldName().compare(m_fieldName, Qt::CaseInsensitive) != 0)
        return;
    loadField();
}

void DbRichText::onUserChanged()
{
    if (m_changedByUser)
        return;
    data::Table *t = table();
    if (!t || !field())
        return;
    m_changedByUser = true;
    const FlagGuard guard(m_selfChange);
    try {
        if (t->state() == data::TableState::Browse)
            t->edit();
        t->setModified();
    } catch (const std::exception &error) {
        m_changedByUser = false;
        controls::Modal::error(this, QString::fromUtf8(error.what()));
    }
}

void DbRichText::onUpdateData()
{
    if (!m_changedByUser)
        return;
    data::Field *f = field();
    if (!f)
        return;
    const FlagGuard guard(m_selfChange);
    f->setAsString(QString::fromLatin1(toRtf()));
    m_changedByUser = false;
}

} // namespace richtext
