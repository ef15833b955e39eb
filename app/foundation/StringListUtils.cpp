#include "foundation/StringListUtils.h"

void SortStringList(QStringList& list)
{
    list.sort(Qt::CaseSensitive);
}

QString JoinStringList(QStringList list)
{
    SortStringList(list);
    QString joined;
    for (const QString& s : list)
        joined += s + QLatin1Char('\n');
    return joined;
}
