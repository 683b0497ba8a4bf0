// The file system of the platform a portable program runs on: the POSIX
// layer natively, the Windows layer when cross-built (the command line, and
// the model tests run under Wine).
#pragma once

#ifdef _WIN32
#include "windows_file_system.h"
namespace tavo {
using NativeFileSystem = WindowsFileSystem;
}
#else
#include "posix_file_system.h"
namespace tavo {
using NativeFileSystem = PosixFileSystem;
}
#endif
