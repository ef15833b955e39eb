#pragma once
// The page-setup dialog for any printer. The toolkit's own dialog works only
// with a printer's native output; for PDF output (the only output on a
// machine without printers) a small dialog of ours edits the same paper,
// orientation and margins of the printer's page layout.

#include <QDialog>
#include <QPageLayout>
#include <QPageSize>

#include <span>

class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QGroupBox;
class QPrinter;
class QRadioButton;

namespace platform {

// The paper sizes offered for PDF output, which prints on any.
std::span<const QPageSize::PageSizeId> PdfPaperSizes();

// Shows the dialog that suits the printer; true when the user confirmed, and
// then the printer holds the chosen page layout.
bool ExecPageSetupDialog(QPrinter& printer, QWidget* parent);

// What the page dialogs share: the paper list in its group, the
// orientation in its group, and OK and Cancel, which end the dialog. The
// dialog lays the groups and the buttons out.
struct PageChoiceBoxes
{
    // The orientation given shows checked.
    PageChoiceBoxes(QDialog& dialog, QPageLayout::Orientation orientation);
    QPageLayout::Orientation ChosenOrientation() const;

    QComboBox* const paper;
    QGroupBox* const paperBox;
    QRadioButton* const portrait;
    QRadioButton* const landscape;
    QGroupBox* const orientationBox;
    QDialogButtonBox* const buttons;
};

class PdfPageSetupDialog : public QDialog
{
    Q_OBJECT
public:
    PdfPageSetupDialog(QPrinter& printer, QWidget* parent);

    QComboBox* PaperList() const { return m_boxes.paper; }
    QRadioButton* LandscapeButton() const { return m_boxes.landscape; }
    // Left, top, right, bottom, in the unit the dialog shows.
    QDoubleSpinBox* MarginBox(int side) const { return m_margins[side]; }

    void accept() override;

private:
    QPrinter& m_printer;
    PageChoiceBoxes m_boxes;
    QDoubleSpinBox* m_margins[4];
    int m_unit; // QPageLayout::Unit
};

} // namespace platform
