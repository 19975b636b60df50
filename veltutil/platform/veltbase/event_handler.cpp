#include "veltutil/platform/veltbase/event_handler.h"

CEventHandler::CEventHandler() = default;
CEventHandler::~CEventHandler() = default;
