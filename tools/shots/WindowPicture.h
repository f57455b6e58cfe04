#pragma once

// Pictures of the editor's windows drawn offscreen, for the README: a
// window's grab under a caption bar with its title, as a desktop would frame it.

#include <QImage>
#include <QString>

class QWidget;

// The picture with a caption bar above it that shows the title.
QImage WithCaption(const QImage& client, const QString& title);
// The top-level widget grabbed and framed with its caption; a palette, which
// draws its own, as it is.
QImage FramedGrab(QWidget* top, const QString& title);
