#include "shell/SmallDialogs.h"

#include "shell/ShellDialogs.h"
#include "shell/ShellStrings.h"
#include "shell/controls/CFileEditCtrl.h"

#include "foundation/CUserPrefs.h"
#include "foundation/FileNames.h"
#include "foundation/ResourceBase.h"
#include "foundation/UIStringTable.h"
#include "foundation/ui/HelpButton.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The text preference that remembers the backup folder.
constexpr int kPrefMaterialsBackup = 1012;

// OK and Cancel with the program's texts; Cancel is left out when hidden.
QDialogButtonBox* OkCancelButtons(QDialog* dialog, bool withCancel = true)
{
    auto* buttons = new QDialogButtonBox(dialog);
    buttons->addButton(LoadUIString(UIStringId::Ok), QDialogButtonBox::AcceptRole);
    if (withCancel)
        buttons->addButton(LoadUIString(UIStringId::Cancel), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

QuickStartDlg::QuickStartDlg(QWidget* parent)
    : QDialog(parent)
    , m_text(new QLabel(QStringLiteral("Get started fast with the two-page Quick Start Guide."), this))
{
    setWindowTitle(QStringLiteral("Quick Start"));
    QFont georgia(QStringLiteral("Georgia"));
    georgia.setPointSizeF(11);
    m_text->setFont(georgia);
    m_text->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(LoadUIString(UIStringId::Ok), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Read Later"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
}

CSupportTools::CSupportTools(std::function<void()> skipGridStateSave, QWidget* parent)
    : QDialog(parent)
    , m_skipGridStateSave(std::move(skipGridStateSave))
    , m_resetGrid(new QPushButton(LoadUIString(kStrResetGridStatus), this))
    , m_resetPrefs(new QPushButton(LoadUIString(kStrResetPreferences), this))
{
    setWindowTitle(LoadUIString(kStrSupportToolsTitle));
    auto* warning = new QLabel(LoadUIString(kStrSupportToolsWarning), this);
    warning->setWordWrap(true);
    connect(m_resetGrid, &QPushButton::clicked, this, &CSupportTools::ResetGridStatus);
    connect(m_resetPrefs, &QPushButton::clicked, this, &CSupportTools::ResetPreferences);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(warning);
    layout->addWidget(m_resetGrid);
    layout->addWidget(m_resetPrefs);
    layout->addWidget(OkCancelButtons(this, false));
}

void CSupportTools::ResetGridStatus()
{
    const QString path = GetCUserPrefs()->GetGridStateFilePath();
    QFile file(path);
    // Without a file there is nothing to delete, but the layout must still
    // not be written at exit, or the reset would never take effect.
    if (file.exists() && !file.remove()) {
        ShowShellMessage(
            QStringLiteral("%1 could not be deleted: %2").arg(DisplayFileName(path), file.errorString()),
            QMessageBox::Warning);
        return;
    }
    if (m_skipGridStateSave)
        m_skipGridStateSave();
}

void CSupportTools::ResetPreferences()
{
    // The next start writes the file anew with the defaults; nothing to report.
    GetCUserPrefs()->DeletePrefsFile();
}

CMatBackupDlg::CMatBackupDlg(bool backup, QWidget* parent)
    : QDialog(parent)
    , m_folder(GetUserPrefs()->GetString(kPrefMaterialsBackup))
    , m_field(new CFileEditCtrl(this))
{
    setWindowTitle(LoadUIString(backup ? kStrBackupTitle : kStrRestoreTitle));
    auto* prompt = new QLabel(LoadUIString(backup ? kStrBackupPrompt : kStrRestorePrompt), this);
    m_field->SetFlags(
        CFileEditCtrl::FolderMode | CFileEditCtrl::TrailingSeparator | CFileEditCtrl::ButtonTooltip);
    m_field->LoadText(m_folder);
    auto* buttons = OkCancelButtons(this);
    AddHelpButton(buttons);
    for (QAbstractButton* button : buttons->buttons())
        if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole) {
            m_ok = static_cast<QPushButton*>(button);
            m_ok->setText(LoadUIString(backup ? kStrSaveButton : kStrRestoreButton));
        }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_field);
    layout->addWidget(buttons);
    resize(360, 110);
}

void CMatBackupDlg::accept()
{
    // The dialog cannot close on a folder that does not exist.
    if (!m_field->Validate()) {
        m_field->setFocus();
        return;
    }
    m_folder = m_field->SavedText();
    QDialog::accept();
}

CNotesEditDlg::CNotesEditDlg(const QString& note, const QString& subtitle, QWidget* parent)
    : QDialog(parent)
    , m_note(note)
    , m_editor(new QPlainTextEdit(note, this))
    , m_subtitle(new QLabel(subtitle, this))
{
    setWindowTitle(LoadUIString(kStrNotesTitle));
    m_subtitle->setVisible(!subtitle.isEmpty());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_subtitle);
    layout->addWidget(m_editor);
    layout->addWidget(OkCancelButtons(this));
    resize(370, 190);
}

void CNotesEditDlg::accept()
{
    m_note = m_editor->toPlainText();
    QDialog::accept();
}
