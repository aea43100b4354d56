#ifndef IIMGLISTSAVER_H
#define IIMGLISTSAVER_H

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class QWidget;

// The gallery's "Save As": writes the marked pictures under a chosen name, in another
// picture format or into one PDF file.
class IImgListSaver
{
    Q_DECLARE_TR_FUNCTIONS(IImgList)

public:
    static const QStringList& pictureSuffixes(); // png, jpeg, tiff, bmp
    static QString fileFilter();

    // The suffix of a dialog filter such as "PNG File(*.png)"; empty when it has none.
    static QString suffixOfFilter(const QString& filter);
    // The chosen name completed with the filter's suffix when it has no known suffix.
    static QString completeFileName(const QString& fileName, const QString& selectedFilter);
    // The file names for count pictures: the name itself for one, else name1, name2, ...
    static QStringList targetNames(const QString& fileName, int count);

    // Asks for a name and writes the pictures; reports the outcome to the user.
    // Returns true when everything was written.
    static bool saveAs(const QStringList& paths, QWidget* parent);

private:
    static bool savePictures(const QStringList& paths, const QString& fileName, const QString& suffix,
                             bool dialogConfirmed, QWidget* parent);
    static bool savePdf(const QStringList& paths, const QString& fileName, bool dialogConfirmed, QWidget* parent);
};

#endif
