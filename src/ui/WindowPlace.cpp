#include "ui/WindowPlace.h"

#include <QWidget>

QRect placeToSave(const QWidget& window) {
    const QPoint frameOffset = window.geometry().topLeft() - window.pos();
    const bool normal = !window.isMaximized() && !window.isMinimized();
    const QRect inside = normal ? window.geometry() : window.normalGeometry();
    return QRect(inside.topLeft() - frameOffset, inside.size());
}
