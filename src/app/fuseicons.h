#pragma once
// The node image of the fuse option tree (image 1 of ImageList2): a small fuse symbol,
// drawn at run time so that it stays sharp at any scale.
#include <QIcon>

QIcon fuseOptionIcon();
