#include "navigation/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace skerra {
namespace {

QString onScreen(const FileDialogRequest& r)
{
    QFileDialog dialog(r.parent, r.title, r.folder);
    dialog.setObjectName(r.objectName);
    dialog.setNameFilters(r.filters);
    dialog.setDefaultSuffix(r.defaultSuffix);
    if (r.kind == FileDialogKind::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    }
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

FileDialogHandler& handler()
{
    static FileDialogHandler h = onScreen;
    return h;
}

}  // namespace

FileDialogHandler setFileDialogHandler(FileDialogHandler h)
{
    FileDialogHandler old = std::move(handler());
    handler() = h ? std::move(h) : FileDialogHandler(onScreen);
    return old;
}

QString chooseFile(const FileDialogRequest& request) { return handler()(request); }

QString withDefaultSuffix(const QString& path, const QString& suffix)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + suffix;
}

}  // namespace skerra
