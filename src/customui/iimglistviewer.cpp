#include "iimglistviewer.h"

#include <QDebug>
#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
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
    // The desktop's opener starts even when nothing can show the picture and then fails
    // unseen: ask first whether a viewer is set for the picture's type.
    const QString mime = QMimeDatabase().mimeTypeForFile(path).name();
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mime});
    if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0
        || query.readAllStandardOutput().trimmed().isEmpty()) {
        qWarning() << "gallery: no viewer for" << mime << query.errorString();
        return false;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}
