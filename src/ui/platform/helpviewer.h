#pragma once

#include <QString>

namespace tallyro {

// The program's help: its contents, a search of the keyword index by the
// start of a keyword, and closing the viewer at shut-down.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void showContents() = 0;
    virtual void search(const QString& partialKey) = 0;
    virtual void quit() = 0;
};

} // namespace tallyro
