#include "ui/app/appstyle.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFocusFrame>
#include <QGuiApplication>
#include <QIconEngine>
#include <QImageReader>
#include <QKeyEvent>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTabBar>
#include <QToolButton>
#include <QWidget>

#include <cmath>
#include <functional>
#include <optional>
#include <utility>

namespace tallyro {

int twipsToPixels(int twips, const QWidget* widget) {
    QScreen* screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
    qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

QFont comicFont(qreal pointSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QString dateBoxText(const QDate& date) {
    // Weekday name, a comma, then month-day-year joined by hyphens.
    return QLocale().toString(date, QStringLiteral("dddd,MM-dd-yyyy"));
}

namespace {

// An icon made the first time it is drawn or measured. Qt reads every picture
// of an icon when the icon is made; the windows make theirs as they are built,
// before the first picture, and most are drawn only once the window is on
// screen, at one size of the two.
class LazyIconEngine : public QIconEngine {
public:
    // hasPicture, when known without reading the picture, answers isNull:
    // buttons ask while they are laid out, long before they are drawn.
    explicit LazyIconEngine(std::function<QIcon()> make,
                            std::optional<bool> hasPicture = std::nullopt)
        : make_(std::move(make)), hasPicture_(hasPicture) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return make_ && hasPicture_ ? !*hasPicture_ : icon().isNull(); }
    QString key() const override { return QStringLiteral("tallyro-lazy"); }
    QIconEngine* clone() const override { return new LazyIconEngine(*this); }

private:
    const QIcon& icon() {
        if (make_)
            icon_ = std::exchange(make_, nullptr)();
        return icon_;
    }

    std::function<QIcon()> make_;
    std::optional<bool> hasPicture_;
    QIcon icon_;
};

QIcon lazyIcon(std::function<QIcon()> make, std::optional<bool> hasPicture = std::nullopt) {
    return QIcon(new LazyIconEngine(std::move(make), hasPicture));
}

QString builtInPicturePath(const QString& name, const QString& twin = QString()) {
    return QStringLiteral(":/icons/png/%1%2.png").arg(name, twin);
}

} // namespace

QIcon builtInIcon(const QString& name) {
    auto make = [name] {
        // Read as the PNGs they are (Qt's own icon loading first asks every
        // image plugin on the system whether it reads the file, loading
        // libraries the program never needs), and the double-resolution twin,
        // four times the picture to read, only where a screen shows it.
        QStringList pictures{QString()};
        if (qApp->devicePixelRatio() > 1.0)
            pictures.append(QStringLiteral("@2x"));
        QIcon icon;
        for (const QString& twin : pictures) {
            const QString path = builtInPicturePath(name, twin);
            if (!QFile::exists(path)) // a program built without the pictures
                continue;
            QImageReader reader(path, "png");
            reader.setAutoDetectImageFormat(false);
            const QImage image = reader.read();
            if (!image.isNull())
                icon.addPixmap(QPixmap::fromImage(image));
        }
        return icon;
    };
    return lazyIcon(make, QFile::exists(builtInPicturePath(name)));
}

QColor focusFrameColour() {
    return QColor(0, 0, 128);
}

double contrastRatio(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& colour) {
        auto channel = [](double value) {
            return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
        };
        QColor rgb = colour.toRgb();
        return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
               0.0722 * channel(rgb.blueF());
    };
    double first = luminance(a);
    double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

namespace {

constexpr int kFrameWidth = 2;

bool insideItemViewOrTabs(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QTabBar*>(w))
            return true;
        if (w->isWindow())
            break;
    }
    return false;
}

// The system's look with one change: focus shows as a solid navy frame that
// cannot be missed, instead of the faint outline that some controls have and
// others lack.
class FocusFrameStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    // Made when first drawn: the menu bar and every work-area frame ask for
    // theirs as they are built.
    QIcon standardIcon(StandardPixmap icon, const QStyleOption*, const QWidget*) const override {
        return lazyIcon([icon, base = QPointer<QStyle>(baseStyle())] {
            return base ? base->standardIcon(icon) : QIcon();
        });
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_FrameFocusRect) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        // The frame around a whole control is the focus frame widget; inside
        // a grid, list, tree or tab bar the current item wears its own.
        if (!insideItemViewOrTabs(widget))
            return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(QPen(focusFrameColour(), kFrameWidth));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option->rect).adjusted(1, 1, -1, -1));
        painter->restore();
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element != CE_FocusFrame) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        painter->save();
        painter->setPen(QPen(focusFrameColour(), kFrameWidth));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option->rect).adjusted(1, 1, -1, -1));
        painter->restore();
    }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_FocusFrame_AboveWidget)
            return 1;
        if (hint == SH_FocusFrame_Mask && option) {
            // Only the band around the control belongs to the frame, so the
            // control itself is never covered.
            if (auto* mask = qstyleoption_cast<QStyleHintReturnMask*>(returnData)) {
                int h = pixelMetric(PM_FocusFrameHMargin, option, widget);
                int v = pixelMetric(PM_FocusFrameVMargin, option, widget);
                mask->region = QRegion(option->rect) - QRegion(option->rect.adjusted(h, v, -h, -v));
                return 1;
            }
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_FocusFrameHMargin || metric == PM_FocusFrameVMargin)
            return std::max(kFrameWidth, QProxyStyle::pixelMetric(metric, option, widget));
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// The control a focus frame goes around: the box or spinner a focused inner
// edit belongs to; none for windows, menus and child-window frames.
QWidget* framedControl(QWidget* focused) {
    if (!focused || focused->isWindow() || qobject_cast<QMenuBar*>(focused) ||
        qobject_cast<QMenu*>(focused) || qobject_cast<QMdiSubWindow*>(focused) ||
        qobject_cast<QFocusFrame*>(focused))
        return nullptr;
    QWidget* parent = focused->parentWidget();
    if (parent && (qobject_cast<QComboBox*>(parent) || qobject_cast<QAbstractSpinBox*>(parent)))
        return parent;
    if (!parent || parent->windowType() == Qt::SubWindow)
        return nullptr;
    return focused;
}

class KeyboardAids : public QObject {
public:
    explicit KeyboardAids(QApplication& app) : QObject(&app) {
        setObjectName(QStringLiteral("keyboardAids"));
        connect(&app, &QApplication::focusChanged, this,
                [this](QWidget*, QWidget* now) { follow(now); });
        app.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        // Only the button holding the focus, not a box whose unhandled Enter
        // travels up through its parents.
        auto* button = qobject_cast<QAbstractButton*>(watched);
        if (!button || button != QApplication::focusWidget())
            return false;
        if (!qobject_cast<QPushButton*>(button) && !qobject_cast<QToolButton*>(button))
            return false;
        if (!button->isEnabled() || !button->isVisible())
            return false;
        if (!key->isAutoRepeat())
            button->click();
        return true;
    }

private:
    void follow(QWidget* focused) {
        QWidget* control = framedControl(focused);
        if (!control) {
            if (frame_)
                frame_->setWidget(nullptr);
            return;
        }
        // The frame lives beside the control, so it goes when its window goes.
        if (!frame_) {
            frame_ = new QFocusFrame;
            frame_->setObjectName(QStringLiteral("focusFrame"));
        }
        frame_->setWidget(control);
    }

    QPointer<QFocusFrame> frame_;
};

} // namespace

void installKeyboardAids(QApplication& app) {
    if (app.findChild<QObject*>(QStringLiteral("keyboardAids"), Qt::FindDirectChildrenOnly))
        return;
    QStyle* base = QStyleFactory::create(app.style()->name());
    app.setStyle(new FocusFrameStyle(base));
    new KeyboardAids(app);
}

} // namespace tallyro
