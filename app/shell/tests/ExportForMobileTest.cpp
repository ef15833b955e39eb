// Export for Mobile from the program window: the outcome in a message box,
// a failure with the warning icon, the file and the system's reason.
#include "ShellTestSupport.h"

#include "shell/CMainFrame.h"
#include "shell/ShellCommands.h"

#include "foundation/FileNames.h"

#include <platform/ui/CommandActions.h>

#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

namespace {

class ExportForMobileTest : public ShellTest
{
};

TEST_F(ExportForMobileTest, TheOutcomeIsToldWithItsIcon)
{
    CKerfwellPlusApp& app = Start();
    ASSERT_TRUE(AddBirchPart(app));
    QTemporaryDir folder;
    QFile notAFolder(folder.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    const QString failed = QStringLiteral("Kerfwell Plus could not export the data.\n\n"
                                          "There was a problem saving the file to disk.");
    const struct
    {
        const char* name;
        const char* file;
        QMessageBox::Icon icon;
        QString expected; // %1: the file as shown
    } cases[] = {
        { "a folder that takes it", "Bench.ikwx", QMessageBox::Information,
            QStringLiteral("Export was successful.") },
        { "a folder that is a file", "notes.txt/Bench\nTop.ikwx", QMessageBox::Warning,
            failed + QStringLiteral("\n\n%1\n\n") + QString::fromLocal8Bit(std::strerror(ENOTDIR)) },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        m_messages.clear();
        m_icons.clear();
        m_chosenPath = folder.filePath(QString::fromLatin1(test.file));
        EXPECT_TRUE(app.GetMainFrame()->GetCommands().Trigger(ShellCommand::ExportForMobile));
        ASSERT_EQ(m_messages.size(), 1) << m_messages.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(m_messages.front().toStdString(),
            QString(test.expected)
                .replace(QStringLiteral("%1"), DisplayFileName(m_chosenPath))
                .toStdString());
        EXPECT_EQ(m_icons, QList { test.icon });
    }
}

} // namespace
