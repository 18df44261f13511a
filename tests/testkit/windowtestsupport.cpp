#include "windowtestsupport.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QSettings>
#include <QSplitterHandle>
#include <QTest>
#include <QWidget>

namespace ostrel {

std::unique_ptr<QSettings> SettingsStore()
{
#ifdef _WIN32
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER"), QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Brimwold"),
                                       QStringLiteral("Torvex"));
#endif
}

void ForgetSettings()
{
#ifdef _WIN32
    SettingsStore()->remove(QStringLiteral("Software/Brimwold"));
#else
    SettingsStore()->clear();
#endif
}

void Settle()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

bool ShowAndWait(QWidget *window)
{
    window->show();
    const bool exposed = QTest::qWaitForWindowExposed(window);
    Settle();
    return exposed;
}

bool ShowActiveAndWait(QWidget *window)
{
    window->show();
    window->activateWindow();
    const bool active = QTest::qWaitForWindowActive(window);
    Settle();
    return active;
}

void PressAndMoveSplitterHandle(QSplitterHandle *handle, QPoint by)
{
    const QPoint start = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, start);
    QTest::mouseMove(handle, start + by);
    Settle();
}

void ReleaseSplitterHandle(QSplitterHandle *handle, QPoint by)
{
    QTest::mouseRelease(handle, Qt::LeftButton, {}, handle->rect().center() + by);
    Settle();
}

void DragSplitterHandle(QSplitterHandle *handle, QPoint by)
{
    PressAndMoveSplitterHandle(handle, by);
    ReleaseSplitterHandle(handle, by);
}

QColor PixelAt(QWidget *widget, QPoint position)
{
    return widget->grab().toImage().pixelColor(position);
}

} // namespace ostrel

void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

void PrintTo(QSize size, std::ostream *out)
{
    *out << size.width() << "x" << size.height();
}

void PrintTo(QPoint point, std::ostream *out)
{
    *out << "(" << point.x() << ", " << point.y() << ")";
}

void PrintTo(const QRect &rect, std::ostream *out)
{
    *out << "(" << rect.x() << ", " << rect.y() << ") " << rect.width() << "x" << rect.height();
}

void PrintTo(const QColor &colour, std::ostream *out)
{
    *out << colour.name().toStdString();
}
