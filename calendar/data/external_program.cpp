#include "external_program.h"

namespace tavo {
namespace {

bool hasBlank(std::string_view text) { return text.find(' ') != std::string_view::npos; }

std::string quoted(std::string_view text) { return std::string("\"").append(text).append("\""); }

}  // namespace

std::string externalCommandLine(std::string_view command, std::string_view file, bool commandIsAFile) {
    const bool quoteCommand = commandIsAFile && hasBlank(command) && !command.starts_with('"');
    std::string line = quoteCommand ? quoted(command) : std::string(command);
    line += ' ';
    line += hasBlank(file) ? quoted(file) : std::string(file);
    return line;
}

std::string helpPagePath(std::string_view programFolder, std::string_view page) {
    std::string path(programFolder);
    if (!path.empty() && path.back() != '\\') path += '\\';
    return path.append("help\\").append(page);
}

}  // namespace tavo
