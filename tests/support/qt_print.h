// Readable Qt strings in test failure messages.
#pragma once
#include <ostream>

#include <QString>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
