#include "skin/FileOperations.h"

#include <windows.h>

#include "app/Decimal.h"
#include "app/Text.h"
#include "app/framework/Handles.h"

bool EntryExists(const char* path) {
    WIN32_FIND_DATAA found;
    return static_cast<bool>(UniqueFind(FindFirstFileA(path, &found)));
}

namespace {

bool WriteAndClose(UniqueFile file, ByteBlockView block) {
    DWORD written = 0;
    bool complete = WriteFile(file.Get(), block.Data(), static_cast<DWORD>(block.Size()), &written, nullptr) &&
                    written == static_cast<DWORD>(block.Size());
    return CloseHandle(file.Release()) && complete;
}

} // namespace

bool WriteWholeFile(const char* path, ByteBlockView block) {
    if (!*path) return false;
    // A name of this process's own: two copies starting together never share the file.
    Decimal process(GetCurrentProcessId());
    Text temporary = ConcatTexts({path, ".", process.view(), ".part"});
    UniqueFile file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    if (!file) return false;
    if (WriteAndClose(std::move(file), block) && MoveFileA(temporary.c_str(), path)) return true;
    DeleteFileA(temporary.c_str());
    return false;
}

bool SetAttributes(const char* path, unsigned long attributes) { return SetFileAttributesA(path, attributes) != 0; }
