// The string tables the program hands to its string service at start-up:
// one id never stands for two texts, since the table handed later would
// silently win.
#include "shell/ProgramStringTables.h"

#include "foundation/TCPResource.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(ProgramStringTablesTest, NoIdShowsTwoDifferentTexts)
{
    const QTemporaryDir noOverrides;
    std::map<int, QString> seen;
    for (const std::span<const StringResource>& table : ProgramStringTables()) {
        EXPECT_FALSE(table.empty());
        // Each table read alone, as the service shows its texts.
        TCPResource alone(noOverrides.path(), { table });
        for (const StringResource& resource : table) {
            const QString text = alone.Text(resource.id);
            const auto [it, added] = seen.emplace(resource.id, text);
            EXPECT_TRUE(added || it->second == text)
                << "id " << resource.id << ": \"" << it->second.toStdString() << "\" and \"" << text.toStdString()
                << "\"";
        }
    }
}

} // namespace
