// A fixture for readers of a data folder on disk: a fresh folder beside a
// program path in it, default closed days and environment.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "calendar/calc/closed_days.h"
#include "calendar/data/month_grid.h"
#include "shared/native_file_system.h"
#include "shared/window_settings.h"
#include "temp_folder.h"

namespace tavo::test {

class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        initPathDefaults(paths, folder.path() + "\\Tavo.exe", "C:\\Windows");
        closed = std::make_unique<ClosedDays>();
        resetClosedDays(*closed);
        resetEnvironment(env, paths.programFolder);
    }
    DataSources sources() const { return {files, paths, *closed, env}; }

    TempFolder folder;
    NativeFileSystem files;
    PathSettings paths{};
    std::unique_ptr<ClosedDays> closed;
    EnvironmentSettings env{};
};

}  // namespace tavo::test
