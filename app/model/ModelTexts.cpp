#include "model/ModelTexts.h"

#include "foundation/ColumnLetters.h"
#include "foundation/FileNames.h"
#include "foundation/ResourceBase.h"
#include "foundation/SessionLog.h"
#include "foundation/StringListUtils.h"

#include <platform/ArchiveError.h>

#include <QtGlobal>

#include <algorithm>

QString UiHeaderText(int id)
{
    ResourceBase* resources = GetResources();
    return resources ? resources->HeaderText(id) : UiText(id);
}

void LogWarning(const QString& text)
{
    SessionLog::Instance().Write(SessionLog::Warning, text);
}

void LogError(const QString& text)
{
    SessionLog::Instance().Write(SessionLog::Error, text);
}

QString JoinNameList(const QStringList& names)
{
    return JoinStringList(names);
}

int LogicalCompare(const QString& a, const QString& b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const qsizetype startA = i, startB = j;
            while (i < a.size() && a[i].isDigit())
                ++i;
            while (j < b.size() && b[j].isDigit())
                ++j;
            // Compare the digit runs by value: leading zeros aside, the
            // longer run is the larger number.
            QStringView runA = QStringView(a).mid(startA, i - startA);
            QStringView runB = QStringView(b).mid(startB, j - startB);
            while (runA.size() > 1 && runA.front() == u'0')
                runA = runA.mid(1);
            while (runB.size() > 1 && runB.front() == u'0')
                runB = runB.mid(1);
            if (runA.size() != runB.size())
                return runA.size() < runB.size() ? -1 : 1;
            if (const int order = runA.compare(runB); order != 0)
                return order < 0 ? -1 : 1;
            continue;
        }
        const QChar ca = a[i].toCaseFolded(), cb = b[j].toCaseFolded();
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    return j < b.size() ? -1 : 0;
}

QString LetterName(int index)
{
    return FormatColumnLetters(index);
}

QString ArchiveErrorText(const std::exception& failure, const QString& path)
{
    const QString file = DisplayFileName(path);
    if (const auto* archive = dynamic_cast<const platform::ArchiveError*>(&failure)) {
        switch (archive->cause()) {
        case platform::ArchiveError::EndOfFile:
            return QStringLiteral("%1: the file ends too early (damaged or truncated).").arg(file);
        case platform::ArchiveError::BadSchema:
            return QStringLiteral("%1: the file has an unknown format version.").arg(file);
        case platform::ArchiveError::BadClass:
        case platform::ArchiveError::BadIndex:
            return QStringLiteral("%1: the file holds an unknown record.").arg(file);
        default:
            break;
        }
    }
    return QStringLiteral("%1: %2").arg(file, QString::fromUtf8(failure.what()));
}

QString FileWriteErrorText(const QString& detail)
{
    return QStringLiteral("The materials library could not be saved: %1").arg(detail);
}
