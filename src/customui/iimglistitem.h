#ifndef IIMGLISTITEM_H
#define IIMGLISTITEM_H

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QLabel;

// One gallery row: its number, a rounded thumbnail and the mark shown when selected.
// The row refers to its picture file by path and keeps only a small copy of it.
class IImgListItem : public QWidget
{
    Q_OBJECT
public:
    // Reads the file, shrunk to the stored size when it is larger.
    IImgListItem(const QString& path, const int& num, QWidget* parent = nullptr);
    // Uses the given picture (scaled down when larger than a thumbnail); the file is not read.
    IImgListItem(const QImage& image, const QString& path, const int& num, QWidget* parent = nullptr);

    virtual void setSlideSelect(const bool& b);
    virtual bool isSelect() const;
    virtual void setSlideNum(const int& n);
    virtual int slideNum() const;
    virtual void setSlideThumbnail(const QString& path);
    virtual QString slideThumbnail() const;

    // The size at which a row keeps its picture: twice the shown thumbnail, so the
    // rounded corners survive the scaling down.
    static QSize storedSize();
    // Size of the whole row.
    static QSize rowSize();

    QPixmap pixmap() const { return m_pixmap; }
    const QLabel* thumbnailLabel() const { return m_thumbnailLabel; }
    const QLabel* markLabel() const { return m_markLabel; }
    const QLabel* numberLabel() const { return m_numberLabel; }

    // A copy of pixmap with corners rounded by a radius that shows as m pixels once
    // the picture is shrunk to the thumbnail label.
    virtual QPixmap generatePixmap(const QPixmap& pixmap, int m);

protected:
    virtual void CreateUI();

private:
    void renderThumbnail();

    int m_num = 0;
    bool m_select = false;
    QString m_path;
    QPixmap m_pixmap;
    QLabel* m_numberLabel = nullptr;
    QLabel* m_markLabel = nullptr;
    QLabel* m_thumbnailLabel = nullptr;
};

#endif
