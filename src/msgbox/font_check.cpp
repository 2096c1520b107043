#include "msgbox/font_check.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace qid {

namespace {

QString resolved_family(const QString& family)
{
    return QFontInfo(QFont(family)).family();
}

}  // namespace

bool font_installed(const QString& family)
{
    if (family.trimmed().isEmpty())
        return false;
    if (QFontDatabase::families().contains(family, Qt::CaseInsensitive))
        return true;
    const QString used = resolved_family(family);
    for (const char* generic : {"sans-serif", "serif", "monospace", "cursive", "fantasy", "qid-no-such-family"})
        if (used.compare(resolved_family(QString::fromLatin1(generic)), Qt::CaseInsensitive) == 0)
            return false;
    return true;
}

}  // namespace qid
