#include "iimglistwidget.h"

#include <QDebug>
#include <QLabel>
#include <QPoint>
#include <QThread>
#include <QToolButton>
#include <QVBoxLayout>

#include "board/widget/itimemsgbox.h"
#include "customui/iimglist.h"
#include "customui/iimglistthumbnail.h"
#include "customui/iuihelper.h"
#include "idialogseam.h"
#include "iglobal.h"

namespace {
int scaled(double v) { return int(v * IGSQUARERATE); }

const int kMaxImportFiles = 50;
}

IImgListWidget::IImgListWidget(IApplication* app, QWidget* parent)
    : ICustomWidget(parent)
    , m_app(app)
{
    setFixedWidth(scaled(200));
    CreateUI();
}

IImgListWidget::~IImgListWidget()
{
    if (m_loaderThread) {
        m_loader->cancel();
        m_loaderThread->quit();
        m_loaderThread->wait();
        delete m_loader;
    }
}

void IImgListWidget::insertItem(const QString& path) { m_list->insertItem(path); }

bool IImgListWidget::insertItem(const QImage& image) { return m_list->insertItem(image); }

void IImgListWidget::insertItem(const QImage& image, const QString& path) { m_list->insertItem(image, path); }

QStringList IImgListWidget::getAllThumbnailPath(const bool& selectedOnly)
{
    return m_list->getAllThumbnailPath(selectedOnly);
}

void IImgListWidget::setScrollBarMax() { m_list->setScrollBarMax(); }

void IImgListWidget::CreateUI()
{
    QLabel* title = createLabel(tr("Gallery"), nullptr);
    title->setFont(createFont(14, 75));
    title->setAlignment(Qt::AlignCenter);
    title->setFixedWidth(width());

    m_list = new IImgList(nullptr);

    QToolButton* selectAll = CreateButton(tr("Select All"), QStringLiteral(":/root/root/rselectall.svg"),
                                          Qt::ToolButtonTextBesideIcon);
    QToolButton* deselect = CreateButton(tr("Deselect"), QStringLiteral(":/root/root/runselectall.svg"),
                                         Qt::ToolButtonTextBesideIcon);
    QToolButton* import = CreateButton(tr("Import File"), QStringLiteral(":/root/root/radd.svg"),
                                       Qt::ToolButtonTextBesideIcon);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, scaled(10), 0, 0);
    layout->setSpacing(0);
    layout->addWidget(title);
    layout->addSpacing(scaled(10));
    layout->addWidget(m_list);
    layout->addWidget(selectAll);
    layout->addWidget(deselect);
    layout->addWidget(import);
    adjustSize();

    connect(selectAll, &QToolButton::clicked, selectAll, [this] { m_list->selectAllSatte(true); },
            Qt::DirectConnection);
    connect(deselect, &QToolButton::clicked, deselect, [this] { m_list->selectAllSatte(false); },
            Qt::DirectConnection);
    connect(import, &QToolButton::clicked, import, [this] { importFiles(); }, Qt::DirectConnection);
}

QToolButton* IImgListWidget::CreateButton(const QString& text, const QString& svg, Qt::ToolButtonStyle style)
{
    auto* b = new QToolButton(nullptr);
    b->setToolButtonStyle(style);
    b->setText(text);
    b->setFont(createFont(10, 50));
    b->setFixedSize(width(), scaled(40));
    b->setIconSize(QSize(scaled(30), scaled(30)));
    b->setIcon(QIcon(svg));
    const int padding = style == Qt::ToolButtonTextBesideIcon ? scaled(25) : 0;
    b->setStyleSheet(QStringLiteral("QToolButton{border:none;color:white;border:1px solid black;padding-left:%3px;"
                                    "background-color:%1;}"
                                    "QToolButton:hover{background-color:%2;color:rgb(235,120,7);}"
                                    "QToolButton:pressed{background-color:%2;color:rgb(235,120,7);}")
                         .arg(BUTTON_GRADIENT, BUTTON_HOVER_GRADIENT)
                         .arg(padding));
    return b;
}

void IImgListWidget::importFiles()
{
    const QStringList files = IDialogSeam::getOpenFileNames(nullptr, tr("Import File"), g_filedialog_path,
                                                            QStringLiteral("*.png *.jpg *.jpeg *.bmp *.tiff"));
    if (files.isEmpty())
        return;

    ensureLoader();
    const QSize thumbnail(scaled(139), scaled(94));
    QMetaObject::invokeMethod(m_loader, "load", Qt::QueuedConnection, Q_ARG(QStringList, files.mid(0, kMaxImportFiles)),
                              Q_ARG(QSize, thumbnail));

    const QString last = files.last();
    g_filedialog_path = last.left(last.lastIndexOf(QLatin1Char('/')) + 1);
    qDebug() << "import path:" << g_filedialog_path;
}

void IImgListWidget::ensureLoader()
{
    if (m_loaderThread)
        return;
    m_loaderThread = new QThread(this);
    m_loader = new IImgListThumbnailLoader;
    m_loader->moveToThread(m_loaderThread);
    connect(m_loader, &IImgListThumbnailLoader::sgThumbnail, this,
            [this](const QString& path, const QImage& thumbnail) { m_list->insertItem(thumbnail, path); });
    connect(m_loader, &IImgListThumbnailLoader::sgRefused, this, &IImgListWidget::onRefused);
    connect(m_loader, &IImgListThumbnailLoader::sgIncomplete, this,
            [this](const QString& path) { m_incomplete << path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); });
    connect(m_loader, &IImgListThumbnailLoader::sgFinished, this, &IImgListWidget::onImportFinished);
    m_loaderThread->start();
}

void IImgListWidget::onRefused(const QString& path, const QString& reason)
{
    m_refused << QStringLiteral("%1: %2").arg(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1), reason);
}

void IImgListWidget::onImportFinished()
{
    QStringList parts;
    if (!m_refused.isEmpty())
        parts << tr("Not imported:\n%1").arg(m_refused.join('\n'));
    if (!m_incomplete.isEmpty())
        parts << tr("Imported, but not complete (the file is damaged or cut off):\n%1").arg(m_incomplete.join('\n'));
    m_refused.clear();
    m_incomplete.clear();
    if (!parts.isEmpty()) {
        const QString text = parts.join('\n');
        ITimeMsgBox::instance()->showMessageBox(text, ITimeMsgBox::readingTime(text), QPoint(-1000, -1000));
    }
    emit sgImportFinished();
}
