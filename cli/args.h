// Command-line parsing for tavocal: positional words plus --name value options.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "shared/clock.h"

namespace tavo::cli {

struct Args {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;  // "--today" -> "2026-12-07"
    std::vector<std::string> flags;               // options without a value
};

// Options listed in valueOptions take the next word as their value; those in
// flagOptions take none; any other "--word" is an error. Returns an error
// text, or an empty string.
std::string parseArgs(const std::vector<std::string>& words, const std::vector<std::string>& valueOptions,
                      const std::vector<std::string>& flagOptions, Args& args);

// Strict YYYY-MM-DD inside 1582-10-15 .. 9999-12-31.
std::optional<LocalDate> parseIsoDate(const std::string& text);
// A whole decimal number within [low, high].
std::optional<int> parseNumber(const std::string& text, int low, int high);

std::string formatIsoDate(int year, int month, int day);

}  // namespace tavo::cli
