#include "WindowPicture.h"

#include "platform/qt/QtControls.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

QImage WithCaption(const QImage& client, const QString& title)
{
    constexpr int kCaption = 22;
    constexpr int kFrame = 3;
    QImage framed(client.width() + 2 * kFrame, client.height() + kCaption + 2 * kFrame, QImage::Format_RGB32);
    framed.fill(QColor(212, 208, 200));
    QPainter painter(&framed);
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(framed.rect().adjusted(0, 0, -1, -1));
    QRect bar(kFrame, kFrame, client.width(), kCaption - 2);
    QLinearGradient shade(bar.topLeft(), bar.topRight());
    shade.setColorAt(0, QColor(10, 36, 106));
    shade.setColorAt(1, QColor(166, 202, 240));
    painter.fillRect(bar, shade);
    QFont font = platform::ControlFont();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(bar.adjusted(6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, title);
    painter.drawImage(kFrame, kFrame + kCaption, client);
    return framed;
}

QImage FramedGrab(QWidget* top, const QString& title)
{
    // A palette draws its caption itself.
    if (top->windowFlags() & Qt::FramelessWindowHint)
    {
        return top->grab().toImage();
    }
    return WithCaption(top->grab().toImage(), title);
}
