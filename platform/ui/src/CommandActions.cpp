#include "platform/ui/CommandActions.h"

namespace platform {

CommandActions::CommandActions(QObject* parent)
    : QObject(parent)
{ }

QAction* CommandActions::Add(int id, const QString& text, const QKeySequence& shortcut, const QString& prompt)
{
    Entry& entry = m_entries[id];
    if (!entry.action) {
        entry.action = new QAction(text, this);
        entry.action->setData(id);
        entry.action->setEnabled(false);
        connect(entry.action, &QAction::triggered, this, [this, id] {
            const auto found = m_entries.find(id);
            if (found != m_entries.end() && found->second.handler)
                found->second.handler();
        });
    }
    entry.action->setText(text);
    if (!shortcut.isEmpty())
        entry.action->setShortcut(shortcut);
    if (!prompt.isEmpty()) {
        entry.action->setStatusTip(prompt);
        entry.action->setToolTip(QString(text).remove(QLatin1Char('&')));
    }
    return entry.action;
}

QAction* CommandActions::Find(int id) const
{
    const auto found = m_entries.find(id);
    return found == m_entries.end() ? nullptr : found->second.action;
}

void CommandActions::SetHandler(int id, Handler handler)
{
    m_entries[id].handler = std::move(handler);
}

void CommandActions::SetEnabledRule(int id, Rule rule)
{
    m_entries[id].enabled = std::move(rule);
}

void CommandActions::SetCheckedRule(int id, Rule rule)
{
    Entry& entry = m_entries[id];
    entry.checked = std::move(rule);
    if (entry.action)
        entry.action->setCheckable(true);
}

void CommandActions::SetTextRule(int id, std::function<QString()> rule)
{
    m_entries[id].text = std::move(rule);
}

bool CommandActions::Trigger(int id)
{
    UpdateActions();
    QAction* action = Find(id);
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}

void CommandActions::UpdateActions()
{
    for (auto& [id, entry] : m_entries) {
        if (!entry.action)
            continue;
        entry.action->setEnabled(entry.handler && (!entry.enabled || entry.enabled()));
        if (entry.checked)
            entry.action->setChecked(entry.checked());
        if (entry.text) {
            const QString text = entry.text();
            const qsizetype tab = text.indexOf(QLatin1Char('\t'));
            entry.action->setText(tab < 0 ? text : text.left(tab));
            if (tab >= 0)
                entry.action->setShortcut(QKeySequence(text.mid(tab + 1)));
        }
    }
}

} // namespace platform
