#include "ui/app/appstyle.h"

#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QWidget>

#include <cmath>

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

QString iconPath(const QString& name) {
    return QStringLiteral(":/icons/png/%1.png").arg(name);
}

} // namespace tallyro
