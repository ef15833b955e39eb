#pragma once
// The shell's small modal dialogs: the quick-start invitation, the support
// tools, the raw-materials backup/restore folder and the note editor. Each
// takes its texts from the UI string service.

#include <QDialog>

#include <functional>

class CFileEditCtrl;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// Invites the user to read the quick-start guide; accepted means "open it".
class QuickStartDlg : public QDialog
{
    Q_OBJECT
public:
    explicit QuickStartDlg(QWidget* parent = nullptr);
    QLabel* TextLabel() const { return m_text; }

private:
    QLabel* m_text;
};

// Reset the grids' remembered layout or the preferences, when support staff
// ask for it. The dialog stays open after each reset.
class CSupportTools : public QDialog
{
    Q_OBJECT
public:
    // skipGridStateSave: tells the main view not to write the grid state at exit.
    CSupportTools(std::function<void()> skipGridStateSave, QWidget* parent = nullptr);

    void ResetGridStatus();
    void ResetPreferences();
    QPushButton* ResetGridButton() const { return m_resetGrid; }
    QPushButton* ResetPrefsButton() const { return m_resetPrefs; }

private:
    std::function<void()> m_skipGridStateSave;
    QPushButton* m_resetGrid;
    QPushButton* m_resetPrefs;
};

// The folder to back the materials library up to, or to restore it from.
class CMatBackupDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CMatBackupDlg(bool backup, QWidget* parent = nullptr);

    // The chosen folder, set when the dialog is accepted.
    QString GetFolder() const { return m_folder; }
    CFileEditCtrl* FolderField() const { return m_field; }
    QPushButton* OkButton() const { return m_ok; }
    void accept() override;

private:
    QString m_folder;
    CFileEditCtrl* m_field;
    QPushButton* m_ok = nullptr;
};

// Edits a note; the subtitle line is hidden when empty.
class CNotesEditDlg : public QDialog
{
    Q_OBJECT
public:
    CNotesEditDlg(const QString& note, const QString& subtitle, QWidget* parent = nullptr);

    // The edited note after OK; the original text otherwise.
    QString GetNote() const { return m_note; }
    QPlainTextEdit* Editor() const { return m_editor; }
    QLabel* Subtitle() const { return m_subtitle; }
    void accept() override;

private:
    QString m_note;
    QPlainTextEdit* m_editor;
    QLabel* m_subtitle;
};
