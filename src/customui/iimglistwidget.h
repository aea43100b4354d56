#ifndef IIMGLISTWIDGET_H
#define IIMGLISTWIDGET_H

#include <QImage>
#include <QString>
#include <QStringList>

#include "customui/icustomwidget.h"

class IApplication;
class IImgList;
class IImgListThumbnailLoader;
class QThread;
class QToolButton;

// The gallery column: its title, the picture list and the "Select All", "Deselect" and
// "Import File" buttons. The rest of the program reaches the list only through here.
class IImgListWidget : public ICustomWidget
{
    Q_OBJECT
public:
    IImgListWidget(IApplication* app, QWidget* parent = nullptr);
    ~IImgListWidget() override;

    virtual void insertItem(const QString& path);
    virtual bool insertItem(const QImage& image);
    virtual void insertItem(const QImage& image, const QString& path);
    virtual QStringList getAllThumbnailPath(const bool& selectedOnly);
    virtual void setScrollBarMax();

    IImgList* list() const { return m_list; }

public slots:
    // Asks for picture files and adds them as rows; they are decoded in the background.
    void importFiles();

signals:
    // The pictures of the last import have all been added or refused.
    void sgImportFinished();

protected:
    virtual void CreateUI();
    virtual QToolButton* CreateButton(const QString& text, const QString& svg, Qt::ToolButtonStyle style);

private:
    void ensureLoader();
    void onRefused(const QString& path, const QString& reason);
    void onImportFinished();

    IImgList* m_list = nullptr;
    IApplication* m_app = nullptr;
    QThread* m_loaderThread = nullptr;
    IImgListThumbnailLoader* m_loader = nullptr;
    QStringList m_refused;
    QStringList m_incomplete; // imported, but decoded only in part
};

#endif
