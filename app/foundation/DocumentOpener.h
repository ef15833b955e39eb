#pragma once
// Opens a document (a guide, the help) with the desktop's program for it.
// Tests put their own opener in its place, so that nothing starts outside
// the test.

#include <QUrl>

#include <functional>

// False when nothing could open the document (QDesktopServices::openUrl).
bool OpenWithDesktop(const QUrl& url);

using DocumentOpener = std::function<bool(const QUrl& url)>;
// Replaces the opener; an empty one restores the desktop's. Answers the
// previous opener.
DocumentOpener SetDocumentOpener(DocumentOpener opener);
