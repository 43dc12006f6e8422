#include "skin/CheckedCall.h"

#include "app/FatalError.h"

void checked_call_detail::ReportUnbalancedStack() { ReportFatalError("调用DLL命令后发现堆栈错误", 6); }
