#include "foundation/DocumentOpener.h"

#include <QDesktopServices>

#include <utility>

namespace {

DocumentOpener& Opener()
{
    static DocumentOpener opener;
    return opener;
}

} // namespace

bool OpenWithDesktop(const QUrl& url)
{
    return Opener() ? Opener()(url) : QDesktopServices::openUrl(url);
}

DocumentOpener SetDocumentOpener(DocumentOpener opener)
{
    return std::exchange(Opener(), std::move(opener));
}
