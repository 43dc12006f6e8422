#include "skin/LateBinding.h"

namespace {

BoundFunction Resolve(LibraryLoader& loader, LibraryLoader::Module module, const char* function) {
    if (!module) return {};
    if (LibraryLoader::Address address = loader.Find(module, function)) return {module, address};
    loader.Free(module);
    return {};
}

LibraryLoader::Module LoadNamed(LibraryLoader& loader, std::string_view runDirectory, std::string_view library) {
    Text bare = Text::Copy(library);
    if (library.find(':') != std::string_view::npos) return loader.Load(bare.c_str());
    Text beside = ConcatTexts({runDirectory, "\\", library});
    if (LibraryLoader::Module module = loader.Load(beside.c_str())) return module;
    return loader.Load(bare.c_str());
}

} // namespace

BoundFunction BindFunction(LibraryLoader& loader, std::string_view runDirectory, std::string_view library,
                           const char* function) {
    if (!library.empty()) return Resolve(loader, LoadNamed(loader, runDirectory, library), function);
    for (const char* system : SystemLibraries) {
        BoundFunction bound = Resolve(loader, loader.Load(system), function);
        if (bound.address) return bound;
    }
    return {};
}

Text BindingFailureMessage(std::string_view library, std::string_view function) {
    if (library.empty()) return ConcatTexts({"无法找到指定DLL库文件中的输出命令“", function, "”"});
    return ConcatTexts({"无法找到指定DLL库文件“", library, "”中的输出命令“", function, "”"});
}
