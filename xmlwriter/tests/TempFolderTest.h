#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace qzXml::test {

// A fixture with a fresh folder per test, removed afterwards.
class TempFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/qzxml-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::filesystem::path m_dir;
};

} // namespace qzXml::test
