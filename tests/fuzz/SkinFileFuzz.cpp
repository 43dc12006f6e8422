// Fuzz target for the skin file reader: any bytes, any length, must give a result, never a
// read outside the buffer.
#include <cstddef>
#include <cstdint>

#include "skinengine/SkinFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    skin::Skin skin;
    const skin::SkinError error = skin::ReadSkin(data, static_cast<std::ptrdiff_t>(size), skin);
    // A skin that reads has a printable name within its bounds.
    if (error == skin::SkinError::None && skin.name[skin::kSkinNameMax] != '\0') __builtin_trap();
    return 0;
}
