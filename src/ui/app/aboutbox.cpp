#include "ui/app/aboutbox.h"

#include "ui/app/appstyle.h"
#include "ui/platform/controls.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tallyro {

namespace {

QFrame* decorativeLine(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    return line;
}

} // namespace

AboutBox::AboutBox(QWidget* parent, const QString& programName)
    : QDialog(parent), programName_(programName) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("About..."));
    setAttribute(Qt::WA_DeleteOnClose);
    if (programName_.isEmpty())
        programName_ = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();

    SSPanel1 = new QFrame(this);
    SSPanel1->setObjectName(QStringLiteral("SSPanel1"));
    SSPanel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SSPanel1->setLineWidth(2);

    Label2 = new QLabel(QString::fromLatin1(kAppTitle), SSPanel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(comicFont(26, true));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setStyleSheet(QStringLiteral("color: #1f3a68;"));
    Label1 =
        new QLabel(QStringLiteral("Classroom Grade Averaging & Lesson Planning Program"), SSPanel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    Label3 = new QLabel(SSPanel1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label4 = new QLabel(SSPanel1);
    Label4->setObjectName(QStringLiteral("Label4"));
    for (QLabel* label : {Label1, Label2, Label3})
        label->setAccessibleName(label->text());

    auto* panelLayout = new QVBoxLayout(SSPanel1);
    panelLayout->setContentsMargins(18, 12, 18, 12);
    panelLayout->addWidget(decorativeLine(SSPanel1));
    panelLayout->addWidget(Label2);
    panelLayout->addWidget(Label1);
    panelLayout->addWidget(decorativeLine(SSPanel1));
    panelLayout->addWidget(Label3);
    panelLayout->addWidget(Label4);
    panelLayout->addWidget(decorativeLine(SSPanel1));

    Command1 = namedButton(this, QStringLiteral("Command1"), QStringLiteral("&Ok"));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSPanel1);
    layout->addLayout(buttons);
    setFixedWidth(420);
}

QString AboutBox::versionText(const QString& programName) {
    return QStringLiteral("%1\n Version %2.%3.%4 for Linux\nFileName: %5")
        .arg(QString::fromLatin1(kAppTitle))
        .arg(TALLYRO_VERSION_MAJOR)
        .arg(TALLYRO_VERSION_MINOR)
        .arg(TALLYRO_VERSION_PATCH)
        .arg(programName);
}

void AboutBox::showEvent(QShowEvent* event) {
    Label3->setText(versionText(programName_));
    Label3->setAccessibleName(Label3->text());
    adjustSize();
    // Centred on the screen, not on the main window.
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect available = screen->geometry();
        move(available.x() + (available.width() - width()) / 2,
             available.y() + (available.height() - height()) / 2);
    }
    QDialog::showEvent(event);
}

} // namespace tallyro
