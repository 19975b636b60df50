#include "veltutil/grapher/grapher_source.h"

CGrapherSource::CGrapherSource(const char* name) : CEventSource(name, "CGrapher") {}

CGrapherSource::~CGrapherSource() = default;

// Harmless defaults until the grapher client is completed.
long CGrapherSource::Show(int) { return S_FALSE; }
long CGrapherSource::GetShown(int*) { return S_FALSE; }
long CGrapherSource::ClearAllPages(CString*) { return S_FALSE; }
