#pragma once
#include <string_view>

// The text before the last backslash of a module path, scanned as a multibyte text so
// that a double-byte character's second byte is never taken for a backslash. Empty
// when there is no backslash.
std::string_view RunDirectoryOf(std::string_view modulePath, bool (*isLeadByte)(unsigned char));

// Lead bytes of code page 936.
bool IsCp936LeadByte(unsigned char byte);
