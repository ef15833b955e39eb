// The skipped-parts warning that a run leaves behind never stands on the
// file prompt of the command that ran it (print, export for mobile): two
// modal dialogs are never up at once.
#include "ShellTestSupport.h"

#include "shell/CKWLView.h"
#include "shell/CMainFrame.h"
#include "shell/ShellCommands.h"

#include "foundation/PrintSettings.h"
#include "foundation/UserPrefsBase.h"
#include "optimization/ui/CTooBigDlg.h"
#include "output/print/ui/CPrintLayoutsDlg.h"

#include <platform/ui/CommandActions.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Looks at every modal window that shows: which modal windows are up then,
// and answers the skipped-parts warning with Close.
class ModalWindowWatcher : public QObject
{
public:
    ModalWindowWatcher() { qApp->installEventFilter(this); }
    ~ModalWindowWatcher() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QWidget*>(watched);
        if (event->type() != QEvent::Show || !window || !window->isWindow() || !window->isModal())
            return false;
        QStringList up;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->isModal())
                up << QString::fromLatin1(top->metaObject()->className());
        if (up.size() > 1)
            together << up.join(QStringLiteral(" + "));
        shown << QString::fromLatin1(window->metaObject()->className());
        if (auto* warning = qobject_cast<CTooBigDlg*>(window))
            QMetaObject::invokeMethod(warning, &QDialog::reject, Qt::QueuedConnection);
        return false;
    }

    QStringList shown; // class names, in the order they showed
    QStringList together; // the modal windows up at once, when more than one
};

class SkippedPartsWarningTest : public ShellTest
{
protected:
    // Birch with a part that fits and one larger than any sheet.
    void StartWithASkippedPart()
    {
        m_app.reset();
        CKerfwellPlusApp& app = Start();
        CMilledPart* fits = AddBirchPart(app);
        ASSERT_TRUE(fits);
        auto* tooBig = new CMilledPart();
        tooBig->SetMaterial(fits->GetMaterial());
        tooBig->SetThickness(fits->GetThickness());
        tooBig->SetWidth(CDimension::FromInches(60));
        tooBig->SetLength(CDimension::FromInches(120));
        tooBig->SetCopies(1);
        app.GetDocument()->AppendPart(tooBig);
        ASSERT_FALSE(app.GetDocument()->IsFullyOptimized());
    }
};

TEST_F(SkippedPartsWarningTest, TheWarningNeverStandsOnTheFilePromptOfTheCommandThatRan)
{
    QTemporaryDir folder;
    // The file prompt is a modal dialog whose own event loop turns before it
    // is answered, as the real one does.
    const FileDialogFunction testsPrompt
        = SetFileDialogFunction([&](const FileDialogRequest&, QString& path) {
              QDialog prompt(m_app->GetMainFrame());
              QTimer::singleShot(0, &prompt, &QDialog::accept);
              prompt.exec();
              path = m_chosenPath;
              return true;
          });
    SetPrintDialogRunner([](CPrintLayoutsDlg& dialog) {
        QComboBox* printers = dialog.PrinterChoice(); // the last one: PDF output
        printers->setCurrentIndex(printers->count() - 1);
        Q_EMIT printers->activated(printers->count() - 1);
        dialog.AllSectionsButton()->click();
        dialog.accept();
        return static_cast<int>(QDialog::Accepted);
    });
    const struct
    {
        const char* name;
        int command;
        const char* file;
    } cases[] = {
        { "File > Print onto PDF output", ShellCommand::FilePrint, "Project.pdf" },
        { "Export for Mobile", ShellCommand::ExportForMobile, "Project.ikwx" },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        StartWithASkippedPart();
        m_chosenPath = folder.filePath(QString::fromLatin1(test.file));
        ModalWindowWatcher watcher;
        EXPECT_TRUE(m_app->GetMainFrame()->GetCommands().Trigger(test.command));
        QTRY_VERIFY(watcher.shown.contains(QStringLiteral("CTooBigDlg")));
        QTRY_VERIFY(!QApplication::activeModalWidget());
        EXPECT_TRUE(QFileInfo(m_chosenPath).size() > 0);
        EXPECT_EQ(watcher.shown.count(QStringLiteral("CTooBigDlg")), 1);
        EXPECT_TRUE(watcher.shown.contains(QStringLiteral("QDialog")))
            << watcher.shown.join(' ').toStdString();
        EXPECT_TRUE(watcher.together.isEmpty()) << watcher.together.join(QLatin1Char('\n')).toStdString();
    }
    SetPrintDialogRunner({});
    SetFileDialogFunction(testsPrompt);
}

} // namespace
