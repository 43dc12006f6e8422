#include "skinengine/Engine.h"

#include <cstdint>
#include <initializer_list>

#include "skinengine/OffscreenPaint.h"

namespace skin {
namespace {

HINSTANCE module = nullptr;
SkinResources* current = nullptr;
DWORD attachedThread = 0;

void FreeResources(SkinResources* resources) {
    if (!resources) return;
    for (HGDIOBJ object :
         {static_cast<HGDIOBJ>(resources->faceBrush), static_cast<HGDIOBJ>(resources->listBrush),
          static_cast<HGDIOBJ>(resources->borderBrush), static_cast<HGDIOBJ>(resources->menuBrush),
          static_cast<HGDIOBJ>(resources->captionFont)})
        if (object) DeleteObject(object);
    HeapFree(GetProcessHeap(), 0, resources);
}

HFONT MakeCaptionFont(const Skin& skin) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    LOGFONTW font = {};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        font = metrics.lfCaptionFont;
    else
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    font.lfWeight = skin.captionBold ? FW_BOLD : FW_NORMAL;
    return CreateFontIndirectW(&font);
}

SkinResources* MakeResources(const Skin& skin) {
    auto* made = static_cast<SkinResources*>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(SkinResources)));
    if (!made) return nullptr;
    made->skin = skin;
    made->faceBrush = CreateSolidBrush(ToColorRef(Mix(skin.clientTop, skin.clientBottom, 0.5f)));
    made->listBrush = CreateSolidBrush(ToColorRef(skin.listBack));
    made->borderBrush = CreateSolidBrush(ToColorRef(skin.comboHoverBorder));
    made->menuBrush = CreateSolidBrush(ToColorRef(skin.menuBack));
    made->captionFont = MakeCaptionFont(skin);
    if (!made->faceBrush || !made->listBrush || !made->borderBrush || !made->menuBrush ||
        !made->captionFont) {
        FreeResources(made);
        return nullptr;
    }
    return made;
}

// Once windows run through our code the library must stay loaded until the process ends,
// whatever FreeLibrary calls follow.
void PinModule() {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&AttachSkin), &self);
}

// The whole buffer must be readable: a size that overstates it must not lead the reader
// past its end. Sizes the reader refuses unread need no look.
bool Readable(const void* data, int size) {
    if (!data || size <= 0 || static_cast<std::size_t>(size) > kSkinMaxSize) return true;
    constexpr DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                               PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    auto at = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t end = at + static_cast<std::uintptr_t>(size);
    if (end < at) return false;
    while (at < end) {
        MEMORY_BASIC_INFORMATION region;
        if (!VirtualQuery(reinterpret_cast<const void*>(at), &region, sizeof(region))) return false;
        if (region.State != MEM_COMMIT || !(region.Protect & readable) ||
            (region.Protect & PAGE_GUARD))
            return false;
        at = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
    }
    return true;
}

} // namespace

const SkinResources* CurrentSkin() {
    return current;
}
HINSTANCE EngineModule() {
    return module;
}
void SetEngineModule(HINSTANCE instance) {
    module = instance;
}

COLORREF ToColorRef(Rgb colour) {
    return RGB(colour.r, colour.g, colour.b);
}

int AttachSkin(const void* data, int size) {
    if (!Readable(data, size)) return -23;
    Skin skin;
    if (SkinError error = ReadSkin(data, size, skin); error != SkinError::None)
        return -static_cast<int>(error);
    if (attachedThread && attachedThread != GetCurrentThreadId()) return -22;
    SkinResources* made = MakeResources(skin);
    if (!made) return -21;
    if (!attachedThread) {
        if (!InstallCreationHook()) {
            FreeResources(made);
            return -20;
        }
        attachedThread = GetCurrentThreadId();
        PinModule();
    }
    SkinResources* previous = current;
    current = made;
    DressThreadWindows();
    FreeResources(previous);
    return 0;
}

void ReleaseEngine() {
    FreeResources(current);
    current = nullptr;
    OffscreenPaint::ReleaseShared();
}

} // namespace skin
