#include "skin/SkinSetup.h"

#include <windows.h>

#include "app/RunTimeContext.h"
#include "app/Text.h"
#include "skin/EmbeddedData.h"
#include "skin/FileOperations.h"
#include "skin/LateBoundFunctions.h"

void EnsureSkinEngineFile() {
    Text path = ConcatTexts({RunDirectory(), "\\SkinH_EL.dll"});
    if (EntryExists(path.c_str())) return;
    WriteWholeFile(path.c_str(), ByteBlockView(SkinEngineImage));
    SetAttributes(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
}

void ApplyEmbeddedSkin(int n) {
    EnsureSkinEngineFile();
    // The engine gets a private, writable copy and takes what it needs during the call.
    ByteBlock copy = ByteBlock::CopyOf(SkinSetBlock(n));
    ByteBlockView skin = copy.View();
    CallLateBound(LateBound::SkinH_AttachRes, skin.Data(), skin.Size(), "", 0, 0, 0);
}
