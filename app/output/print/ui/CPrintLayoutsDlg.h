#pragma once
// What to print or preview: every section of the project, a selection of
// sections, or the raw-materials sizes and costs instead of the project; and
// on which printer, PDF output always among them. Confirming stores the
// choice in the print settings of the preferences.

#include "foundation/PrintSettings.h"
#include "output/print/PrintSetupCommands.h"

#include <QDialog>
#include <QPrinter>

#include <functional>

class IDoc;
class IPrintViewHost;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class CPrintLayoutsDlg : public QDialog
{
    Q_OBJECT

public:
    // Scopes as the print settings keep them.
    enum Scope : int { AllSections = 1, SelectedSections = 2, RawMaterials = 5 };
    // Help topic of the dialog.
    static constexpr int kHelpTopic = 1538;

    // preview: the dialog asks for a preview rather than a print.
    CPrintLayoutsDlg(IDoc* document, IPrintViewHost* view, bool preview, QWidget* parent = nullptr);
    ~CPrintLayoutsDlg() override;

    // Runs the dialog (through the runner tests install); QDialog::Accepted
    // when the user confirmed it.
    int DoModal();
    void accept() override;

    // The printer chosen; PDF output when IsPdfOutput.
    QPrinter& GetPrinter() { return m_printer; }
    bool IsPdfOutput() const;
    const PrintSettings& GetWorkingSettings() const { return m_settings; }
    // The system dialog behind "Setup..." (tests replace it).
    void SetSetupDialogRunner(PrinterDialogRunner run) { m_runSetup = std::move(run); }

    QComboBox* PrinterChoice() const { return m_printerChoice; }
    QRadioButton* AllSectionsButton() const { return m_allSections; }
    QRadioButton* SelectedSectionsButton() const { return m_selectedSections; }
    QRadioButton* RawMaterialsButton() const { return m_rawMaterials; }
    QCheckBox* CoverPageBox() const { return m_coverPage; }
    QCheckBox* PartsListBox() const { return m_partsList; }
    QCheckBox* ReportsBox() const { return m_reports; }
    QCheckBox* LayoutsBox() const { return m_layouts; }
    QCheckBox* TakeOffListsBox() const { return m_takeOffLists; }
    QCheckBox* BillOfMaterialsBox() const { return m_billOfMaterials; }
    QPushButton* DefaultButton() const { return m_defaultButton; }
    QPushButton* OptionsButton() const { return m_optionsButton; }
    QPushButton* SetupButton() const { return m_setupButton; }
    QPushButton* HelpButton() const { return m_helpButton; }

private:
    void InitDialog();
    void BuildLayout();
    void FillPrinterChoice();
    void OnPrinterChosen(int index);
    void OnScopeClicked(QRadioButton* button);
    // Enables the section boxes; selected: Selected Sections is checked.
    void EnableSectionBoxes(bool selected);
    bool TakeOffBesideLayouts() const { return m_settings.takeOffOnLayoutPage != 0; }
    void OnOptions();
    void OnSetup();

    PrintSettings m_settings;
    IDoc* m_document;
    IPrintViewHost* m_view;
    bool m_preview;
    QPrinter m_printer;
    PrinterDialogRunner m_runSetup;

    QLabel* m_printerLabel;
    QComboBox* m_printerChoice;
    QGroupBox* m_printRange;
    QRadioButton* m_allSections;
    QRadioButton* m_selectedSections;
    QCheckBox* m_coverPage;
    QCheckBox* m_partsList;
    QCheckBox* m_reports;
    QCheckBox* m_layouts;
    QCheckBox* m_takeOffLists;
    QCheckBox* m_billOfMaterials;
    QFrame* m_separator;
    QRadioButton* m_rawMaterials;
    QPushButton* m_defaultButton;
    QPushButton* m_cancelButton;
    QPushButton* m_optionsButton;
    QPushButton* m_setupButton;
    QPushButton* m_helpButton;
};

// How DoModal runs the dialog; tests answer it. Answers the previous runner.
using PrintDialogRunner = std::function<int(CPrintLayoutsDlg& dialog)>;
PrintDialogRunner SetPrintDialogRunner(PrintDialogRunner runner);

// The scope confirmed last in this run of the program (All Sections at
// start-up); every new dialog opens on it.
int RememberedPrintScope();
// Back to the start-up state.
void ResetRememberedPrintScope();
