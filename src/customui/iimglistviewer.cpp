#include "iimglistviewer.h"

#include <QDesktopServices>
#include <QUrl>

namespace {
IImgListViewer::Hook& hook()
{
    static IImgListViewer::Hook h;
    return h;
}
}

namespace IImgListViewer {

void setHook(Hook h) { hook() = std::move(h); }

bool open(const QString& path)
{
    if (hook())
        return hook()(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}
