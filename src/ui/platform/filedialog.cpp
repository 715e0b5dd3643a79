#include "ui/platform/filedialog.h"

#include <QDir>
#include <QFileInfo>

namespace tallyro {

void FileDialog::show(bool save) {
    QString chosen = ask(save);
    if (chosen.isEmpty())
        throw DialogCancelled();
    QFileInfo info(chosen);
    fileName_ = info.absoluteFilePath();
    fileTitle_ = info.fileName();
    // Later reads and writes of the bare file name are relative to the
    // chosen folder, as the teacher expects from the dialog.
    QDir::setCurrent(info.absolutePath());
}

} // namespace tallyro
