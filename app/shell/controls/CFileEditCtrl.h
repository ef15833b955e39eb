#pragma once

#include <QLineEdit>
#include <QStringList>

class QAction;

// An edit box for a file name, a list of file names or a folder, with a browse
// button inside its frame. The button, Ctrl with ".", or files dropped on the
// box fill it in. Symbolic links stand for the shortcut files of other
// systems: they are replaced by their targets unless NoDereferenceLinks is set.
class CFileEditCtrl : public QLineEdit
{
    Q_OBJECT

public:
    enum Flag : quint32 {
        FileMode = 0x1, // the button opens the file dialog
        MultiSelect = 0x2, // several files may be chosen
        FolderMode = 0x4, // the button opens the folder browser
        TrailingSeparator = 0x8, // folder mode: folders end in "/"
        ButtonLeft = 0x10,
        ButtonTooltip = 0x20, // "Browse"
        ExpandWildcards = 0x80, // names with "*" or "?" become the matching files
        NoDereferenceLinks = 0x100,
    };

    explicit CFileEditCtrl(QWidget* parent = nullptr);

    // False, and nothing changed, for flags with both or neither of FileMode
    // and FolderMode.
    bool SetFlags(quint32 flags);
    quint32 GetFlags() const { return m_flags; }

    // The paths of the text, each a full path (see the class comment).
    QStringList GetPaths() const;
    // Iteration over GetPaths(): -1 when there is none.
    int GetStartPosition() const;
    // The path at position, which moves to the next one (-1 after the last).
    QString GetNextPathName(int& position) const;

    // Data exchange: loading sets the text; saving answers the first path, or
    // empty.
    void LoadText(const QString& text);
    QString SavedText() const;
    // True when the box is disabled or every path passes; otherwise shows the
    // first failure's message and answers false.
    bool Validate() const;

    // Opens the browser for the mode, as the button does.
    void Browse();
    QAction* BrowseAction() const { return m_browse; }
    // Files dropped on the box: one unless several may be chosen, links
    // resolved in file mode, later names relative to the first one's folder.
    void DropFiles(QStringList files);

Q_SIGNALS:
    // Before browsing; setting cancel stops the browse.
    void browseStarting(bool* cancel);
    // After a browse that changed the text.
    void browsed();

protected:
    // The two browsers; tests replace them. Empty answers mean cancel.
    virtual QString RunFolderDialog(const QString& startFolder);
    virtual QStringList RunFileDialog(const QString& folder, const QString& name);

    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool IsFolderMode() const { return (m_flags & FolderMode) != 0; }
    QString FolderText(const QString& path) const;
    QString ResolveLink(const QString& path) const;
    void AddEntry(const QString& entry, const QString& baseFolder, QStringList& paths) const;
    void PlaceButton();

    quint32 m_flags = 0;
    QAction* m_browse;
};
