#include "links/OpenHyperlink.h"

#include <windows.h>
#include <shellapi.h>

#include "app/Text.h"
#include "app/framework/Handles.h"
#include "links/BrowserFallback.h"

namespace {

struct RegistryValue {
    char bytes[RegistryValueSize];
    std::string_view text;
};

// The default value of a key under HKEY_CLASSES_ROOT; false when it cannot be read.
bool ReadClassValue(const char* key, RegistryValue& value) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return false;
    UniqueKey owner(opened);
    DWORD length = sizeof value.bytes;
    if (RegQueryValueExA(opened, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value.bytes), &length) !=
        ERROR_SUCCESS)
        return false;
    value.text = RegistryValueText({value.bytes, length});
    return true;
}

int OpenWithWebBrowserCommand(std::string_view target, int showCommand) {
    RegistryValue pageClass, openCommand;
    if (!ReadClassValue(".htm", pageClass)) return 0;
    if (!ReadClassValue(OpenCommandKey(pageClass.text).c_str(), openCommand)) return 0;
    std::optional<CommandLine> commandLine = BrowserCommandLine(openCommand.text, target);
    if (!commandLine) return 0; // it would not fit: nothing is run
    return WinExec(commandLine->c_str(), static_cast<UINT>(showCommand)) > 32 ? 1 : 0;
}

} // namespace

int OpenHyperlinkTarget(const HyperlinkTarget& box, int showCommand) {
    const char* address = box.mail ? box.mailAddress : box.webAddress;
    if (!*address) return 0;
    Text target = box.mail ? ConcatTexts({"mailto:", address}) : Text::Copy(address);
    auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, showCommand));
    if (result > 32) return 1;
    return OpenWithWebBrowserCommand(target.view(), showCommand);
}
