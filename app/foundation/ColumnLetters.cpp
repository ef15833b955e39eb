#include "foundation/ColumnLetters.h"

namespace {

constexpr int LastThreeLetterIndex = 18278;

// Bijective base 26: every name is used once, so labels stay unique.
QString lettersOf(int n)
{
    QString name;
    while (n > 0) {
        --n;
        name.prepend(QChar(u'A' + n % 26));
        n /= 26;
    }
    return name;
}

} // namespace

const QStringList& GetColumnLetterTable()
{
    static const QStringList table = [] {
        QStringList t;
        t.reserve(703);
        for (int i = 0; i <= 702; ++i)
            t.append(lettersOf(i));
        return t;
    }();
    return table;
}

QString FormatColumnLetters(int n)
{
    if (n <= 0)
        return QString();
    if (n <= 702)
        return GetColumnLetterTable()[n];
    if (n <= LastThreeLetterIndex)
        return lettersOf(n);
    return QString::number(n);
}
