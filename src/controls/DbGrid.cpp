#include "DbGrid.h"

#include "data/Table.h"

#include <QHeaderView>
#include <algorithm>
#include <QItemSelectionModel>
#include <QPalette>

namespace controls {

DbGridModel::DbGridModel(data::DataSource *source, const QString &fieldName, const QString &title,
                         QObject *parent)
    : QAbstractTableModel(parent), m_source(source), m_fieldName(fieldName), m_title(title)
{
    connect(source, &data::DataSource::dataSetChange, this, &DbGridModel::viewChanged);
    connect(source, &data::DataSource::dataChange, this, [this](const data::Field *field) {
        if (!field)
            recordChanged();
    });
    viewChanged();
}

data::Table *DbGridModel::table() const
{
    return m_source ? m_source->dataSet() : nullptr;
}

int DbGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rowIds.size());
}

int DbGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant DbGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rowIds.size()))
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return valueAt(index.row());
    return {};
}

namespace {
constexpr int BlockSize = 64;
}

const QString &DbGridModel::valueAt(int row) const
{
    const size_t block = size_t(row / BlockSize);
    if (!m_blockRead[block]) {
        m_blockRead[block] = true;
        data::Table *t = table();
        if (t && t->active()) {
            const int first = int(block) * BlockSize;
            const int count = qMin(BlockSize, int(m_rowIds.size()) - first);
            const QVariantList values = t->fetchColumn(m_fieldName, m_rowIds.data() + first, count);
            for (int i = 0; i < count; ++i)
                m_values[size_t(first + i)] = values.at(i).toString();
            ++m_blocksRead;
        }
    }
    return m_values[size_t(row)];
}

int DbGridModel::rowOf(qint64 rowId) const
{
    if (rowId == 0)
        return -1;
    if (m_rowIdsAscending) {
        const auto it = std::lower_bound(m_rowIds.begin(), m_rowIds.end(), rowId);
        return it != m_rowIds.end() && *it == rowId ? int(it - m_rowIds.begin()) : -1;
    }
    if (m_rowOfId.isEmpty() && !m_rowIds.empty()) {
        m_rowOfId.reserve(qsizetype(m_rowIds.size()));
        for (size_t i = 0; i < m_rowIds.size(); ++i)
            m_rowOfId.insert(m_rowIds[i], int(i));
    }
    return m_rowOfId.value(rowId, -1);
}

QVariant DbGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole && section == 0)
            return m_title;
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        return {};
    }
    // The record indicator: a marker on the current row only.
    if (role == Qt::DisplayRole)
        return section == m_currentRow ? QStringLiteral("\u25B6") : QString();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags DbGridModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

qint64 DbGridModel::rowIdAt(int row) const
{
    return row >= 0 && row < int(m_rowIds.size()) ? m_rowIds[size_t(row)] : 0;
}

bool DbGridModel::moveCursorTo(int row)
{
    data::Table *t = table();
    const qint64 rowId = rowIdAt(row);
    return t && t->active() && rowId != 0 && t->gotoRowId(rowId);
}

void DbGridModel::viewChanged()
{
    data::Table *t = table();
    const bool open = t && t->active();
    // Detaching and re-attaching the controls also reports a view change;
    // fetching again only pays when the view may really differ.
    if (!m_stale && open && t->indexName() == m_indexName && t->recordCount() == int(m_rowIds.size())
        && (t->currentRowId() == 0 || rowOf(t->currentRowId()) >= 0)) {
        recordChanged();
        return;
    }
    reload();
}

void DbGridModel::reload()
{
    data::Table *t = table();
    beginResetModel();
    m_rowIds.clear();
    m_values.clear();
    m_blockRead.clear();
    m_rowOfId.clear();
    m_blocksRead = 0;
    m_currentRow = -1;
    if (t && t->active()) {
        m_rowIds = t->fetchRowIds();
        m_rowIdsAscending = std::is_sorted(m_rowIds.begin(), m_rowIds.end());
        m_values.resize(m_rowIds.size());
        m_blockRead.assign((m_rowIds.size() + BlockSize - 1) / BlockSize, false);
        m_indexName = t->indexName();
        ++m_fetchCount;
    } else {
        m_indexName.clear();
    }
    m_stale = !(t && t->active());
    endResetModel();
    recordChanged();
}

void DbGridModel::recordChanged()
{
    data::Table *t = table();
    const int row = t && t->active() ? rowOf(t->currentRowId()) : -1;
    if (row == m_currentRow) {
        emit currentRowChanged(row);
        return;
    }
    const int old = m_currentRow;
    m_currentRow = row;
    if (old >= 0)
        emit headerDataChanged(Qt::Vertical, old, old);
    if (row >= 0)
        emit headerDataChanged(Qt::Vertical, row, row);
    emit currentRowChanged(row);
}

DbGrid::DbGrid(data::DataSource *source, const QString &fieldName, const QString &title, int displayChars,
               QWidget *parent)
    : QTableView(parent), m_model(new DbGridModel(source, fieldName, title, this))
{
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(true);
    setWordWrap(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTabKeyNavigation(true);
    setCornerButtonEnabled(false);

    // The selection stays visible when the list has no focus.
    QPalette pal = palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(pal);

    QHeaderView *top = horizontalHeader();
    top->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    top->setSectionsClickable(false);
    top->setHighlightSections(false);
    top->setSectionResizeMode(QHeaderView::Interactive);
    top->setStretchLastSection(false);

    QHeaderView *side = verticalHeader();
    side->setSectionResizeMode(QHeaderView::Fixed);
    side->setSectionsClickable(false);
    side->setHighlightSections(false);
    const int rowHeight = fontMetrics().height() + 4;
    side->setDefaultSectionSize(rowHeight);
    side->setMinimumSectionSize(rowHeight);
    side->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("\u25B6")) + 8);

    setColumnWidth(0, displayChars * fontMetrics().averageCharWidth());

    connect(m_model, &DbGridModel::currentRowChanged, this, &DbGrid::followCursor);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        setColumnWidth(0, columnWidth(0));
    });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { rowChosen(current); });
    followCursor(m_model->currentRow());
}

void DbGrid::followCursor(int row)
{
    m_following = true;
    if (row < 0) {
        selectionModel()->clear();
    } else {
        const QModelIndex index = m_model->index(row, 0);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
    }
    m_following = false;
}

void DbGrid::rowChosen(const QModelIndex &current)
{
    if (m_following || !current.isValid())
        return;
    bool moved = false;
    try {
        moved = m_model->moveCursorTo(current.row());
    } catch (...) {
        // The cursor stayed (a change could not be stored): show where it is.
        followCursor(m_model->currentRow());
        throw;
    }
    if (!moved)
        followCursor(m_model->currentRow());
}

} // namespace controls
