#include "iimglist.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>

#include "customui/iimglistitem.h"
#include "customui/iimglistsaver.h"
#include "customui/iimglistviewer.h"
#include "customui/imsgbox.h"
#include "customui/iuihelper.h"
#include "iglobal.h"
#include "iimagetansformthread.h"
#include "service/iconfigureservice.h"

namespace {
int scaled(double v) { return int(v * IGSQUARERATE); }
}

IImgList::IImgList(QWidget* parent)
    : QListWidget(parent)
{
    CreateUI();
}

void IImgList::CreateUI()
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setStyleSheet(QStringLiteral("QListWidget{border:none; color:black; background-color:transparent;}"
                                 "QListWidget::Item{margin:0px,%1px,0px,%1px;}"
                                 "QListWidget::Item:hover{background:skyblue; }")
                      .arg(0 * IGSQUARERATE));

    connect(this, &QListWidget::itemClicked, this, &IImgList::slItemClicked);
    connect(this, &QListWidget::itemDoubleClicked, this, &IImgList::slItemDoubleClicked);
    connect(this, &QListWidget::currentItemChanged, this, &IImgList::slCurrentItemChanged);

    auto* deleteAction = new QAction(tr("Delete"), this);
    auto* viewAction = new QAction(tr("View"), this);
    auto* saveAction = new QAction(tr("Save As"), this);
    m_menu = new QMenu(this);
    for (QAction* a : {deleteAction, viewAction, saveAction}) {
        a->setFont(createFont(10, 50));
        m_menu->addAction(a);
    }
    connect(deleteAction, &QAction::triggered, deleteAction, [this] { slDelete(); }, Qt::DirectConnection);
    connect(viewAction, &QAction::triggered, viewAction, [this] { slView(); }, Qt::DirectConnection);
    connect(saveAction, &QAction::triggered, saveAction, [this] { slSaveAs(); }, Qt::DirectConnection);
}

IImgListItem* IImgList::rowWidget(int row) const { return qobject_cast<IImgListItem*>(itemWidget(item(row))); }

void IImgList::insertItem(const QString& path) { inserItem(new IImgListItem(path, count() + 1, nullptr)); }

bool IImgList::insertItem(const QImage& image)
{
    const QString folder = IConfigureService::instance()->photoPath();
    QDir().mkpath(folder);
    // A second grab within the same second gets its own name instead of replacing the first.
    const QString path = IImageTansformThread::uniqueFilePath(folder, makeTimeFileName(g_photo_format));
    QString error;
    if (!IImageTansformThread::saveImage(image, path, g_photo_format, &error)) {
        qWarning() << "gallery: picture not saved" << path << error;
        IMsgBox::showMsg(tr("The picture could not be saved: %1").arg(error), parentWidget());
        return false;
    }
    insertItem(path);
    return true;
}

void IImgList::insertItem(const QImage& image, const QString& path)
{
    inserItem(new IImgListItem(image, path, count() + 1, nullptr));
}

void IImgList::inserItem(IImgListItem* w)
{
    auto* item = new QListWidgetItem;
    item->setFlags(item->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
    item->setData(Qt::SizeHintRole, QSize(scaled(180), scaled(110)));
    QListWidget::insertItem(count(), item);
    setItemWidget(item, w);
    setScrollBarMax();
}

void IImgList::selectAllSatte(const bool& b)
{
    for (int i = 0; i < count(); ++i) {
        if (IImgListItem* w = rowWidget(i))
            w->setSlideSelect(b);
    }
}

QStringList IImgList::getAllThumbnailPath(const bool& selectedOnly) const
{
    QStringList paths;
    for (int i = 0; i < count(); ++i) {
        IImgListItem* w = rowWidget(i);
        if (w && (!selectedOnly || w->isSelect()))
            paths << w->slideThumbnail();
    }
    return paths;
}

void IImgList::setScrollBarMax()
{
    // Lays out pending rows first, so the maximum includes the row just added.
    scrollToBottom();
}

void IImgList::slTimeout()
{
    if (!m_clickArmed || !m_currentItem)
        return;
    if (IImgListItem* w = qobject_cast<IImgListItem*>(itemWidget(m_currentItem)))
        w->setSlideSelect(!w->isSelect());
    m_clickArmed = false;
}

void IImgList::slItemClicked(QListWidgetItem* item)
{
    m_currentItem = item;
    if (!m_clickArmed) {
        m_clickArmed = true;
        QTimer::singleShot(200, this, &IImgList::slTimeout);
    } else {
        m_clickArmed = false;
        slItemDoubleClicked(item);
    }
}

void IImgList::slItemDoubleClicked(QListWidgetItem* item)
{
    if (!item)
        return;
    IImgListItem* w = qobject_cast<IImgListItem*>(itemWidget(item));
    if (w && !IImgListViewer::open(w->slideThumbnail()))
        IMsgBox::showMsg(tr("No program to view the picture was found. It is saved at:\n%1").arg(w->slideThumbnail()),
                         parentWidget());
}

void IImgList::slCurrentItemChanged(QListWidgetItem*, QListWidgetItem*) {}

void IImgList::slView() { slItemDoubleClicked(m_currentItem); }

void IImgList::slDelete()
{
    QStringList kept;
    int i = 0;
    while (i < count()) {
        QListWidgetItem* row = item(i);
        IImgListItem* w = qobject_cast<IImgListItem*>(itemWidget(row));
        if (!w || !w->isSelect()) {
            if (w)
                w->setSlideNum(i + 1);
            ++i;
            continue;
        }
        const QString path = w->slideThumbnail();
        QFile file(path);
        // A file that is already gone is no reason to keep its row.
        if (!file.remove() && QFileInfo::exists(path)) {
            qWarning() << "gallery: cannot delete" << path << file.errorString();
            kept << QFileInfo(path).fileName();
            w->setSlideNum(i + 1);
            ++i;
            continue;
        }
        if (m_currentItem == row)
            m_currentItem = nullptr;
        delete takeItem(i);
    }
    if (!kept.isEmpty())
        IMsgBox::showMsg(tr("These files could not be deleted:\n%1").arg(kept.join('\n')), parentWidget());
}

void IImgList::slSaveAs() { IImgListSaver::saveAs(getAllThumbnailPath(true), parentWidget()); }

void IImgList::LoadCache()
{
    if (g_photo_savepath.isEmpty() || !QFileInfo(g_photo_savepath).isDir())
        return;
    QDir dir(g_photo_savepath);
    const QFileInfoList entries =
        dir.entryInfoList({QStringLiteral("*.png"), QStringLiteral("*.jpeg"), QStringLiteral("*.tiff"),
                           QStringLiteral("*.bmp")},
                          QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (int i = qMax(0, entries.size() - 20); i < entries.size(); ++i)
        insertItem(entries.at(i).absoluteFilePath());
}

void IImgList::contextMenuEvent(QContextMenuEvent* event)
{
    if (QListWidgetItem* row = itemAt(event->pos())) {
        m_currentItem = row;
        if (IImgListItem* w = qobject_cast<IImgListItem*>(itemWidget(row))) {
            if (!w->isSelect())
                w->setSlideSelect(true);
        }
        m_menu->exec(event->globalPos());
    }
    QAbstractScrollArea::contextMenuEvent(event);
}

void IImgList::mousePressEvent(QMouseEvent* event) { QListWidget::mousePressEvent(event); }
