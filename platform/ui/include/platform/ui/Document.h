#pragma once
// A small document/view layer: one document with a path, a title, a
// modified flag and the views that show it. The program's document derives
// from it; views register themselves and are told of changes through
// UpdateAllViews.

#include <QString>

#include <functional>
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
    void ClearPathName();

    const QString& Title() const { return m_title; }
    void SetTitle(const QString& title);

    virtual bool IsModified() const { return m_modified; }
    virtual void SetModifiedFlag(bool modified = true);

    // Told after the path, the title or the modified flag changed (the
    // window title shows them).
    void SetStateObserver(std::function<void()> observer) { m_stateObserver = std::move(observer); }

    void AddView(DocView* view);
    void RemoveView(DocView* view);
    const std::vector<DocView*>& Views() const { return m_views; }
    // Tells every view but the sender.
    void UpdateAllViews(DocView* sender, long hint = 0, void* hintObject = nullptr);

    void SetRecentFileList(RecentFileList* recent) { m_recent = recent; }

private:
    void NotifyStateChanged();

    QString m_path;
    QString m_title;
    bool m_modified = false;
    std::vector<DocView*> m_views;
    RecentFileList* m_recent = nullptr;
    std::function<void()> m_stateObserver;
};

// The file name offered when an untitled document is first saved: the
// title cut at the first of " #%;/\" followed by the extension (".kwxe").
QString ProposedFileName(const QString& title, const QString& extension);

}  // namespace platform
