#ifndef IDIALOGSEAM_H
#define IDIALOGSEAM_H

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Every modal message box and file dialog of the program goes through here, so that a
// test can answer them without blocking. Without a hook the real dialog runs.
class IDialogSeam
{
public:
    struct FileRequest
    {
        enum Kind { OpenFiles, SaveFile, Directory } kind = OpenFiles;
        QString caption;
        QString dir;
        QString filter;
    };

    // Answers a message box: text and title in, the pressed button's code out.
    using MessageHook = std::function<int(const QString& text, const QString& title)>;
    // Answers a file dialog; the list holds the chosen paths (empty = cancelled), and
    // selectedFilter may be set by the hook.
    using FileHook = std::function<QStringList(const FileRequest& request, QString* selectedFilter)>;

    static void setMessageHook(MessageHook hook);
    static void setFileHook(FileHook hook);
    static bool hasMessageHook();
    static int answerMessage(const QString& text, const QString& title);

    static QStringList getOpenFileNames(QWidget* parent, const QString& caption, const QString& dir,
                                        const QString& filter);
    static QString getSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                   const QString& filter, QString* selectedFilter = nullptr);
    static QString getExistingDirectory(QWidget* parent, const QString& caption, const QString& dir);
};

#endif
