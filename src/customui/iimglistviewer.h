#ifndef IIMGLISTVIEWER_H
#define IIMGLISTVIEWER_H

#include <QString>
#include <functional>

// Opens a gallery picture, or one of the program's folders, in the desktop's default
// application. Tests install a hook so that nothing is launched.
namespace IImgListViewer {

using Hook = std::function<bool(const QString& path)>;

void setHook(Hook hook);
// False when no application is set for the path's type or it could not be started.
bool open(const QString& path);

}

#endif
