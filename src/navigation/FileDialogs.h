#pragma once
// File dialogs go through one replaceable function, as message boxes do: the
// program shows the platform's dialog, tests answer without a window.

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace skerra {

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    QString objectName;     // the dialog's name, e.g. "OpenDialog1"
    QString title;
    QStringList filters;    // "Description (patterns)", the first one chosen
    QString defaultSuffix;  // added by the dialog to a name typed without one
    QString folder;         // where the dialog starts
    QWidget* parent = nullptr;
};

// Returns the chosen file, or an empty text when the user cancels.
using FileDialogHandler = std::function<QString(const FileDialogRequest&)>;

// Installs a handler and returns the one it replaces; an empty one restores the
// on-screen dialogs. An open dialog accepts only an existing file; a save
// dialog asks before it replaces one.
FileDialogHandler setFileDialogHandler(FileDialogHandler handler);

QString chooseFile(const FileDialogRequest& request);

// The name with "." + suffix added when its file name has no extension.
QString withDefaultSuffix(const QString& path, const QString& suffix);

}  // namespace skerra
