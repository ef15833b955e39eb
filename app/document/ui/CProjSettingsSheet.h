#pragma once
// The project settings sheet: a General page (name, notes) and an
// Optimization page over a working copy of the project's settings. OK
// records the settings edit and the optimization options edit as one undo
// step, even when nothing changed; in a locked project the pages can be
// read but not changed.

#include "model/ProjectSettings.h"

#include <QDialog>
#include <QWidget>

#include <memory>

class CommandExecutionScope;
class IOptimizationDoc;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QTabWidget;

class CProjSettingsSheet;

class CProjSettingsGenPg : public QWidget
{
    Q_OBJECT
public:
    CProjSettingsGenPg(IOptimizationDoc& document, CProjSettingsSheet& sheet);
    // The page's OK step: its texts into the sheet's working record.
    void CommitToRecord();

private:
    IOptimizationDoc& m_document;
    CProjSettingsSheet& m_sheet;
    QLineEdit* m_name;
    QPlainTextEdit* m_notes;
};

class COptOptionsPP : public QWidget
{
    Q_OBJECT
public:
    COptOptionsPP(IOptimizationDoc& document, CProjSettingsSheet& sheet);
    void CommitToRecord();

    QRadioButton* ObjectiveButton(int objective) const { return m_objective[objective]; }
    QRadioButton* PackingButton(int packing) const { return m_packing[packing]; }
    QCheckBox* OffCutsFirst() const { return m_offCutsFirst; }
    QCheckBox* InventoryFirst() const { return m_inventoryFirst; }

private:
    IOptimizationDoc& m_document;
    CProjSettingsSheet& m_sheet;
    OptimizationSettings m_record;
    QRadioButton* m_objective[3];
    QRadioButton* m_packing[4];
    QCheckBox* m_offCutsFirst;
    QCheckBox* m_inventoryFirst;
};

class CProjSettingsSheet : public QDialog
{
    Q_OBJECT
public:
    // startPage: 0 General, 1 (or any later index) Optimization.
    CProjSettingsSheet(IOptimizationDoc& document, int startPage = 0, QWidget* parent = nullptr);
    ~CProjSettingsSheet() override;

    // Runs the sheet; on OK records the two commands under one undo step.
    int DoModal();
    bool IsReadOnly() const { return m_readOnly; }
    ProjectSettings& GetWorkingSettings() { return m_working; }
    CProjSettingsGenPg& GetGeneralPage() const { return *m_general; }
    COptOptionsPP& GetOptimizationPage() const { return *m_options; }
    // OK after the pages' OK steps.
    void accept() override;
    // The commands OK records, without running the dialog.
    void RecordCommands();

private:
    IOptimizationDoc& m_document;
    bool m_readOnly = false;
    ProjectSettings m_working;
    QTabWidget* m_tabs;
    CProjSettingsGenPg* m_general;
    COptOptionsPP* m_options;
    std::shared_ptr<CommandExecutionScope> m_scope;
};
