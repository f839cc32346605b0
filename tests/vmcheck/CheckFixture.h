#pragma once
// Layouts written into a folder of their own and checked as vmcheck checks
// them, with the estimated or the platform's text measures.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "LayoutCheck.h"
#include "TextMeasure.h"
#include "base/FileSystem.h"
#include "base/RegionalFormats.h"

namespace vemra {

class CheckFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() / "vmcheck-tests" /
              (std::string(test->test_suite_name()) + "-" + test->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(folder_ / name, std::ios::binary);
    out << bytes;
  }

  // Writes `front` (records joined by line breaks) as card.cpb and checks it.
  CheckResult Check(const std::string& front, const std::string& fieldsFile = "") {
    Write("card.cpb", front);
    return CheckLayout({Path("card.cpb"), "", fieldsFile}, {*files, formats, *measure, bindHooks});
  }

  std::unique_ptr<FileSystem> files = MakePortableFileSystem();
  SwedishFormats formats;
  std::unique_ptr<TextMeasure> measure = MakeEstimatingMeasure();
  std::function<void(RenderEnvironment&)> bindHooks;

 private:
  std::filesystem::path folder_;
};

}  // namespace vemra
