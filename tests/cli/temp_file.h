#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace tavomerix {

// A file in the test's temporary directory, named after the running test so that tests
// run in parallel never share one, and removed at the end of the test.
class TempFile {
public:
    TempFile(const std::string& name, const std::string& contents) : path_(pathFor(name)) {
        std::ofstream(path_, std::ios::binary) << contents;
    }
    ~TempFile() { std::remove(path_.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return path_; }

private:
    static std::string pathFor(const std::string& name) {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        return testing::TempDir() + "tavomerix_" + test->test_suite_name() + "_" + test->name() +
               "_" + name;
    }
    std::string path_;
};

}  // namespace tavomerix
