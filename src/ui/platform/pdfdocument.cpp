#include "ui/platform/pdfdocument.h"

#include "ui/platform/printersurface.h"

#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <memory>

namespace tallyro {

void printToPdf(const QString& path, const PageComposition& compose) {
    // Open the file first, so the teacher hears the system's reason when it
    // cannot be written.
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly))
        throw PrintError(file->errorString().toStdString());
    try {
        QPdfWriter writer(file.get());
        writer.setCreator(QStringLiteral("Tallyro"));
        writer.setResolution(600);
        // A quarter inch all round, as much as a desktop printer keeps unprinted.
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                         QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
        PainterSurface surface(writer);
        compose(surface);
        surface.endDoc();
    } catch (...) {
        // Half a document is no use to anybody: leave no file behind.
        file->remove();
        throw;
    }
    if (!file->flush() || file->error() != QFileDevice::NoError)
        throw PrintError(file->errorString().toStdString());
}

} // namespace tallyro
