#include "model/SafeFileWrite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(SafeFileWriteTest, ReplacesOnlyWithACompleteFileAndLeavesNoTemporary)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString target = dir.filePath(QStringLiteral("Bench.kwxe"));
    QString error;
    ASSERT_TRUE(WriteFileThroughTemporary(target, QByteArrayLiteral("old"), {}, &error)) << error.toStdString();

    // A step that fails after the new bytes are written abandons the write.
    EXPECT_FALSE(WriteFileThroughTemporary(target, QByteArrayLiteral("new and longer"), [](QString* e) {
        *e = QStringLiteral("refused");
        return false;
    }, &error));
    EXPECT_EQ(error, QStringLiteral("refused"));
    EXPECT_EQ(ReadAll(target), QByteArrayLiteral("old"));

    // A folder that is gone cannot take the temporary file.
    EXPECT_FALSE(WriteFileThroughTemporary(dir.filePath(QStringLiteral("gone/x.kwxe")), "x", {}, &error));
    EXPECT_FALSE(error.isEmpty());

    ASSERT_TRUE(WriteFileThroughTemporary(target, QByteArrayLiteral("new"), {}, &error));
    EXPECT_EQ(ReadAll(target), QByteArrayLiteral("new"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Bench.kwxe")});
}

}  // namespace
