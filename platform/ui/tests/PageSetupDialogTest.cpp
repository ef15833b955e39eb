#include "platform/ui/PageSetupDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPageLayout>
#include <QPrinter>
#include <QRadioButton>
#include <QTimer>

// PDF output gets our dialog (the toolkit's refuses it with a warning); what
// the user sets there reaches the printer's page layout.
TEST(PageSetupDialog, PdfOutputIsSetUpInOurDialog)
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
        QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch));
    bool ours = false;
    QTimer::singleShot(0, [&ours] {
        auto* dialog = qobject_cast<platform::PdfPageSetupDialog*>(QApplication::activeModalWidget());
        ours = dialog != nullptr;
        if (!dialog)
            return;
        EXPECT_EQ(dialog->PaperList()->currentText(), QPageSize::name(QPageSize::Letter));
        dialog->PaperList()->setCurrentIndex(dialog->PaperList()->findData(static_cast<int>(QPageSize::A5)));
        dialog->LandscapeButton()->setChecked(true);
        dialog->MarginBox(0)->setValue(dialog->MarginBox(0)->value() * 2);
        dialog->accept();
    });
    ASSERT_TRUE(platform::ExecPageSetupDialog(printer, nullptr));
    EXPECT_TRUE(ours);
    const QPageLayout layout = printer.pageLayout();
    EXPECT_EQ(layout.pageSize().id(), QPageSize::A5);
    EXPECT_EQ(layout.orientation(), QPageLayout::Landscape);
    EXPECT_NEAR(layout.margins(QPageLayout::Inch).left(), 1.0, 0.02);
    EXPECT_NEAR(layout.margins(QPageLayout::Inch).top(), 0.5, 0.02);
}
