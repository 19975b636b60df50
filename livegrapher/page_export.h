#pragma once

#include <cstdint>
#include <string>

#include "plotmodel/object_store.h"

class QWidget;

// What a person or a script takes away from the screen: a graph as a PNG picture, a page as
// the drawing module's files (HTML, SVG and CSV, as page_output.h names them) in a folder.

namespace livegrapher {

// S_OK, or E_FAIL when the picture could not be written.
long ExportPng(QWidget& graph, const std::string& file);
// Writes the page's files and an index into `folder`, which is made when missing: S_OK, or
// E_FAIL when a file could not be written.
long ExportPageFiles(plotmodel::ObjectStore& store, std::uint64_t page, const std::string& folder);

}  // namespace livegrapher
