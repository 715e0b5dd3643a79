#pragma once

#include "ui/platform/filedialog.h"
#include "ui/platform/helpviewer.h"
#include "ui/platform/inputbox.h"
#include "ui/platform/messagebox.h"
#include "ui/platform/printer.h"
#include "ui/platform/settingsstore.h"
#include "ui/platform/undohistory.h"

namespace tallyro {

// The system services a window may use, handed to it together with the
// application state. main wires the Qt implementations; tests wire doubles.
struct Platform {
    MessageBox& messages;
    InputBox& input;
    FileDialog& files;
    SettingsStore& settings;
    HelpViewer& help;
    Printer& printer;
    // The undo and redo steps of the open file.
    UndoHistory& history;
};

} // namespace tallyro
