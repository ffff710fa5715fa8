#include "Console.h"

#include <cstdio>

namespace tourbuchdb {

QTextStream &standardOutput()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &standardError()
{
    static QTextStream stream(stderr);
    return stream;
}

} // namespace tourbuchdb
