#pragma once
// The pictures the window draws itself: the program icon and the two connection pictures.
#include <QIcon>
#include <QPixmap>

QIcon appIcon();
QPixmap connectedPicture(int size = 16);
QPixmap notConnectedPicture(int size = 16);
