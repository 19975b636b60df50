#include "veltutil/framework/os_list.h"

COSList::~COSList() { erase_all(); }
