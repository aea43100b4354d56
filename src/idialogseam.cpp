#include "idialogseam.h"

#include <QFileDialog>

namespace {
IDialogSeam::MessageHook& messageHook()
{
    static IDialogSeam::MessageHook hook;
    return hook;
}
IDialogSeam::FileHook& fileHook()
{
    static IDialogSeam::FileHook hook;
    return hook;
}
}

void IDialogSeam::setMessageHook(MessageHook hook) { messageHook() = std::move(hook); }
void IDialogSeam::setFileHook(FileHook hook) { fileHook() = std::move(hook); }
bool IDialogSeam::hasMessageHook() { return bool(messageHook()); }
int IDialogSeam::answerMessage(const QString& text, const QString& title) { return messageHook()(text, title); }

QStringList IDialogSeam::getOpenFileNames(QWidget* parent, const QString& caption, const QString& dir,
                                          const QString& filter)
{
    if (fileHook())
        return fileHook()({FileRequest::OpenFiles, caption, dir, filter}, nullptr);
    return QFileDialog::getOpenFileNames(parent, caption, dir, filter);
}

QString IDialogSeam::getSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                     const QString& filter, QString* selectedFilter)
{
    if (fileHook())
        return fileHook()({FileRequest::SaveFile, caption, dir, filter}, selectedFilter).value(0);
    return QFileDialog::getSaveFileName(parent, caption, dir, filter, selectedFilter);
}

QString IDialogSeam::getExistingDirectory(QWidget* parent, const QString& caption, const QString& dir)
{
    if (fileHook())
        return fileHook()({FileRequest::Directory, caption, dir, QString()}, nullptr).value(0);
    return QFileDialog::getExistingDirectory(parent, caption, dir);
}
