#pragma once
// The question asked before a modified project is closed or replaced.

#include <functional>

class IDocumentShell;

namespace platform {
class Document;
}

// True when the caller may go on (nothing to save, No, or a successful
// save); false keeps the document open (Cancel, a failed save, or no shell
// to ask). save runs the document's save and answers whether it succeeded.
bool AskToSaveChanges(const platform::Document& document, IDocumentShell* shell, const std::function<bool()>& save);
