#pragma once

#include "ui/platform/helpviewer.h"
#include "ui/platform/messagebox.h"

#include <QPointer>

class QWidget;

namespace tallyro {

class HelpWindow;

// The help viewer over the program's compiled help collection: a non-modal
// window opened on its contents or on its keyword index. Nothing of the help
// engine (the collection, its SQLite database) is opened before the first
// request, so it costs the start-up nothing.
class QtHelpViewer : public HelpViewer {
public:
    // collectionFile: the compiled help collection (see defaultCollectionFile()),
    // only remembered here. A collection that cannot be opened is reported
    // through messages. parent: the main window, which the viewer stays above
    // and closes with.
    QtHelpViewer(const QString& collectionFile, MessageBox& messages, QWidget* parent = nullptr);
    ~QtHelpViewer() override;
    QtHelpViewer(const QtHelpViewer&) = delete;
    QtHelpViewer& operator=(const QtHelpViewer&) = delete;

    // The collection of the running program (see collectionFileFor).
    static QString defaultCollectionFile();
    // Where the collection is for a program in programFolder: "tallyro.qhc"
    // beside it, as in a build tree, or else in ../share/tallyro, where a
    // package installs it (/usr/bin/tallyro, /usr/share/tallyro/tallyro.qhc).
    // When neither file exists, the installed place, so that a message about
    // a missing collection names where it belongs.
    static QString collectionFileFor(const QString& programFolder);

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
