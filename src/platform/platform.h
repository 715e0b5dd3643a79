#pragma once

#include "platform/filedialog.h"
#include "platform/helpviewer.h"
#include "platform/inputbox.h"
#include "platform/messagebox.h"
#include "platform/printer.h"
#include "platform/settingsstore.h"

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
};

} // namespace tallyro
