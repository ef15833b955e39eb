#pragma once

#include "foundation/ui/QZAlert.h"

// Asks before an edit that pinned layout diagrams would block: the first
// button unpins them ("Unpin Diagram(s)"), Cancel is the default and has the
// focus, and there is no "Don't remind me again". Accepted means the user
// agreed to have the diagrams unpinned.
class PinnedEditAlert : public QZAlert
{
    Q_OBJECT

public:
    // The message is the UI string of that id.
    explicit PinnedEditAlert(int messageId, QWidget* parent = nullptr);

protected:
    void OnInitDialog() override;
};
