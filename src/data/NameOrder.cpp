#include "NameOrder.h"

#include <QCollator>

namespace data {

int compareNames(const QString &a, const QString &b)
{
    // One collator per thread: QCollator is not thread-safe and costly to build.
    thread_local const QCollator collator = [] {
        QCollator c{QLocale(QLocale::German, QLocale::Germany)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        c.setIgnorePunctuation(false);
        return c;
    }();
    return collator.compare(a, b);
}

} // namespace data
