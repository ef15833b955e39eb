#pragma once
// The vendors grid: edits working copies of the library's vendors and queues
// the vendor commands that the dialog runs on OK.

#include "grids/CGridDisplayManager.h"
#include "model/CVendor.h"

#include <QString>

#include <map>
#include <memory>
#include <vector>

class CommandBase;
class MaterialsBase;
class CVendorsDlg;

using VendorStorage = GDMStorageSP<CVendor>;
using VendorColumnInfo = CGridColumnInfo<CVendor, VendorStorage>;
using VendorList = std::vector<std::shared_ptr<CVendor>>;
using QueuedCommands = std::vector<std::shared_ptr<CommandBase>>;

class CColInfoVendorName : public VendorColumnInfo
{
public:
    static constexpr int kFieldId = 5;
    explicit CColInfoVendorName(void* context) : VendorColumnInfo(context) { }

    int GetFieldId() const override { return kFieldId; }
    std::unique_ptr<VendorColumnInfo> Clone() const override;
    QString GetHeadingText() const override;
    int Compare(Holder* a, Holder* b) const override;
    int FillCell(Holder* row, CUGCell* cell) override;
    int ParseText(Holder* pending, const QString& text, QWidget* editor, Holder* row) override;
};

// The base name, or the base name with " (n)" added, so that no other vendor
// of the list carries it (letter case ignored).
QString MakeUniqueVendorName(const VendorList& vendors, const CVendor* vendor, const QString& baseName);

class CVendorGDM : public CGridDisplayManager<CVendor, VendorStorage>
{
public:
    static constexpr int kDeleteVendorMenuId = 2000;
    static constexpr int kVendorsUpdateMask = 0x1000;
    using CGridDisplayManager::SortRows;

    // deleteButton: enabled while a row is selected; may be null.
    CVendorGDM(MaterialsBase& library, QueuedCommands& queued, QWidget* deleteButton);

    const VendorList& GetWorkingList() const { return m_working; }

    CVendor* GetRowItem(int row) override;
    Holder GetRowItemHolder(int row) override;
    int FindRow(const Holder& item) override;
    bool CanEditCell(int) override { return true; }
    int EndPendingRow() override;
    void SortRows(const Keys& keys, bool ascending) override;
    QString GetClipboardFormatName() override { return QString(); }
    void InsertNewRow(int row) override;
    void DeleteSelectedRows() override;
    int GetStoredRowCount() override { return static_cast<int>(m_working.size()); }
    int GetUpdateHintMask() const override { return kVendorsUpdateMask; }
    void OnCurrentRowChanged(int oldRow, int newRow) override;
    int OnMenuOpen(int column, int row, int section) override;
    void OnMenuItem(int column, int row, int section, int id) override;

    // Drops the row being typed and closes the editor.
    void AbandonRowEdit();
    void UpdateDeleteButton();

private:
    std::shared_ptr<CVendor> OriginOf(const std::shared_ptr<CVendor>& working) const;
    void GotoLastRow();

    VendorList m_working;
    std::map<const CVendor*, std::shared_ptr<CVendor>> m_origin;
    MaterialsBase& m_library;
    QueuedCommands& m_queued;
    QWidget* m_deleteButton;
};
