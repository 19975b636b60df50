// The library's load and unload entry. The static objects that the library exports or shares
// are all defined here, in one translation unit, so that they are built in the order written
// when the library is loaded and destroyed in the reverse order when it is unloaded.

#include "veltutil/framework/registered_events.h"
#include "veltutil/grapher/internal/diagram.h"
#include "veltutil/properties/variant.h"
#include "veltutil/properties/internal/variant_shared.h"

CEventHandler EventGuiFECreated;
CEventHandler EventRetrieveGuiFE;

namespace veltutil::detail {

namespace {
const DiagramTexts diagramTexts;
OrvVariant sharedEmptyVariant;
}  // namespace

const DiagramTexts& GetDiagramTexts() { return diagramTexts; }
OrvVariant& SharedEmptyVariant() { return sharedEmptyVariant; }

}  // namespace veltutil::detail
