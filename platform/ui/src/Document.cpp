#include "platform/ui/Document.h"

#include "platform/ui/RecentFileList.h"

#include <QFileInfo>

#include <algorithm>

namespace platform {

void Document::SetPathName(const QString& path, bool addToRecent)
{
    m_path = path;
    m_title = QFileInfo(path).fileName();
    if (addToRecent && m_recent && !path.isEmpty()) {
        m_recent->Add(path);
        m_recent->Save();
    }
    NotifyStateChanged();
}

void Document::ClearPathName()
{
    m_path.clear();
    NotifyStateChanged();
}

void Document::SetTitle(const QString& title)
{
    if (title == m_title)
        return;
    m_title = title;
    NotifyStateChanged();
}

void Document::SetModifiedFlag(bool modified)
{
    if (modified == m_modified)
        return;
    m_modified = modified;
    NotifyStateChanged();
}

void Document::NotifyStateChanged()
{
    if (m_stateObserver)
        m_stateObserver();
}

void Document::AddView(DocView* view)
{
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void Document::RemoveView(DocView* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void Document::UpdateAllViews(DocView* sender, long hint, void* hintObject)
{
    // A view may unregister while being told; walk a copy.
    const std::vector<DocView*> views = m_views;
    for (DocView* view : views) {
        if (view != sender)
            view->OnDocUpdate(sender, hint, hintObject);
    }
}

QString ProposedFileName(const QString& title, const QString& extension)
{
    static const QString cutAt = QStringLiteral(" #%;/\\");
    qsizetype end = title.size();
    for (qsizetype i = 0; i < title.size(); ++i) {
        if (cutAt.contains(title.at(i))) {
            end = i;
            break;
        }
    }
    return title.left(end) + extension;
}

}  // namespace platform
