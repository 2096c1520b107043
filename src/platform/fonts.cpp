#include "platform/fonts.h"

#include <QFont>

namespace qid::platform {

void install_font_substitutes()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Century Gothic"), QStringLiteral("URW Gothic"));
    QFont::insertSubstitution(QStringLiteral("Georgia"), QStringLiteral("C059"));
    QFont::insertSubstitution(QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow"));
    QFont::insertSubstitution(QStringLiteral("Symbol"), QStringLiteral("Standard Symbols PS"));
    QFont::insertSubstitution(QStringLiteral("WingDings"), QStringLiteral("D050000L"));
}

}  // namespace qid::platform
