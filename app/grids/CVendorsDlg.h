#pragma once
// Add, rename and delete the library's vendors; OK runs every change as one
// undo step, Cancel runs none.

#include "grids/CVendorGDM.h"

#include <QDialog>

#include <memory>

class CUGRowMode;
class QFont;
class QPushButton;

class CVendorsDlg : public QDialog
{
    Q_OBJECT
public:
    CVendorsDlg(MaterialsBase& library, const QFont* gridFont, QWidget* parent = nullptr);
    ~CVendorsDlg() override;

    CUGRowMode* GetGrid() const { return m_grid; }
    CVendorGDM& GetManager() { return *m_manager; }
    QPushButton* GetDeleteButton() const { return m_delete; }

    void accept() override;
    void reject() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Refresh();
    void OnDelete();

    QPushButton* m_delete;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPushButton* m_help;
    const QFont* m_gridFont;
    CUGRowMode* m_grid;
    QueuedCommands m_queued;
    std::unique_ptr<CVendorGDM> m_manager;
};
