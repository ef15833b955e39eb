#include "platform/ui/PageSetupDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLocale>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QVBoxLayout>

namespace platform {

namespace {

const QPageSize::PageSizeId kPapers[] = {
    QPageSize::Letter,
    QPageSize::Legal,
    QPageSize::Tabloid,
    QPageSize::A3,
    QPageSize::A4,
    QPageSize::A5,
    QPageSize::B4,
    QPageSize::B5,
    QPageSize::Executive,
};

} // namespace

std::span<const QPageSize::PageSizeId> PdfPaperSizes()
{
    return kPapers;
}

PageChoiceBoxes::PageChoiceBoxes(QDialog& dialog, QPageLayout::Orientation orientation)
    : paper(new QComboBox)
    , paperBox(new QGroupBox(QDialog::tr("Paper")))
    , portrait(new QRadioButton(QDialog::tr("&Portrait")))
    , landscape(new QRadioButton(QDialog::tr("&Landscape")))
    , orientationBox(new QGroupBox(QDialog::tr("Orientation")))
    , buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel))
{
    auto* paperForm = new QFormLayout(paperBox);
    paperForm->addRow(QDialog::tr("&Size:"), paper);
    auto* orientationLayout = new QVBoxLayout(orientationBox);
    orientationLayout->addWidget(portrait);
    orientationLayout->addWidget(landscape);
    (orientation == QPageLayout::Landscape ? landscape : portrait)->setChecked(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
}

QPageLayout::Orientation PageChoiceBoxes::ChosenOrientation() const
{
    return landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

bool ExecPageSetupDialog(QPrinter& printer, QWidget* parent)
{
    if (printer.outputFormat() == QPrinter::NativeFormat) {
        QPageSetupDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
    PdfPageSetupDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

PdfPageSetupDialog::PdfPageSetupDialog(QPrinter& printer, QWidget* parent)
    : QDialog(parent)
    , m_printer(printer)
    , m_boxes(*this, printer.pageLayout().orientation())
    , m_margins {}
    , m_unit(QLocale().measurementSystem() == QLocale::MetricSystem ? QPageLayout::Millimeter
                                                                    : QPageLayout::Inch)
{
    setWindowTitle(tr("Page Setup"));
    const QPageLayout layout = printer.pageLayout();
    const auto unit = static_cast<QPageLayout::Unit>(m_unit);

    QComboBox* paper = m_boxes.paper;
    for (QPageSize::PageSizeId id : PdfPaperSizes())
        paper->addItem(QPageSize::name(id), static_cast<int>(id));
    int current = paper->findData(static_cast<int>(layout.pageSize().id()));
    if (current < 0) {
        paper->addItem(layout.pageSize().name(), static_cast<int>(layout.pageSize().id()));
        current = paper->count() - 1;
    }
    paper->setCurrentIndex(current);

    const QMarginsF margins = layout.margins(unit);
    const double values[4] = { margins.left(), margins.top(), margins.right(), margins.bottom() };
    const QString suffix = unit == QPageLayout::Millimeter ? QStringLiteral(" mm") : QStringLiteral(" in");
    auto* marginBox = new QGroupBox(tr("Margins"));
    auto* marginForm = new QFormLayout(marginBox);
    const QString names[4] = { tr("L&eft:"), tr("&Top:"), tr("&Right:"), tr("&Bottom:") };
    for (int side = 0; side < 4; ++side) {
        auto* spin = new QDoubleSpinBox;
        spin->setDecimals(unit == QPageLayout::Millimeter ? 1 : 2);
        spin->setRange(0.0, unit == QPageLayout::Millimeter ? 100.0 : 4.0);
        spin->setSingleStep(unit == QPageLayout::Millimeter ? 1.0 : 0.05);
        spin->setSuffix(suffix);
        spin->setValue(values[side]);
        m_margins[side] = spin;
        marginForm->addRow(names[side], spin);
    }

    auto* top = new QHBoxLayout;
    top->addWidget(m_boxes.orientationBox);
    top->addWidget(marginBox);
    auto* layoutBox = new QVBoxLayout(this);
    layoutBox->addWidget(m_boxes.paperBox);
    layoutBox->addLayout(top);
    layoutBox->addWidget(m_boxes.buttons);
}

void PdfPageSetupDialog::accept()
{
    const auto unit = static_cast<QPageLayout::Unit>(m_unit);
    const QPageSize paper(static_cast<QPageSize::PageSizeId>(m_boxes.paper->currentData().toInt()));
    const QMarginsF margins(
        m_margins[0]->value(), m_margins[1]->value(), m_margins[2]->value(), m_margins[3]->value());
    const QPageLayout layout(paper, m_boxes.ChosenOrientation(), margins, unit);
    m_printer.setPageLayout(layout);
    QDialog::accept();
}

} // namespace platform
