#include "dialogs/file_chooser.h"

#include "base/host.h"

#include <QFile>
#include <QFileDialog>

namespace tlx::qt {

QStringList nameFilters(const FileChoice& choice) {
    QStringList filters;
    for (const FileFilter& f : choice.filters) {
        QString label = QString::fromStdString(f.label);
        const QString pattern = QString::fromStdString(f.pattern);
        // A label that does not end in its pattern gets it appended, or the
        // chooser would filter by the label's text.
        if (!label.endsWith("(" + pattern + ")")) {
            label += " (" + pattern + ")";
        }
        filters << label;
    }
    return filters;
}

void configureFileDialog(QFileDialog& dialog, const FileChoice& choice) {
    dialog.setWindowTitle(QString::fromStdString(choice.title));
    dialog.setAcceptMode(choice.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(choice.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setDefaultSuffix(QString());
    const QStringList filters = nameFilters(choice);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) {
        dialog.selectNameFilter(filters.front());
    }
    if (!choice.initialPath.empty()) {
        dialog.selectFile(QString::fromStdString(choice.initialPath));
    }
}

std::optional<std::string> runFileChooser(const FileChoice& choice, QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setWindowModality(Qt::ApplicationModal);
    configureFileDialog(dialog, choice);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) {
        return std::nullopt;
    }
    return QFile::encodeName(files.front()).toStdString();
}

} // namespace tlx::qt
