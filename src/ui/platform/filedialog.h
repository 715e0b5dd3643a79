#pragma once

#include <QString>

#include <stdexcept>

namespace tallyro {

// A cancelled file dialog; its text is the one every file command compares.
class DialogCancelled : public std::runtime_error {
public:
    DialogCancelled() : std::runtime_error("Cancel was selected.") {}
};

inline const char* const kCancelSelected = "Cancel was selected.";

// The one shared open/save dialog of the program. Like the dialog it stands
// for, it keeps its settings between uses, so each command sets every setting
// it relies on before showing it.
class FileDialog {
public:
    enum Flag { PathMustExist = 1, OverwritePrompt = 2 };

    virtual ~FileDialog() = default;

    void setTitle(const QString& title) { title_ = title; }
    void setFlags(int flags) { flags_ = flags; }
    // The initial file name ("*.grd" or a proposed name).
    void setFileName(const QString& name) { fileName_ = name; }
    // "description|pattern" pairs separated by "|".
    void setFilter(const QString& filter) { filter_ = filter; }

    // Every setting a command relies on, in one go; the dialog keeps them
    // until the next command sets its own.
    void prepare(const QString& title, int flags, const QString& fileName, const QString& filter) {
        setTitle(title);
        setFlags(flags);
        setFileName(fileName);
        setFilter(filter);
    }

    const QString& title() const { return title_; }
    int flags() const { return flags_; }
    const QString& filter() const { return filter_; }

    // The full name of the chosen file, and the name without its folder.
    const QString& fileName() const { return fileName_; }
    const QString& fileTitle() const { return fileTitle_; }

    // Shows the dialog. On a choice, fileName() and fileTitle() hold it and
    // the chosen folder becomes the current folder; a cancel throws
    // DialogCancelled.
    void showOpen() { show(false); }
    void showSave() { show(true); }

protected:
    // The chosen full path, or an empty text for a cancel.
    virtual QString ask(bool save) = 0;

private:
    void show(bool save);

    QString title_;
    int flags_ = 0;
    QString fileName_;
    QString fileTitle_;
    QString filter_;
};

} // namespace tallyro
