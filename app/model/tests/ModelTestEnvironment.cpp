// Installs the program's string service once for all model tests, so that
// texts by id read as the program shows them.
#include "foundation/TCPResource.h"
#include "foundation/UIStringTable.h"
#include "model/ModelStrings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ModelTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        // An empty language folder: no abbreviated-header overrides.
        InitUIStrings(m_languageFolder.path(), {FoundationStringResources(), ModelStringResources()});
    }

private:
    QTemporaryDir m_languageFolder;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ModelTestEnvironment);

} // namespace
