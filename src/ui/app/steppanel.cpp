#include "ui/app/steppanel.h"

#include "ui/app/appstyle.h"

#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace tallyro {

namespace {

// Places in twips: each picture is 1500 x 750 with its top at 0 (raised) or
// 40 (resting); the captions stand at 120 from the panel's top.
constexpr int kPictureWidth = 1500;
constexpr int kPictureHeight = 750;
constexpr int kRestingTop = 40;
constexpr int kCaptionTop = 120;
constexpr int kPanelHeight = 405;

} // namespace

StepPicture::StepPicture(const QString& objectName, const QString& iconName, QWidget* parent)
    : QWidget(parent), icon_(builtInIcon(iconName)) {
    setObjectName(objectName);
}

void StepPicture::setRaised(bool raised) {
    raised_ = raised;
    move(x(), raised ? 0 : twipsToPixels(kRestingTop, this));
}

void StepPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!icon_.isNull()) {
        icon_.paint(&painter, rect());
        return;
    }
    // Without the built-in pictures, a plain tab keeps the panel readable.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(palette().color(QPalette::Dark));
    painter.setBrush(palette().color(QPalette::Button));
    painter.drawRoundedRect(rect().adjusted(1, 1, -1, 10), 5, 5);
}

void StepPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void StepPicture::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

StepCaption::StepCaption(const QString& objectName, const QString& text, QWidget* parent)
    : QLabel(text, parent) {
    setObjectName(objectName);
    setAccessibleName(text);
    setAlignment(Qt::AlignCenter);
}

void StepCaption::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit pressed();
}

void StepCaption::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    emit released();
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

StepPanel::StepPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Picture4"));
    setFixedHeight(twipsToPixels(kPanelHeight, this));
    setAutoFillBackground(true);

    const char* const names[] = {"Image16", "Image17", "Image18", "Image19", "Image20", "Image21"};
    const char* const icons[] = {"step-editgrid",    "step-gradeentry", "step-nameentry",
                                 "step-gradereport", "step-statistics", "step-database"};
    const char* const pictureNames[] = {"Edit Grid picture",   "Grade Entry picture",
                                        "Name Entry picture",  "Grade Report picture",
                                        "Statistical reports", "Database floppy"};
    std::array<StepPicture*, 6> all{};
    int width = twipsToPixels(kPictureWidth, this);
    for (int i = 0; i < 6; ++i) {
        all[i] =
            new StepPicture(QString::fromLatin1(names[i]), QString::fromLatin1(icons[i]), this);
        all[i]->setAccessibleName(QString::fromLatin1(pictureNames[i]));
        all[i]->setGeometry(twipsToPixels(kPictureWidth * i, this), 0, width,
                            twipsToPixels(kPictureHeight, this));
        all[i]->setRaised(false);
    }
    Image16 = all[0];
    Image17 = all[1];
    Image18 = all[2];
    Image19 = all[3];
    Image20 = all[4];
    Image21 = all[5];
    pictures_ = {Image16, Image17, Image18, Image19};
    // The two future sites are reachable from the keyboard as well.
    Image20->setFocusPolicy(Qt::TabFocus);
    Image21->setFocusPolicy(Qt::TabFocus);
    Image20->setCursor(Qt::PointingHandCursor);
    Image21->setCursor(Qt::PointingHandCursor);
    Image20->setToolTip(QStringLiteral("Statistical reports"));
    Image21->setToolTip(QStringLiteral("Database floppy"));
    connect(Image20, &StepPicture::clicked, this, &StepPanel::statisticsClicked);
    connect(Image21, &StepPicture::clicked, this, &StepPanel::databaseClicked);

    Label8 = new StepCaption(QStringLiteral("Label8"), QStringLiteral("Edit Grid"), this);
    Label9 = new StepCaption(QStringLiteral("Label9"), QStringLiteral("Grade Entry"), this);
    Label10 = new StepCaption(QStringLiteral("Label10"), QStringLiteral("Name Entry"), this);
    Label2 = new StepCaption(QStringLiteral("Label2"), QStringLiteral("Grade Report"), this);
    captions_ = {Label8, Label9, Label10, Label2};
    int captionTop = twipsToPixels(kCaptionTop, this);
    int inset = twipsToPixels(120, this);
    for (int i = 0; i < 4; ++i) {
        StepCaption* caption = captions_[i];
        QFont font = caption->font();
        font.setPointSizeF(9);
        caption->setFont(font);
        // Wide enough for the caption in bold (the current step), which the
        // picture's own inset would clip; never wider than the picture.
        QFont bold = font;
        bold.setBold(true);
        int needed = QFontMetrics(bold).horizontalAdvance(caption->text()) + 4;
        int captionWidth = std::min(width, std::max(width - 2 * inset, needed));
        caption->setGeometry(pictures_[i]->x() + (width - captionWidth) / 2, captionTop,
                             captionWidth, height() - captionTop - 1);
        caption->raise();
        Step step = static_cast<Step>(i);
        connect(caption, &StepCaption::pressed, this, [this, step] { press(step); });
        connect(caption, &StepCaption::released, this, [this, step] { release(step); });
        connect(caption, &StepCaption::clicked, this, [this, step] { emit stepClicked(step); });
    }
}

void StepPanel::setBold(Step step, bool bold) {
    StepCaption* label = caption(step);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
}

bool StepPanel::isBold(Step step) const {
    return caption(step)->font().bold();
}

void StepPanel::setRaised(Step step, bool raised) {
    picture(step)->setRaised(raised);
}

bool StepPanel::isRaised(Step step) const {
    return picture(step)->isRaised();
}

void StepPanel::setStepEnabled(Step step, bool enabled) {
    caption(step)->setEnabled(enabled);
}

bool StepPanel::isStepEnabled(Step step) const {
    return caption(step)->isEnabled();
}

void StepPanel::setBordered(Step step, bool bordered) {
    caption(step)->setFrameStyle(bordered ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
}

void StepPanel::press(Step step) {
    if (step == Step::GradeEntry || step == Step::GradeReport) {
        // Leaving the grid for another step: the grid is no longer current.
        setBold(Step::EditGrid, false);
        setRaised(Step::EditGrid, false);
        setBold(step, true);
    }
    setBordered(step, true);
}

void StepPanel::release(Step step) {
    setBordered(step, false);
    if (step == Step::GradeEntry || step == Step::GradeReport)
        setRaised(step, true);
}

void StepPanel::click(Step step) {
    press(step);
    release(step);
    emit stepClicked(step);
}

} // namespace tallyro
