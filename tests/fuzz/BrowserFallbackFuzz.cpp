// Registry values and link targets are outside the program's hands: whatever they hold,
// the fallback's command line must stay inside its buffer, terminated, and be the open
// command cut at its placeholder followed by a space and the target, or not be made at all.
//
// An input is: the lengths of the class value and of the command value, two bytes each
// (little-endian, taken modulo 261), then those two values, then the target.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "links/BrowserFallback.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

class Input {
  public:
    explicit Input(std::span<const char> bytes) : bytes_(bytes) {}

    std::size_t TakeLength() {
        std::span<const char> two = Take(2);
        std::size_t length = 0;
        for (std::size_t i = 0; i < two.size(); ++i)
            length |= static_cast<std::size_t>(static_cast<unsigned char>(two[i])) << (8 * i);
        return length % (RegistryValueSize + 1);
    }
    std::span<const char> Take(std::size_t count) {
        std::span<const char> taken = bytes_.first(std::min(count, bytes_.size()));
        bytes_ = bytes_.subspan(taken.size());
        return taken;
    }
    std::span<const char> Rest() { return Take(bytes_.size()); }

  private:
    std::span<const char> bytes_;
};

// A value as read into its registry buffer: it ends at its first zero or with the buffer.
std::string_view CheckedValueText(std::span<const char> value) {
    std::string_view text = RegistryValueText(value);
    Require(text.data() == value.data() && text.size() <= value.size());
    Require(text.find('\0') == std::string_view::npos);
    Require(text.size() == value.size() || value[text.size()] == '\0');
    return text;
}

// Where the open command is cut: at its first quoted placeholder, else at its first bare
// one, else at its end.
std::size_t Cut(std::string_view command) {
    std::size_t quoted = command.find("\"%1\"");
    return quoted != std::string_view::npos ? quoted : std::min(command.find("%1"), command.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input({reinterpret_cast<const char*>(data), size});
    std::size_t classLength = input.TakeLength();
    std::size_t commandLength = input.TakeLength();
    std::string_view pageClass = CheckedValueText(input.Take(classLength));
    std::string_view command = CheckedValueText(input.Take(commandLength));
    std::span<const char> rest = input.Rest();
    std::string_view target(rest.data(), rest.size());

    Require(OpenCommandKey(pageClass).view() == std::string(pageClass) + "\\shell\\open\\command");

    std::optional<CommandLine> line = BrowserCommandLine(command, target);
    std::string_view program = command.substr(0, Cut(command));
    std::size_t length = program.size() + 1 + target.size();
    Require(line.has_value() == (length < CommandLine::Capacity));
    if (!line) return 0;
    std::string_view made = line->view();
    Require(made.size() == length && line->c_str()[length] == '\0');
    Require(made.substr(0, program.size()) == program);
    Require(made.substr(program.size()) == " " + std::string(target));
    return 0;
}
