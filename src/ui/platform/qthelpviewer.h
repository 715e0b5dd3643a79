#pragma once

#include "ui/platform/helpviewer.h"
#include "ui/platform/messagebox.h"

#include <QPointer>

class QWidget;

namespace tallyro {

class HelpWindow;

// The help viewer over the program's compiled help collection: a non-modal
// window opened on its contents or on its keyword index.
class QtHelpViewer : public HelpViewer {
public:
    // collectionFile: the compiled help collection (tallyro.qhc beside the
    // program, see defaultCollectionFile()). A collection that cannot be opened
    // is reported through messages. parent: the main window, which the viewer
    // stays above and closes with.
    QtHelpViewer(const QString& collectionFile, MessageBox& messages, QWidget* parent = nullptr);
    ~QtHelpViewer() override;
    QtHelpViewer(const QtHelpViewer&) = delete;
    QtHelpViewer& operator=(const QtHelpViewer&) = delete;

    // The collection's place: "tallyro.qhc" in the program's folder.
    static QString defaultCollectionFile();

    void showContents() override;
    void search(const QString& partialKey) override;
    void quit() override;

    void setParent(QWidget* parent) { parent_ = parent; }
    // The open viewer window, if any.
    HelpWindow* window() const;

private:
    bool openWindow();

    QString collectionFile_;
    MessageBox& messages_;
    QWidget* parent_;
    QPointer<HelpWindow> window_;
};

} // namespace tallyro
