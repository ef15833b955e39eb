#pragma once
// The program's real file dialog, answered as a user answers it.

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

// What the dialog showed when it opened.
struct ShownFileDialog
{
    QString folder;
    // The bytes of the folder the dialog lists, whatever name it shows it by.
    QByteArray listed;
    QString name;
};

// Once the next file dialog shows (whatever else runs the event loop
// before it), what it shows goes into shown; then typed (unless null)
// replaces the name and the dialog's Open or Save button is clicked. It is
// looked for at every pass of the event loop, so that it is answered as
// soon as it shows, before it has listed its folder.
inline void AnswerNextFileDialog(
    ShownFileDialog& shown, const char* typed = nullptr, QElapsedTimer since = {})
{
    if (!since.isValid())
        since.start();
    QTimer::singleShot(0, [&shown, typed, since] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            // Far longer than any dialog takes to show.
            if (since.elapsed() > 10000)
                ADD_FAILURE() << "no file dialog";
            else
                AnswerNextFileDialog(shown, typed, since);
            return;
        }
        shown.folder = dialog->directory().absolutePath();
        char real[PATH_MAX];
        shown.listed
            = ::realpath(QFile::encodeName(shown.folder).constData(), real) ? QByteArray(real) : QByteArray();
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        QPushButton* accept = buttons
            ? buttons->button(dialog->acceptMode() == QFileDialog::AcceptOpen ? QDialogButtonBox::Open
                                                                              : QDialogButtonBox::Save)
            : nullptr;
        if (!name || !accept) {
            ADD_FAILURE() << "no name or button in the file dialog";
            dialog->reject();
            return;
        }
        shown.name = name->text();
        if (typed) {
            name->clear();
            QTest::keyClicks(name, QString::fromUtf8(typed));
        }
        EXPECT_TRUE(accept->isEnabled()) << name->text().toStdString();
        accept->click();
        // A dialog that refused the name would wait for another.
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the dialog is still open";
            dialog->reject();
        }
    });
}
