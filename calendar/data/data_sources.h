// Everything a reader of the user's data needs: the files, where they are,
// the closed days and the switches that select what is read.
#pragma once

#include "path_settings.h"

namespace tavo {

class FileSystem;
struct ClosedDays;
struct EnvironmentSettings;
struct Subscriptions;

struct DataSources {
    const FileSystem& files;
    const PathSettings& paths;
    const ClosedDays& closedDays;
    const EnvironmentSettings& env;
    const Subscriptions* subscriptions = nullptr;  // calendars subscribed to, shown beside the user's data
};

}  // namespace tavo
