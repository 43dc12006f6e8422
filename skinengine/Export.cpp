// The library's one export and its entry point.
//
// int __stdcall SkinH_AttachRes(const void* skin, int size, const char* reserved,
//                               int reserved1, int reserved2, int reserved3)
//
// Reads the skin file of `size` bytes at `skin` (copied: the caller may free it on return)
// and from then on draws every standard window and control of the calling thread in it: the
// windows that exist now and every one created later. The text and the three integers are
// reserved; they are never read. A second call on the same thread puts another skin in
// place. Returns
//     0    the skin is attached
//   -1..-11 the bytes are not a readable skin (the SkinError of SkinFile.h, negated:
//          -1 no data, -2 too short, -3 too large, -4 wrong magic, -5 unknown version,
//          -6 length mismatch, -7 checksum, -8 bad record, -9 value out of range,
//          -10 duplicate field, -11 missing field); the windows stay as they were
//   -20  the window creation hook could not be installed
//   -21  the skin's brushes or font could not be made
//   -22  called from another thread than the first, successful call
//   -23  the size reaches past readable memory
#include "skinengine/Engine.h"

extern "C" int __stdcall SkinH_AttachRes(const void* skin, int size, const char*, int, int, int) {
    return skin::AttachSkin(skin, size);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        skin::SetEngineModule(instance);
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        skin::ReleaseEngine();
    }
    return TRUE;
}
