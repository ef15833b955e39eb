// New, open, save and close of the project document, and its file.
#include "document/CKWLDoc.h"

#include "document/DocumentErrorRecord.h"
#include "document/DocumentStrings.h"
#include "document/IDocumentShell.h"
#include "document/ProjectFile.h"
#include "document/ProjectFileBytes.h"
#include "document/SaveModified.h"

#include "foundation/CmdHistory.h"
#include "foundation/CommandExecutionScope.h"
#include "foundation/DomainUpdateInfo.h"
#include "foundation/FileNames.h"
#include "foundation/FutureSchemaException.h"
#include "foundation/RealArchive.h"
#include "foundation/UserPrefsBase.h"
#include "model/CMilledPart.h"
#include "model/MaterialsBase.h"
#include "model/ModelStrings.h"
#include "model/SafeFileWrite.h"
#include "optimization/BOMOptMgr.h"

#include <platform/ArchiveError.h>
#include <platform/BinaryArchive.h>

#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::uint64_t kPartsAndResultsChanged = 0x800009;
constexpr int kPrefProRateCosts = 2026;
const QString kProjectExtension = QStringLiteral(".kwxe");

} // namespace

QByteArray CKWLDoc::StoreToBytes()
{
    std::ostringstream out;
    {
        auto archive = platform::BinaryArchive::storing(out, PathName().toStdString());
        RealArchive ar(archive, this);
        WriteProjectFile(ar, m_settings, m_parts, m_locked, *m_bom);
        archive.flush();
    }
    const std::string bytes = out.str();
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void CKWLDoc::LoadFromBytes(std::vector<std::uint8_t> bytes, const QString& path)
{
    auto archive = platform::BinaryArchive::loading(std::move(bytes), path.toStdString());
    RealArchive ar(archive, this);
    ProjectFileContents contents = ReadProjectFile(ar, *m_bom);

    // The whole file was read: the project takes it over.
    m_settings = contents.settings;
    std::vector<CMilledPart*> parts;
    for (auto& part : contents.parts)
        parts.push_back(part.release());
    TakeParts(std::move(parts));
    m_locked = contents.locked;
    MaterialsBase* library = GetMaterialsLibrary();
    if (m_locked) {
        // Results of a locked project are priced as they were saved.
        if (UserPrefsBase* prefs = GetUserPrefs())
            prefs->SetFlag(kPrefProRateCosts, contents.proRateCosts);
        if (library)
            library->SetLockedProjectFlag();
        m_bom->RefreshBOM();
        m_bom->RestoreTargetsAfterLoad(true);
    } else {
        // An unlocked project's results are computed again on demand: only
        // its pinned layouts come from the file.
        m_bom->ClearPinnedUsage();
        m_bom->RestoreTargetsAfterLoad(false);
        m_locked = 1;
        UnlockProject();
    }
    m_pending.AddChangeFlags(kPartsAndResultsChanged);
    SetModifiedFlag(false);
}

bool CKWLDoc::OnNewDocument()
{
    ClearPathName();
    SetModifiedFlag(false);
    ResetProject();
    if (m_initialized && m_shell && m_shell->IsMainViewInitialized()) {
        m_shell->RefreshPartsPage();
        UpdateAllViews(nullptr);
        m_shell->OnDocumentReset();
    }
    SetTitle(UiText(kStrUntitled));
    m_initialized = true;
    if (m_shell && m_shell->IsMainViewInitialized())
        m_shell->OnNewDocument();
    return true;
}

bool CKWLDoc::OnOpenDocument(const QString& path)
{
    TheDocumentErrorRecord().Reset();
    // The file comes off the disk first: one that cannot be read at all (no
    // such file, a pipe or a device, far too large, no memory for it) is
    // reported and the open project stays as it was.
    ProjectFileBytes file = ReadProjectFileBytes(path);
    if (file.outcome == ProjectFileBytes::Outcome::NotFound || file.outcome == ProjectFileBytes::Outcome::NotReadable) {
        const QString shown = DisplayFileName(path);
        TheDocumentErrorRecord().RecordFileError(file.outcome == ProjectFileBytes::Outcome::NotFound
                                                     ? UiText(kStrFileNotFound).arg(shown)
                                                     : UiText(kStrFileNotReadable).arg(shown, file.reason));
        DeliverDocumentError(m_shell);
        return false;
    }
    if (m_initialized && m_shell && m_shell->IsMainViewInitialized()) {
        m_shell->OnDocumentReset();
        UpdateAllViews(nullptr);
    }

    bool loaded = false;
    {
        CmdHistory* history = GetCmdHistory();
        const auto scope = history ? history->OpenUnrecordedScope(kPartsAndResultsChanged, UpdateMask::DetailAll,
                                                                  std::make_shared<DefaultUpdateInfo>())
                                   : nullptr;
        ResetProject();
        m_initialized = true;
        try {
            if (file.outcome != ProjectFileBytes::Outcome::Read)
                throw platform::ArchiveError(platform::ArchiveError::BadSchema, path.toStdString());
            LoadFromBytes(std::move(file.bytes), path);
            loaded = true;
        } catch (const FutureSchemaException& error) {
            TheDocumentErrorRecord().RecordNewerFile(error, QString());
        } catch (const std::exception&) {
            TheDocumentErrorRecord().RecordReadError();
        }
        if (!loaded) {
            // Nothing of a refused file stays: a later save must not write a
            // half-read project over it.
            ResetProject();
        }
    }
    if (!loaded) {
        ClearPathName();
        SetTitle(UiText(kStrUntitled));
        SetModifiedFlag(false);
        DeliverDocumentError(m_shell);
        return false;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    if (m_shell && m_shell->IsMainViewInitialized())
        m_shell->FitPartsGridColumns();
    // No run here: a locked project brought its results along, and an
    // unlocked one's are computed when a page or command first needs them,
    // so a large project opens at once; until then its parts show the
    // placeholder.
    return true;
}

bool CKWLDoc::OnSaveDocument(const QString& path, QString* error)
{
    if (m_shell)
        m_shell->OnBeforeSaveDocument();
    QByteArray bytes;
    try {
        bytes = StoreToBytes();
    } catch (const std::exception& failure) {
        if (error)
            *error = QString::fromLocal8Bit(failure.what());
        return false;
    }
    if (!WriteFileThroughTemporary(path, bytes, {}, error))
        return false;
    SetModifiedFlag(false);
    return true;
}

void CKWLDoc::OnCloseDocument()
{
    if (m_shell)
        m_shell->OnCloseDocument();
    ResetProject();
    if (m_shell) {
        m_shell->OnDocumentReset();
        UpdateAllViews(nullptr);
    }
}

bool CKWLDoc::DoSave(const QString& path, bool replace)
{
    QString target = path;
    if (target.isEmpty()) {
        target = PathName().isEmpty() ? platform::ProposedFileName(Title(), kProjectExtension) : PathName();
        if (!m_shell || !m_shell->PromptFileName(target, replace))
            return false;
    }
    QString error;
    if (!OnSaveDocument(target, &error)) {
        // The old file, when there was one, is untouched.
        if (m_shell)
            m_shell->ShowSaveError(error);
        return false;
    }
    if (replace)
        SetPathName(target);
    return true;
}

bool CKWLDoc::DoFileSave()
{
    // Asked of the system by the name's own bytes, so that a folder whose
    // name is not UTF-8 does not turn Save into Save As.
    const QByteArray name = EncodeFileName(PathName());
    struct stat status
    {
    };
    const bool exists = !name.isEmpty() && ::stat(name.constData(), &status) == 0;
    // A file without any write permission is read-only even to a user who
    // could write it anyway (the administrator): it asks for a new name.
    const bool readOnly = exists
        && (::access(name.constData(), W_OK) != 0 || !(status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)));
    const bool saveAs = !exists || readOnly;
    const bool saved = DoSave(saveAs ? QString() : PathName(), true);
    if (m_shell)
        m_shell->OnAfterSaveCommand();
    return saved;
}

bool CKWLDoc::SaveModified()
{
    return AskToSaveChanges(*this, m_shell, [this] { return DoFileSave(); });
}
