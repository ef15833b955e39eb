#pragma once
// The main view's commands that act on the whole program rather than on one
// page's grid: the undo and redo texts, the raw-materials backup and
// restore, the guides, the vendors, the layouts page's pin commands, Snap to
// Kerf, Large Screen and the reoptimization of unplaced parts. Each has its
// handler and its enable (and tick) rule on the frame's command actions.

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

class CKWLDoc;
class CKWLView;
class LayoutsViewMgr;
class ViewMgr;
class QWidget;

namespace platform {
class CommandActions;
}

class MainViewCommands : public QObject
{
    Q_OBJECT
public:
    // Registers the handlers and rules; lives as long as parent.
    MainViewCommands(platform::CommandActions& commands, CKWLView& view, CKWLDoc& document, QWidget* parent);

    void BackupMaterials();
    void RestoreMaterials();
    void OpenQuickStartGuide();
    void OpenUsersManual();
    // The quick-start invitation; the guide opens when the user chose OK.
    void ShowQuickStart();
    void EditVendors();
    void ToggleLargeScreen();

private:
    void Register(platform::CommandActions& commands);
    void RedrawTakeOffAndTree();
    LayoutsViewMgr* Layouts() const;
    bool OnLayoutsPage() const;
    // Opens a guide; a PDF that nothing can open gives the reader message.
    void OpenGuide(const QString& path);

    CKWLView& m_view;
    CKWLDoc& m_document;
    QWidget* m_parent;
};

// The undo and redo item texts as the menus show them: with the history's
// step name, and the part after the tab (none when there is no tab) as the
// shortcut text.
QString UndoItemText();
QString RedoItemText();

// The folder of the guides: the resource folder's "Manual/" (beside the
// program, else ../share/kwlsolo/). Tests point it elsewhere; empty restores.
void SetGuideFolder(const QString& folder);
QString GetGuideFolder();

// Opens a document with the desktop's program for it; false when none could
// (QDesktopServices::openUrl). Tests replace it.
using DocumentOpener = std::function<bool(const QUrl& url)>;
DocumentOpener SetDocumentOpener(DocumentOpener opener);
