#pragma once

#include "core/print/recordingsurface.h"
#include "ui/platform/printer.h"

#include <QStringList>

#include <memory>
#include <vector>

namespace tallyro::test {

// A printer double: every print job is composed on a recording surface that
// the test can inspect; a scripted failure throws PrintError instead.
class RecordingPrinter : public Printer {
public:
    void print(const PageComposition& compose, const QString& documentName) override {
        documentNames << documentName;
        if (!failure.isEmpty())
            throw PrintError(failure.toStdString());
        jobs.push_back(std::make_unique<RecordingSurface>());
        compose(*jobs.back());
    }

    bool hasPrinter() const override { return installed; }

    // False: as on a machine without a printer.
    bool installed = true;
    QStringList documentNames;
    std::vector<std::unique_ptr<RecordingSurface>> jobs;
    // When set, the next jobs fail with this text.
    QString failure;
};

} // namespace tallyro::test
