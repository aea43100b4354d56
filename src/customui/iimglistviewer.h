#ifndef IIMGLISTVIEWER_H
#define IIMGLISTVIEWER_H

#include <QString>
#include <functional>

// Opens a gallery picture in the desktop's default viewer. Tests install a hook so that
// no viewer is launched.
namespace IImgListViewer {

using Hook = std::function<bool(const QString& path)>;

void setHook(Hook hook);
// False when no viewer is set for the picture's type or it could not be started.
bool open(const QString& path);

}

#endif
