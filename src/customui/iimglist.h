#ifndef IIMGLIST_H
#define IIMGLIST_H

#include <QImage>
#include <QListWidget>
#include <QString>
#include <QStringList>

class IImgListItem;
class QAction;
class QMenu;

// The gallery's picture list. A click marks or unmarks its row 200 ms later, a second
// click within that time opens the picture instead. "Selected" always means a row's
// mark; the list's own selection is not used.
class IImgList : public QListWidget
{
    Q_OBJECT
public:
    explicit IImgList(QWidget* parent = nullptr);

    virtual void insertItem(const QString& path);
    // Saves the picture in the photo folder and adds a row for it; false (with a
    // message) when it could not be saved.
    virtual bool insertItem(const QImage& image);
    virtual void insertItem(const QImage& image, const QString& path);
    virtual void inserItem(IImgListItem* w);
    virtual void selectAllSatte(const bool& b);
    virtual QStringList getAllThumbnailPath(const bool& selectedOnly) const;
    virtual void setScrollBarMax();

    IImgListItem* rowWidget(int row) const;
    QMenu* contextMenu() const { return m_menu; }

public slots:
    void slTimeout();
    virtual void slItemClicked(QListWidgetItem* item);
    virtual void slItemDoubleClicked(QListWidgetItem* item);
    virtual void slCurrentItemChanged(QListWidgetItem* current, QListWidgetItem* previous);

    // The context menu's actions; all but "View" act on every marked row.
    void slDelete();
    void slView();
    void slSaveAs();

protected:
    virtual void CreateUI();
    // Fills the list with the 20 newest pictures of the photo folder.
    virtual void LoadCache();

    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QMenu* m_menu = nullptr;
    QListWidgetItem* m_currentItem = nullptr;
    bool m_clickArmed = false;
};

#endif
