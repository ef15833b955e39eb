// Installs the program's string service once for all printing tests, so that
// texts by id read as the program prints them.
#include "foundation/TCPResource.h"
#include "foundation/UIStringTable.h"
#include "model/ModelStrings.h"
#include "output/print/PrintStrings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PrintTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        // An empty language folder: no abbreviated-header overrides.
        InitUIStrings(m_languageFolder.path(),
            { FoundationStringResources(), ModelStringResources(), PrintStringResources() });
    }

private:
    QTemporaryDir m_languageFolder;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new PrintTestEnvironment);

} // namespace
