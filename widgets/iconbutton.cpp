#include "widgets/iconbutton.h"

#include <QIcon>

IconButton::IconButton(const QString& iconPath, const QString& toolTip, QWidget* parent)
    : QToolButton(parent) {
    setIcon(QIcon(iconPath));
    setIconSize(QSize(24, 24));
    setAutoRaise(false);
    setToolTip(toolTip);
    setAccessibleName(toolTip);
}
