#pragma once

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qzXml::test {

// A fixture with a fresh folder per test, removed afterwards.
class TempFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = kwl::testing::MakeTempFolder("qzxml");
        ASSERT_FALSE(m_dir.empty());
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::filesystem::path m_dir;
};

} // namespace qzXml::test
