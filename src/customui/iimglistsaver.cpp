#include "iimglistsaver.h"

#include <QDateTime>
#include <QDebug>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPoint>
#include <QRegularExpression>

#include "board/widget/itimemsgbox.h"
#include "customui/imsgbox.h"
#include "customui/ipdfwriter.h"
#include "idialogseam.h"
#include "iglobal.h"
#include "iimagetansformthread.h"
#include "service/iconfigureservice.h"

namespace {
const int kMsgBoxOk = 0x400;

// The folder of a path, ending with "/".
QString folderOf(const QString& fileName) { return fileName.left(fileName.lastIndexOf(QLatin1Char('/')) + 1); }
}

const QStringList& IImgListSaver::pictureSuffixes()
{
    static const QStringList s = {QStringLiteral("png"), QStringLiteral("jpeg"), QStringLiteral("tiff"),
                                  QStringLiteral("bmp")};
    return s;
}

QString IImgListSaver::fileFilter()
{
    return tr("PNG File(*.png);;JPEG File(*.jpeg);;TIFF File(*.tiff);;PDF File (*.pdf);;BMP File(*.bmp)");
}

QString IImgListSaver::suffixOfFilter(const QString& filter)
{
    static const QRegularExpression re(QStringLiteral("\\*\\.(\\w+)"));
    return re.match(filter).captured(1).toLower();
}

QString IImgListSaver::completeFileName(const QString& fileName, const QString& selectedFilter)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (pictureSuffixes().contains(suffix) || suffix == QLatin1String("pdf"))
        return fileName;
    const QString filterSuffix = suffixOfFilter(selectedFilter);
    if (filterSuffix.isEmpty())
        return fileName;
    QString name = fileName;
    if (!name.endsWith(QLatin1Char('.')))
        name += QLatin1Char('.');
    return name + filterSuffix;
}

QStringList IImgListSaver::targetNames(const QString& fileName, int count)
{
    if (count == 1)
        return {fileName};
    const QFileInfo info(fileName);
    const QString folder = folderOf(fileName);
    const QString base = info.fileName();
    const int dot = base.indexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? base : base.left(dot);
    const QString rest = dot < 0 ? QString() : base.mid(dot);
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << folder + stem + QString::number(i + 1) + rest;
    return names;
}

bool IImgListSaver::saveAs(const QStringList& paths, QWidget* parent)
{
    if (paths.isEmpty()) {
        ITimeMsgBox::instance()->showMessageBox(tr("请先选择左边列表文件"), 1000, QPoint(-1000, -1000));
        return false;
    }

    const QString name = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmss"));
    QString selectedFilter;
    const QString answer =
        IDialogSeam::getSaveFileName(nullptr, tr("Save"), g_filedialog_path + name, fileFilter(), &selectedFilter);
    if (answer.isEmpty())
        return false;
    g_filedialog_path = folderOf(answer);

    const QString fileName = completeFileName(answer, selectedFilter);
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return savePdf(paths, fileName, fileName == answer, parent);
    if (pictureSuffixes().contains(suffix))
        return savePictures(paths, fileName, suffix, fileName == answer, parent);

    IMsgBox::showMsg(tr("Save failed: unknown file type \"%1\".").arg(QFileInfo(fileName).fileName()), parent);
    return false;
}

bool IImgListSaver::savePictures(const QStringList& paths, const QString& fileName, const QString& suffix,
                                 bool dialogConfirmed, QWidget* parent)
{
    const QStringList targets = targetNames(fileName, paths.size());

    // The dialog only asked about the name it returned; the numbered names and a
    // completed suffix are new, so existing files among them need their own answer.
    QStringList existing;
    for (const QString& target : targets) {
        if (QFileInfo::exists(target) && !(dialogConfirmed && target == fileName))
            existing << QFileInfo(target).fileName();
    }
    bool replace = true;
    if (!existing.isEmpty()) {
        const int answer = IMsgBox::showMsg(tr("These files already exist:\n%1\nReplace them?").arg(existing.join('\n')),
                                            IMsgBox::OkCancel, g_software_name, parent);
        replace = (answer == kMsgBoxOk);
    }

    QStringList failed;
    QStringList skipped;
    int written = 0;
    for (int i = 0; i < paths.size(); ++i) {
        const QString& target = targets.at(i);
        if (!replace && existing.contains(QFileInfo(target).fileName())) {
            skipped << QFileInfo(target).fileName();
            continue;
        }
        QImageReader reader(paths.at(i));
        reader.setDecideFormatFromContent(true);
        const QImage image = reader.read();
        // Written like a snapshot: a full disk is a failure, never a truncated file.
        QString error = reader.errorString();
        if (image.isNull() || !IImageTansformThread::saveImage(image, target, suffix, &error)) {
            qWarning() << "save as failed:" << paths.at(i) << "->" << target << error;
            failed << QFileInfo(paths.at(i)).fileName();
            continue;
        }
        ++written;
    }

    // Later snapshots take the chosen format only when it was actually used.
    if (written > 0)
        IConfigureService::instance()->setPhotoFormat(suffix);

    if (failed.isEmpty() && skipped.isEmpty()) {
        IMsgBox::showMsg(tr("Save Successful."), parent);
        return true;
    }
    QString text;
    if (!failed.isEmpty())
        text += tr("Save failed for:\n%1").arg(failed.join('\n'));
    if (!skipped.isEmpty()) {
        if (!text.isEmpty())
            text += QLatin1String("\n");
        text += tr("Not replaced:\n%1").arg(skipped.join('\n'));
    }
    IMsgBox::showMsg(text, parent);
    return false;
}

bool IImgListSaver::savePdf(const QStringList& paths, const QString& fileName, bool dialogConfirmed,
                            QWidget* parent)
{
    // A suffix completed from the filter names a file the dialog never asked about.
    if (!dialogConfirmed && QFileInfo::exists(fileName)) {
        const int answer = IMsgBox::showMsg(
            tr("These files already exist:\n%1\nReplace them?").arg(QFileInfo(fileName).fileName()),
            IMsgBox::OkCancel, g_software_name, parent);
        if (answer != kMsgBoxOk) {
            IMsgBox::showMsg(tr("Not replaced:\n%1").arg(QFileInfo(fileName).fileName()), parent);
            return false;
        }
    }
    QString error;
    QStringList unreadable;
    if (!writePicturesToPdf(paths, fileName, &error, &unreadable)) {
        IMsgBox::showMsg(tr("Save failed: %1").arg(error), parent);
        return false;
    }
    if (!unreadable.isEmpty()) {
        QStringList names;
        for (const QString& p : unreadable)
            names << QFileInfo(p).fileName();
        IMsgBox::showMsg(tr("Saved, but these pictures could not be read:\n%1").arg(names.join('\n')), parent);
        return false;
    }
    IMsgBox::showMsg(tr("Save Successful."), parent);
    return true;
}
