#pragma once

#include <QStringList>

#include "veltutil/platform/host/windows/file_dialog.h"

namespace veltface {

// An open or save dialog as a Qt file dialog. It only chooses: the default extension and the
// question before overwriting stay with CFileDialog, which asks through the message box.
FileDialogAnswer ChooseFile(const FileDialogRequest& request);

// The filter "description|pattern;pattern|...||" as Qt's name filters ("description
// (pattern pattern)").
QStringList NameFiltersOf(const CString& filter);

}  // namespace veltface
