#pragma once
// One QAction per command id, as the menus, the toolbar and the shortcuts
// share it: text, shortcut and status prompt, a handler, and a rule that
// says whether the command is enabled (or checked) now. One pass over the
// rules brings every action up to date.

#include <QAction>
#include <QKeySequence>
#include <QObject>
#include <QString>

#include <functional>
#include <map>

namespace platform {

class CommandActions : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<void()>;
    using Rule = std::function<bool()>;

    explicit CommandActions(QObject* parent = nullptr);

    // The action of the id, made on first use with the text ("&" marks the
    // mnemonic), the shortcut and the status prompt.
    QAction* Add(int id, const QString& text, const QKeySequence& shortcut = {}, const QString& prompt = {});
    QAction* Find(int id) const;

    // A command without a handler stays disabled.
    void SetHandler(int id, Handler handler);
    void SetEnabledRule(int id, Rule rule);
    void SetCheckedRule(int id, Rule rule);
    // The item's text now; a text holding a tab gives the menu text before
    // it and the shortcut after it.
    void SetTextRule(int id, std::function<QString()> rule);

    // Runs the command as its menu item would; false when it is disabled or has no handler.
    bool Trigger(int id);
    // Every rule, once.
    void UpdateActions();

private:
    struct Entry
    {
        QAction* action = nullptr;
        Handler handler;
        Rule enabled;
        Rule checked;
        std::function<QString()> text;
    };
    std::map<int, Entry> m_entries;
};

} // namespace platform
