#pragma once
// The Print Setup dialog: the printer, and the paper and orientation it
// prints on, which is all that Print Setup keeps. No output file, copies or
// page range: each print asks for its own.

#include "platform/ui/PageSetupDialog.h"

#include <QDialog>
#include <QPageSize>

#include <vector>

class QComboBox;
class QPrinter;
class QRadioButton;

// Fills a printer choice: the system's printers, then PDF output (an entry
// without a printer name); the printer's own entry is selected.
void ListPrinters(QComboBox& choice, const QPrinter& printer);
// Points the printer at an entry of that choice.
void ChoosePrinter(const QComboBox& choice, int index, QPrinter& printer);

class PrintSetupDialog : public QDialog
{
    Q_OBJECT
public:
    PrintSetupDialog(QPrinter& printer, QWidget* parent);

    QComboBox* PrinterChoice() const { return m_printerChoice; }
    QComboBox* PaperChoice() const { return m_boxes.paper; }
    QRadioButton* PortraitButton() const { return m_boxes.portrait; }
    QRadioButton* LandscapeButton() const { return m_boxes.landscape; }

    // The printer takes the choices only when they are confirmed.
    void accept() override;

private:
    // The papers of the chosen printer with the current one selected where
    // the printer has it; keepUnlisted adds it when the printer does not.
    void ListPapers(const QPageSize& current, bool keepUnlisted);

    QPrinter& m_printer;
    QComboBox* m_printerChoice;
    platform::PageChoiceBoxes m_boxes;
    std::vector<QPageSize> m_papers; // one per entry of the paper choice
};
