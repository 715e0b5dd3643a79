#include "ui/app/startupform.h"

#include "ui/app/appstyle.h"
#include "ui/platform/controls.h"

#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace tallyro {

namespace {

// Places in twips, as the form was laid out.
constexpr int kFormWidth = 8025;
constexpr int kFormHeight = 2970;
constexpr int kBoxHeight = 360;

struct BoxPlace {
    int left, top, width;
};
constexpr BoxPlace kText1{2160, 1080, 3735};
constexpr BoxPlace kText2{2355, 1550, 2895};
constexpr BoxPlace kText3{6600, 1550, 1215};
constexpr BoxPlace kCommand1{3600, 2040, 975};

} // namespace

StartupForm::StartupForm(AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      state_(state) {
    setObjectName(QStringLiteral("form7"));
    setWindowTitle(QString());
    setAccessibleName(QStringLiteral("Teacher details"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(comicFont(10));
    setFixedSize(twipsToPixels(kFormWidth, this), twipsToPixels(kFormHeight, this));

    auto place = [this](QWidget* widget, const BoxPlace& at) {
        widget->setGeometry(twipsToPixels(at.left, this), twipsToPixels(at.top, this),
                            twipsToPixels(at.width, this), twipsToPixels(kBoxHeight, this));
    };
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("School"));
    place(Text1, kText1);
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setAccessibleName(QStringLiteral("Teacher"));
    place(Text2, kText2);
    Text3 = new QLineEdit(this);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setAccessibleName(QStringLiteral("Grade level"));
    place(Text3, kText3);
    Command1 = namedButton(this, QStringLiteral("Command1"), QStringLiteral("&Ok"));
    Command1->setDefault(true);
    place(Command1, {kCommand1.left, kCommand1.top, kCommand1.width});
    Command1->setFixedHeight(twipsToPixels(420, this));
    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, Command1);

    connect(Text1, &QLineEdit::textChanged, this,
            [this](const QString& text) { state_.schoolName = text.toStdString(); });
    connect(Text2, &QLineEdit::textChanged, this,
            [this](const QString& text) { state_.teacherName = text.toStdString(); });
    connect(Text3, &QLineEdit::textChanged, this,
            [this](const QString& text) { state_.gradeLevel = text.toStdString(); });
    connect(Command1, &QPushButton::clicked, this, &StartupForm::okClicked);
}

void StartupForm::fillFromState() {
    Text1->setText(QString::fromStdString(state_.schoolName));
    Text2->setText(QString::fromStdString(state_.teacherName));
    Text3->setText(QString::fromStdString(state_.gradeLevel));
    // The cursor goes where the teacher has something left to fill in.
    QLineEdit* first = Text1;
    for (QLineEdit* box : {Text1, Text2, Text3}) {
        if (box->text().isEmpty()) {
            first = box;
            break;
        }
    }
    first->setFocus();
}

void StartupForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    fillFromState();
}

void StartupForm::okClicked() {
    hide();
    emit detailsConfirmed();
    close();
}

void StartupForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF area = rect();

    // A sheet of lined school paper with a red margin and a blue heading band.
    QLinearGradient paper(area.topLeft(), area.bottomLeft());
    paper.setColorAt(0, QColor(0xfd, 0xfb, 0xef));
    paper.setColorAt(1, QColor(0xf4, 0xf0, 0xdc));
    painter.fillRect(area, paper);
    QRectF band(0, 0, area.width(), twipsToPixels(780, this));
    QLinearGradient bandFill(band.topLeft(), band.bottomLeft());
    bandFill.setColorAt(0, QColor(0x2c, 0x4f, 0x8a));
    bandFill.setColorAt(1, QColor(0x1f, 0x3a, 0x68));
    painter.fillRect(band, bandFill);
    painter.setPen(QPen(QColor(0xb8, 0xcb, 0xe6), 1));
    for (int y = twipsToPixels(1000, this); y < area.height() - 6; y += twipsToPixels(470, this))
        painter.drawLine(QPointF(8, y + 0.5), QPointF(area.width() - 8, y + 0.5));
    painter.setPen(QPen(QColor(0xe0, 0x8a, 0x8a), 1.5));
    qreal margin = twipsToPixels(300, this);
    painter.drawLine(QPointF(margin, band.bottom()), QPointF(margin, area.bottom()));

    // The heading and the little graduation cap of the program.
    painter.setPen(Qt::white);
    painter.setFont(comicFont(15, true));
    painter.drawText(band.adjusted(twipsToPixels(900, this), 0, 0, 0),
                     Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Welcome to Tallyro"));
    painter.setFont(comicFont(9.5));
    painter.setPen(QColor(0xdd, 0xe7, 0xf6));
    painter.drawText(band.adjusted(0, 0, -twipsToPixels(240, this), 0),
                     Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("Tell me about your class"));
    QPointF cap(twipsToPixels(480, this), band.center().y());
    QPainterPath board;
    board.moveTo(cap + QPointF(-18, -2));
    board.lineTo(cap + QPointF(0, -11));
    board.lineTo(cap + QPointF(18, -2));
    board.lineTo(cap + QPointF(0, 7));
    board.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xf6, 0xc7, 0x5a));
    painter.drawPath(board);
    painter.drawRect(QRectF(cap + QPointF(-9, 2), QSizeF(18, 8)));
    painter.setPen(QPen(QColor(0xf6, 0xc7, 0x5a), 1.5));
    painter.drawLine(cap + QPointF(14, -1), cap + QPointF(14, 10));

    // The prompts stand just left of their boxes.
    painter.setFont(comicFont(11, true));
    painter.setPen(QColor(0x1f, 0x3a, 0x68));
    auto prompt = [&](const QString& text, QWidget* box) {
        QRectF before(0, box->y(), box->x() - twipsToPixels(90, this), box->height());
        painter.drawText(before, Qt::AlignVCenter | Qt::AlignRight, text);
    };
    prompt(QStringLiteral("School:"), Text1);
    prompt(QStringLiteral("Teacher:"), Text2);
    prompt(QStringLiteral("Grade level:"), Text3);
}

} // namespace tallyro
