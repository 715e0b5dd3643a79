#include "cli/commandline.h"
#include "ui/app/appstyle.h"
#include "ui/app/mainwindow.h"
#include "ui/platform/automationids.h"
#include "ui/platform/platform.h"
#include "ui/platform/printer.h"
#include "ui/platform/qtfiledialog.h"
#include "ui/platform/qthelpviewer.h"
#include "ui/platform/qtinputbox.h"
#include "ui/platform/qtmessagebox.h"
#include "ui/platform/qtsettingsstore.h"

#include <QApplication>

#include <dlfcn.h>

#include <iostream>
#include <thread>

namespace {

// Qt reads the system's fonts through Fontconfig, which the program is
// linked with through Qt; it is looked up rather than linked again, and a Qt
// built without it simply skips this.
void warmUpFontConfiguration() {
    using Init = int (*)();
    if (auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit")))
        init();
}

} // namespace

int main(int argc, char** argv) {
    // Subcommands work headless: decide before any display is touched.
    if (argc > 1 && tallyro::CommandLine::isSubcommand(argv[1])) {
        std::vector<std::string> args(argv + 1, argv + argc);
        return tallyro::CommandLine::run(args, std::cout, std::cerr);
    }

    // Reading the font configuration takes a few milliseconds that the first
    // picture waits for; done beside the connection to the display, it is
    // ready when the window first measures its text.
    std::jthread fontConfiguration(warmUpFontConfiguration);

    // The menus stay in the window: asking the desktop for a global menu bar
    // costs the first picture a round trip on the session bus.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallyro"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(TALLYRO_VERSION_MAJOR)
                                            .arg(TALLYRO_VERSION_MINOR)
                                            .arg(TALLYRO_VERSION_PATCH));
    QApplication::setDesktopFileName(QStringLiteral("tallyro"));
    tallyro::installAutomationIds(app);
    // A visible focus frame everywhere, and Enter presses the focused button.
    tallyro::installKeyboardAids(app);

    // The Qt services every window uses.
    tallyro::QtMessageBox messages;
    tallyro::QtInputBox input;
    tallyro::QtFileDialog files;
    tallyro::QtSettingsStore settings;
    tallyro::QtHelpViewer help(tallyro::QtHelpViewer::defaultCollectionFile(), messages);
    tallyro::SystemPrinter printer(files, messages);
    tallyro::UndoHistory history;
    tallyro::Platform platform{messages, input, files, settings, help, printer, history};

    // The state lives here for the whole run; every window gets it by reference.
    tallyro::AppState state;
    fontConfiguration.join();
    tallyro::MainWindow window(state, platform);
    messages.setParent(&window);
    input.setParent(&window);
    files.setParent(&window);
    help.setParent(&window);

    // "tallyro FILE.grd" opens that class, "tallyro FILE.pla" that week, as a
    // desktop program does for a double-clicked file. It opens before the
    // window is shown, so the window is laid out once, with it.
    QStringList arguments = QApplication::arguments();
    QString opened = arguments.size() > 1 ? arguments.at(1) : QString();
    if (!opened.isEmpty())
        window.openFileAtStartup(opened);
    window.showAsLastTime();
    // Work left unsaved by a run that ended without saving comes back.
    window.offerStartupRecovery(opened);

    return app.exec();
}
