#pragma once

#include <memory>

#include "support/recordingprinter.h"
#include "ui/platform/platform.h"
#include "ui/platform/shell.h"

#include <QMap>
#include <QStringList>

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace tallyro {
// Recorded styles are kept as their numbers; tests compare them with either.
inline bool operator==(int code, MessageStyle style) {
    return code == static_cast<int>(style);
}
} // namespace tallyro

namespace tallyro::test {

// A message box that answers from a script and remembers every question.
// An unscripted question is answered with the default button of its style
// and recorded, so a test can assert that nothing unexpected was asked.
class ScriptedMessageBox : public MessageBox {
public:
    struct Shown {
        QString text;
        QString title;
        int style;
    };

    void answer(MessageButton button) { answers_.push_back(button); }
    // The index of the button the next choose() takes.
    void choice(int index) { choices_.push_back(index); }
    MessageButton show(const QString& text, const QString& title, MessageStyle style) override;
    int choose(const QString& text, const QString& title, const QStringList& buttons,
               int defaultButton) override {
        shown.push_back({text, title, -1});
        offered.push_back(buttons);
        if (choices_.empty()) {
            ++unscripted;
            return defaultButton;
        }
        int index = choices_.front();
        choices_.pop_front();
        return index;
    }
    void beep() override { ++beeps; }

    std::vector<Shown> shown;
    std::vector<QStringList> offered;
    int beeps = 0;
    int unscripted = 0;

private:
    std::deque<MessageButton> answers_;
    std::deque<int> choices_;
};

class ScriptedInputBox : public InputBox {
public:
    struct Asked {
        QString prompt;
        QString title;
        QString defaultAnswer;
    };
    void answer(std::optional<QString> reply) { answers_.push_back(std::move(reply)); }
    std::optional<QString> ask(const QString& prompt, const QString& title,
                               const QString& defaultAnswer) override;

    std::vector<Asked> asked;

private:
    std::deque<std::optional<QString>> answers_;
};

// Chooses files from a script: a path, or an empty text for Cancel. The
// settings the command gave the dialog are recorded for every showing.
class ScriptedFileDialog : public FileDialog {
public:
    struct Shown {
        QString title;
        int flags;
        QString fileName;
        QString filter;
        bool save;
    };
    void choose(const QString& path) { answers_.push_back(path); }
    void cancel() { answers_.push_back(QString()); }

    std::vector<Shown> shown;

protected:
    QString ask(bool save) override;

private:
    std::deque<QString> answers_;
};

class MemorySettingsStore : public SettingsStore {
public:
    QString read(const QString& key, const QString& defaultValue) override {
        return values.contains(key) ? values.value(key) : defaultValue;
    }
    void write(const QString& key, const QString& value) override { values[key] = value; }

    QMap<QString, QString> values;
};

class RecordingHelpViewer : public HelpViewer {
public:
    void showContents() override { requests << "contents"; }
    void search(const QString& key) override { requests << "search:" + key; }
    void quit() override { requests << "quit"; }

    QStringList requests;
};

// Every service a window needs, as doubles, in one place.
struct ScriptedPlatform {
    ScriptedMessageBox messages;
    ScriptedInputBox input;
    ScriptedFileDialog files;
    MemorySettingsStore settings;
    RecordingHelpViewer help;
    RecordingPrinter printer;

    // Held apart so that a test can start over with a fresh set of doubles.
    std::unique_ptr<UndoHistory> history = std::make_unique<UndoHistory>();
    Platform platform() {
        return Platform{messages, input, files, settings, help, printer, *history};
    }
};

// A main window stand-in that records what child windows ask of it.
class RecordingShell : public Shell {
public:
    void setCommandEnabled(ShellCommand command, bool enabled) override {
        if (enabled)
            disabled.erase(command);
        else
            disabled.insert(command);
    }
    bool isCommandEnabled(ShellCommand command) const override {
        return !disabled.contains(command);
    }
    void setStepBold(Step step, bool bold) override { stepBold[step] = bold; }
    void setStepRaised(Step step, bool raised) override { stepRaised[step] = raised; }
    void setStepEnabled(Step step, bool enabled) override { stepEnabled[step] = enabled; }
    void setStepPanelVisible(bool visible) override { stepPanelVisible = visible; }
    void setFileCaption(const QString& fileName) override { caption = fileName; }
    void showNoFileState() override { calls << "showNoFileState"; }
    void showFileOpenState() override { calls << "showFileOpenState"; }
    void showGradeBook() override { calls << "showGradeBook"; }
    void showChild(QWidget* window) override;
    std::optional<std::vector<std::string>> askNamesFile(int room) override {
        askedRoom = room;
        return namesFile;
    }
    QWidget* window() override { return nullptr; }

    std::set<ShellCommand> disabled;
    std::map<Step, bool> stepBold, stepRaised, stepEnabled;
    bool stepPanelVisible = false;
    QString caption;
    QStringList calls;
    std::vector<QWidget*> children;
    // What "&Import names..." gets, and the room it was asked with.
    std::optional<std::vector<std::string>> namesFile;
    int askedRoom = -1;
};

} // namespace tallyro::test
