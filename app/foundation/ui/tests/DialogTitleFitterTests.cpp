#include "foundation/ui/DialogTitleFitter.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

#include <gtest/gtest.h>

TEST(DialogTitleFitter, ADialogIsShownWideEnoughForItsTitle)
{
    DialogTitleFitter fitter;
    qApp->installEventFilter(&fitter);
    struct Case
    {
        const char* title;
        bool fixedWidth;
    };
    const Case cases[] = {
        { "Select the stock sizes that the optimizer may use", false },
        { "Ok", false },
        { "A fixed dialog keeps the width it was given", true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        QDialog dialog;
        dialog.setWindowTitle(QString::fromUtf8(c.title));
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(new QLabel(QStringLiteral("x")));
        if (c.fixedWidth)
            dialog.setFixedWidth(120);
        dialog.show();
        QApplication::processEvents();
        if (c.fixedWidth)
            EXPECT_EQ(dialog.width(), 120);
        else
            EXPECT_GE(dialog.width(), DialogTitleFitter::TitleWidth(dialog));
        EXPECT_GT(DialogTitleFitter::TitleWidth(dialog),
            QFontMetrics(QApplication::font()).horizontalAdvance(dialog.windowTitle()));
    }
    qApp->removeEventFilter(&fitter);
}
