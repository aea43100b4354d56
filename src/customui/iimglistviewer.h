#ifndef IIMGLISTVIEWER_H
#define IIMGLISTVIEWER_H

#include <QString>
#include <functional>

// Opens a gallery picture in the desktop's default viewer. Tests install a hook so that
// no viewer is launched.
namespace IImgListViewer {

using Hook = std::function<bool(const QString& path)>;

void setHook(Hook hook);
bool open(const QString& path);

}

#endif
