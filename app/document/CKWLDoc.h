#pragma once
// The one project of the program: its settings, its parts list, the lock
// flag and the bill-of-materials and optimization manager. New, open, save
// and close run here; every edit reaches the project through the IDoc
// operations, and the views hear of it through the pending update.

#include "foundation/UpdateHint.h"
#include "foundation/UpdateMasks.h"
#include "model/IPartsDoc.h"
#include "model/ProjectSettings.h"
#include "optimization/IOptimizationDoc.h"
#include "optimization/RunStartLatch.h"

#include <platform/ui/Document.h>

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class BOMOptMgr;
class CMilledPart;
class IDocumentShell;
class PinnedUsage;
class SheetGoodsBOM;

class CKWLDoc : public QObject, public platform::Document, public IOptimizationDoc, public IPartsDoc
{
    Q_OBJECT
public:
    CKWLDoc();
    ~CKWLDoc() override;

    // The window layers; null in tests and before the main window exists.
    void SetShell(IDocumentShell* shell) { m_shell = shell; }
    IDocumentShell* GetShell() const { return m_shell; }

    // --- the command history's view (IDoc)
    bool IsProjectLocked() const override { return m_locked != 0; }
    // Sends the pending update to every view, then starts a new one: the
    // masks back to their defaults, row hints dropped.
    void FlushPendingUpdate() override;
    void AddPendingUpdate(const UpdateHint& hint) override;
    void FreezeOrUnlock(std::shared_ptr<DomainUpdateInfo> info) override;
    void UpdateMaterialInBOM(std::shared_ptr<DomainUpdateInfo> info) override;
    void RefreshBOM() override;
    bool SyncMaterialsLibrary() override;

    // --- settings
    const ProjectSettings& GetProjectSettings() const override { return m_settings; }
    void SetProjectSettings(const ProjectSettings& settings) override;
    void SetOptimizationSettings(const OptimizationSettings& settings) override;
    QString GetProjectNotes() const;

    // --- the optimization run's view
    OptimizationJobList& GetOptimizationJobs() override { return m_jobs; }
    optimization::OptProgressDlgBase* GetProgressDialog() const override { return m_progress; }
    std::shared_ptr<BOMOptMgr> GetBOMOptMgr() const override { return m_bom; }
    bool IsFullyOptimized() const override;
    const std::vector<CMilledPart*>& GetPartList() const override { return m_parts; }
    bool HasUnplacedCopies() const override;

    // --- the parts list (numbers follow list positions)
    const std::vector<CMilledPart*>& GetPartsContainer() const override { return m_parts; }
    // Every part with copies neither the optimizer nor the user placed.
    const std::vector<CMilledPart*>& GetSkippedParts();
    void RebuildSkippedParts();
    // The part leaves the list but is not deleted: the calling command keeps it.
    void RemovePart(CMilledPart* part) override;
    // The document takes the part over.
    void InsertPart(CMilledPart* part, int index) override;
    void AppendPart(CMilledPart* part) override;
    void InsertParts(std::vector<std::pair<CMilledPart*, int>> parts) override;
    // The part takes the values; the manager re-targets it when its
    // optimization data changed.
    void UpdatePart(CMilledPart* part, const CMilledPart& values) override;
    // explicitNumbers: each listed part takes its number; otherwise all parts
    // are numbered 1..n in list order.
    void RenumberParts(
        const std::vector<std::pair<CMilledPart*, int>>& numbers, bool explicitNumbers) override;
    void ReorderParts(const std::vector<CMilledPart*>& order) override;
    void SetDraggedOffCopies(CMilledPart* part, std::uint32_t count) override;
    bool IsMaterialPinned(const IOptimizableMaterial* material) const override;

    // --- results
    std::shared_ptr<SheetGoodsBOM> GetSheetGoodsBOM() const;
    const PinnedUsage& GetPinnedUsage() const;
    bool QueryMaterialBOMs(bool firstCopyOnly) const;
    void UpdateMaterialBOMs(bool apply, bool value);
    void NotifyAllChanged();
    void SetModified() { SetModifiedFlag(true); }
    bool HasPathOrChanges() const { return IsModified() || !PathName().isEmpty(); }

    // --- the optimization run: the only entry; mode 0 asks for no run.
    // True when results are ready, false when the user cancelled or a job
    // failed. Runs behind the modal progress dialog; while it runs
    // GetProgressDialog() is set, and nothing that paints should read the
    // parts or results (the jobs write them).
    bool Optimize(int mode);

    // --- the lock: the current layouts frozen, or recomputed on demand
    // False when the optimization locking needs was cancelled.
    bool LockProject();
    void UnlockProject();

    // --- new, open, save, close
    bool OnNewDocument();
    // False when the file could not be read: the document is then untitled,
    // empty and unmodified, the file untouched, and the error reported.
    bool OnOpenDocument(const QString& path);
    // Writes the project through a temporary file beside the target.
    bool OnSaveDocument(const QString& path, QString* error = nullptr);
    void OnCloseDocument();
    // Save as when path is empty (asking for a name); replace: the document
    // takes the new path.
    bool DoSave(const QString& path, bool replace);
    // Save; a read-only or missing file becomes save as.
    bool DoFileSave();
    // Asks before a modified project is closed or replaced; false keeps it.
    bool SaveModified();

    // The whole project file as bytes, and the project read from them
    // (exceptions of the archive on damage; the document is then as before).
    QByteArray StoreToBytes();
    void LoadFromBytes(std::vector<std::uint8_t> bytes, const QString& path);

private:
    void ResetProject();
    void TakeParts(std::vector<CMilledPart*> parts);
    void DeleteParts();
    void RenumberFromPositions();

    ProjectSettings m_settings;
    std::vector<CMilledPart*> m_parts; // owned
    std::vector<CMilledPart*> m_skipped;
    std::int32_t m_locked = 0;
    // One manager for the document's life: the views hold it and its bill.
    const std::shared_ptr<BOMOptMgr> m_bom;
    bool m_initialized = false;
    UpdateHint m_pending {UpdateMask::ChangeDefault, UpdateMask::DetailAll};
    OptimizationJobList m_jobs;
    optimization::OptProgressDlgBase* m_progress = nullptr;
    RunStartLatch m_start;
    IDocumentShell* m_shell = nullptr;
};
