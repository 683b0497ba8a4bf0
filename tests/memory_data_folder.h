// A data folder in memory with the default closed days and environment: what
// a reader of the user's data needs, without a disk.
#pragma once

#include <memory>

#include "calendar/calc/closed_days.h"
#include "calendar/data/data_sources.h"
#include "calendar/data/path_settings.h"
#include "shared/memory_file_system.h"
#include "shared/window_settings.h"

namespace tavo::test {

struct MemoryDataFolder {
    MemoryDataFolder() {
        initPathDefaults(paths, "C:\\Tavo\\Tavo.exe", "C:\\Windows");
        resetClosedDays(*closed);
        resetEnvironment(env, paths.programFolder);
    }
    DataSources sources() const { return {files, paths, *closed, env}; }

    PathSettings paths{};
    std::unique_ptr<ClosedDays> closed = std::make_unique<ClosedDays>();
    EnvironmentSettings env{};
    MemoryFileSystem files;
};

}  // namespace tavo::test
