#include "veltutil/grapher/grapher_font.h"

#include "veltutil/platform/host/win_types.h"

long CGrapherFont::Set(int newFirst, int newSecond, const char* newFaceName) {
    first = newFirst;
    if (newSecond != -1) second = newSecond;
    if (newFaceName != nullptr) faceName = newFaceName;
    return S_OK;
}
