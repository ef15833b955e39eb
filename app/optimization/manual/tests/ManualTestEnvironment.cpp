// Installs the program's string service once for all tests of the layout
// editing commands.
#include "ManualTestStrings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ManualTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { InstallManualTestStrings(m_languageFolder.path()); }

private:
    QTemporaryDir m_languageFolder;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ManualTestEnvironment);

} // namespace
