// Draws the main window with a class open, the teacher-details form and the
// About box offscreen and saves each as a PNG, for the pictures in the
// documentation: tallyro_screenshots OUTPUT_FOLDER CLASS_FILE.grd
#include "app/aboutbox.h"
#include "app/mainwindow.h"
#include "app/startupform.h"

#include <QApplication>
#include <QDir>
#include <QMap>
#include <QTimer>

#include <iostream>

namespace {

using namespace tallyro;

// Quiet stand-ins: nothing here asks the teacher anything.
class SilentMessageBox : public MessageBox {
public:
    MessageButton show(const QString& text, const QString& title, int) override {
        std::cerr << title.toStdString() << ": " << text.toStdString() << '\n';
        return MessageButton::Ok;
    }
    void beep() override {}
};
class SilentInputBox : public InputBox {
public:
    std::optional<QString> ask(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
};
class CancellingFileDialog : public FileDialog {
protected:
    QString ask(bool) override { return QString(); }
};
class MemorySettings : public SettingsStore {
public:
    QString read(const QString& key, const QString& defaultValue) override {
        return values.value(key, defaultValue);
    }
    void write(const QString& key, const QString& value) override { values[key] = value; }
    QMap<QString, QString> values;
};
class NoHelp : public HelpViewer {
public:
    void showContents() override {}
    void search(const QString&) override {}
    void quit() override {}
};

void settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

bool save(QWidget* widget, const QDir& folder, const QString& name) {
    settle();
    QString path = folder.filePath(name);
    if (!widget->grab().save(path)) {
        std::cerr << "cannot write " << path.toStdString() << '\n';
        return false;
    }
    std::cout << path.toStdString() << '\n';
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::cerr << "usage: tallyro_screenshots OUTPUT_FOLDER CLASS_FILE.grd\n";
        return 1;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    QString classFile = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    if (!folder.mkpath(QStringLiteral("."))) {
        std::cerr << "cannot create " << argv[1] << '\n';
        return 1;
    }

    SilentMessageBox messages;
    SilentInputBox input;
    CancellingFileDialog files;
    MemorySettings settings;
    settings.values = {{"school", "Lincoln Elementary"},
                       {"teacher", "Ms. Rivera"},
                       {"grade level", "5"},
                       {"fail limit", "70"}};
    NoHelp help;
    Platform platform{messages, input, files, settings, help};
    AppState state;

    bool ok = true;
    {
        MainWindow window(state, platform);
        window.show();
        window.openGradeFileAtStartup(classFile);
        ok &= save(&window, folder, QStringLiteral("main-window.png"));
        window.close();
    }
    {
        AppState details;
        details.schoolName = "Lincoln Elementary";
        details.teacherName = "Ms. Rivera";
        StartupForm form(details);
        form.setAttribute(Qt::WA_DeleteOnClose, false);
        form.show();
        ok &= save(&form, folder, QStringLiteral("startup-form.png"));
    }
    {
        AboutBox box(nullptr, QStringLiteral("tallyro"));
        box.setAttribute(Qt::WA_DeleteOnClose, false);
        box.show();
        ok &= save(&box, folder, QStringLiteral("about-box.png"));
    }
    return ok ? 0 : 1;
}
