#pragma once
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "app/Text.h"

// When the shell cannot open a link, the browser registered for ".htm" pages is started
// with the target on its command line. These are the platform-free steps of that.

// Each registry value is read into a buffer of this many bytes.
inline constexpr std::size_t RegistryValueSize = 260;

// A value as RegQueryValueExA leaves it: ending at its first zero byte or at its read
// length, whichever comes first (a value need not be stored with its terminator).
std::string_view RegistryValueText(std::span<const char> value);

// "<class>\shell\open\command": the key that holds the command opening pages of a class.
Text OpenCommandKey(std::string_view pageClass);

// The command line that the fallback runs, terminator included, in a buffer of its own.
class CommandLine {
  public:
    static constexpr std::size_t Capacity = 1024;

    const char* c_str() const { return bytes_; }
    std::string_view view() const { return {bytes_, length_}; }

  private:
    friend std::optional<CommandLine> BrowserCommandLine(std::string_view, std::string_view);
    char bytes_[Capacity] = {};
    std::size_t length_ = 0;
};

// The open command cut off at its first "%1" in double quotes (at the opening quote), else
// at its first %1, else whole; then a space and the target. Empty when that does not fit
// a CommandLine: the fallback then starts nothing.
std::optional<CommandLine> BrowserCommandLine(std::string_view openCommand,
                                              std::string_view target);
