#include "app/commandline.h"

#include <QApplication>
#include <QLabel>

#include <iostream>

int main(int argc, char** argv) {
    // Subcommands work headless: decide before any display is touched.
    if (argc > 1 && tallyro::CommandLine::isSubcommand(argv[1])) {
        std::vector<std::string> args(argv + 1, argv + argc);
        return tallyro::CommandLine::run(args, std::cout, std::cerr);
    }
    QApplication app(argc, argv);
    QLabel placeholder("Tallyro");
    placeholder.show();
    return app.exec();
}
