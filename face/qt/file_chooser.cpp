#include "face/qt/file_chooser.h"

#include <QFileDialog>

#include "face/qt/modal_loop.h"

namespace veltface {

QStringList NameFiltersOf(const CString& filter) {
    QStringList parts = QString::fromUtf8(filter.GetString()).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + " (" + patterns + ")";
    }
    return filters;
}

FileDialogAnswer ChooseFile(const FileDialogRequest& request) {
    QFileDialog dialog(OwnerWidget(request.owner));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.open && (request.flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                                            : QFileDialog::AnyFile);
    QStringList filters = NameFiltersOf(request.filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!request.fileName.IsEmpty()) dialog.selectFile(QString::fromUtf8(request.fileName.GetString()));
    FileDialogAnswer answer;
    if (RunModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return answer;
    answer.result = IDOK;
    answer.path = dialog.selectedFiles().front().toUtf8().constData();
    return answer;
}

}  // namespace veltface
