#pragma once
// Standard output and error of the tool, UTF-8 text streams.

#include <QTextStream>

namespace tourbuchdb {

QTextStream &standardOutput();
QTextStream &standardError();

} // namespace tourbuchdb
