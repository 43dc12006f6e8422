#include "app/OnMainWindowCreated.h"

void OnMainWindowCreated() {}
