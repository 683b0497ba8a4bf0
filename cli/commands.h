// tavocal: the model's command-line front end. Arguments and output are UTF-8.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tavo::cli {

// Runs one command; returns the exit status (0 ok, 2 usage or bad input).
int run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

}  // namespace tavo::cli
