#pragma once

// Everything the sibling library veltlibrary exports.
