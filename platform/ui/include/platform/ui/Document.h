#pragma once
// A small document/view layer: one document with a path, a title, a
// modified flag and the views that show it. The program's document derives
// from it; views register themselves and are told of changes through
// UpdateAllViews.

#include <QString>

#include <vector>

namespace platform {

class RecentFileList;

class DocView {
public:
    virtual ~DocView() = default;
    // hint and hintObject are the sender's own codes; nullptr when none.
    virtual void OnDocUpdate(DocView* sender, long hint, void* hintObject) = 0;
};

class Document {
public:
    Document() = default;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;
    virtual ~Document() = default;

    const QString& PathName() const { return m_path; }
    // Sets the path and the title (the file's name); a non-empty path is
    // added to the recent-file list when one is attached and addToRecent.
    void SetPathName(const QString& path, bool addToRecent = true);
    // Forgets the path (an untitled document); the title stays.
    void ClearPathName() { m_path.clear(); }

    const QString& Title() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }

    virtual bool IsModified() const { return m_modified; }
    virtual void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    void AddView(DocView* view);
    void RemoveView(DocView* view);
    const std::vector<DocView*>& Views() const { return m_views; }
    // Tells every view but the sender.
    void UpdateAllViews(DocView* sender, long hint = 0, void* hintObject = nullptr);

    void SetRecentFileList(RecentFileList* recent) { m_recent = recent; }

private:
    QString m_path;
    QString m_title;
    bool m_modified = false;
    std::vector<DocView*> m_views;
    RecentFileList* m_recent = nullptr;
};

// The file name offered when an untitled document is first saved: the
// title cut at the first of " #%;/\" followed by the extension (".kwxe").
QString ProposedFileName(const QString& title, const QString& extension);

}  // namespace platform
