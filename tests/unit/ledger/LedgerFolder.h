#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace orvane::test {

// A fresh folder per test for ledger files, removed afterwards.
class LedgerFolder : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::random_device random;
        m_folder = std::filesystem::temp_directory_path() /
                   (std::string("orvane-ledger-") + info->name() + "-" + std::to_string(random()));
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    std::string pathOf(const std::string& name) const { return (m_folder / name).string(); }

    std::filesystem::path m_folder;
};

}  // namespace orvane::test
