#include "app/RunDirectory.h"

std::string_view RunDirectoryOf(std::string_view modulePath, bool (*isLeadByte)(unsigned char)) {
    std::size_t lastBackslash = std::string_view::npos;
    for (std::size_t i = 0; i < modulePath.size(); ++i) {
        if (modulePath[i] == '\\') {
            lastBackslash = i;
        } else if (isLeadByte(static_cast<unsigned char>(modulePath[i]))) {
            ++i; // the trail byte belongs to the character
        }
    }
    return lastBackslash == std::string_view::npos ? std::string_view() : modulePath.substr(0, lastBackslash);
}

bool IsCp936LeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
