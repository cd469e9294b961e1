// Direct-link tests that run the plug-in's own code against the recording
// tool folder, with a temporary folder of their own and the host's writes
// captured.
#pragma once
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include "tests/support/test_support.h"

class RecordedToolsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string dir;  // the test's folder
    std::string tmp;  // the plug-in's temporary folder, with its trailing slash
    std::unique_ptr<qt::ToolRecorder> rec;

private:
    std::unique_ptr<std::string> savedTmpDir;
};
