#include "links/BrowserFallback.h"

#include <algorithm>

namespace {

// What comes before the place where the browser wants the page.
std::string_view ProgramPart(std::string_view openCommand) {
    std::size_t placeholder = openCommand.find("\"%1\"");
    if (placeholder == std::string_view::npos) placeholder = openCommand.find("%1");
    return openCommand.substr(0, placeholder);
}

} // namespace

std::string_view RegistryValueText(std::span<const char> value) {
    std::string_view bytes(value.data(), value.size());
    return bytes.substr(0, bytes.find('\0'));
}

Text OpenCommandKey(std::string_view pageClass) {
    return ConcatTexts({pageClass, "\\shell\\open\\command"});
}

std::optional<CommandLine> BrowserCommandLine(std::string_view openCommand,
                                              std::string_view target) {
    std::string_view program = ProgramPart(openCommand);
    constexpr std::size_t room = CommandLine::Capacity - 1; // the terminator's byte aside
    if (program.size() >= room || target.size() > room - program.size() - 1) return std::nullopt;
    CommandLine line;
    char* end = std::copy(program.begin(), program.end(), line.bytes_);
    *end++ = ' ';
    end = std::copy(target.begin(), target.end(), end);
    *end = '\0';
    line.length_ = static_cast<std::size_t>(end - line.bytes_);
    return line;
}
