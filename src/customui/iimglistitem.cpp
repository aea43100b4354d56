#include "iimglistitem.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

#include "customui/iimglistthumbnail.h"
#include "customui/iuihelper.h"
#include "iglobal.h"

namespace {
int scaled(double v) { return int(v * IGSQUARERATE); }
}

IImgListItem::IImgListItem(const QString& path, const int& num, QWidget* parent)
    : QWidget(parent)
    , m_num(num)
    , m_path(path)
{
    // A file that cannot be read leaves an empty thumbnail; the row still counts.
    m_pixmap = QPixmap::fromImage(readPictureWithin(path, storedSize()));
    setFixedSize(rowSize());
    CreateUI();
}

IImgListItem::IImgListItem(const QImage& image, const QString& path, const int& num, QWidget* parent)
    : QWidget(parent)
    , m_num(num)
    , m_path(path)
{
    const QSize limit = storedSize();
    if (!image.isNull() && !limit.isEmpty() && (image.width() > limit.width() || image.height() > limit.height()))
        m_pixmap = QPixmap::fromImage(image.scaled(limit, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    else
        m_pixmap = QPixmap::fromImage(image);
    setFixedSize(rowSize());
    CreateUI();
}

QSize IImgListItem::storedSize() { return QSize(2 * scaled(145), 2 * scaled(100)); }

QSize IImgListItem::rowSize() { return QSize(scaled(180), scaled(110)); }

void IImgListItem::setSlideSelect(const bool& b)
{
    m_select = b;
    m_markLabel->setVisible(b);
}

bool IImgListItem::isSelect() const { return m_select; }

void IImgListItem::setSlideNum(const int& n)
{
    m_num = n;
    m_numberLabel->setText(QString::number(n));
}

int IImgListItem::slideNum() const { return m_num; }

void IImgListItem::setSlideThumbnail(const QString& path)
{
    m_path = path;
    renderThumbnail();
}

QString IImgListItem::slideThumbnail() const { return m_path; }

void IImgListItem::CreateUI()
{
    setAttribute(Qt::WA_TranslucentBackground);
    const int m = scaled(6);

    m_numberLabel = new QLabel(QString::number(m_num), this);
    m_numberLabel->setFont(createFont(10, 75));
    m_numberLabel->setFixedWidth(scaled(24));
    m_numberLabel->setAlignment(Qt::AlignCenter);
    m_numberLabel->setStyleSheet(QStringLiteral("border:none;color:white;background-color:transparent;"));

    m_thumbnailLabel = new QLabel(this);
    m_thumbnailLabel->setMargin(m / 2);
    m_thumbnailLabel->setFixedSize(scaled(145), scaled(100));
    m_thumbnailLabel->setStyleSheet(QStringLiteral("border-radius:%1px;background-color:white;").arg(m));
    renderThumbnail();

    m_markLabel = new QLabel(this);
    m_markLabel->setAttribute(Qt::WA_TranslucentBackground);
    m_markLabel->setFixedSize(scaled(20), scaled(20));
    m_markLabel->setPixmap(QPixmap(QStringLiteral(":/root/root/rselect.svg"))
                               .scaled(m_markLabel->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_markLabel->move(scaled(40), int(height() - 32 * IGSQUARERATE));
    m_markLabel->hide();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_numberLabel);
    layout->addWidget(m_thumbnailLabel);
}

void IImgListItem::renderThumbnail()
{
    const int m = scaled(6);
    const QSize target(scaled(145) - m, scaled(100) - m);
    if (m_pixmap.isNull() || target.isEmpty()) {
        m_thumbnailLabel->setPixmap(QPixmap());
        return;
    }
    m_thumbnailLabel->setPixmap(
        generatePixmap(m_pixmap, m).scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QPixmap IImgListItem::generatePixmap(const QPixmap& pixmap, int m)
{
    // The label width is 0 before the scaling factors are known.
    const int shown = scaled(145);
    const int k = shown > 0 ? pixmap.width() / shown : 0;

    QPixmap rounded(pixmap.size());
    rounded.fill(Qt::transparent);
    QPainter painter(&rounded);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, pixmap.width(), pixmap.height()), k * m, k * m, Qt::AbsoluteSize);
    painter.setClipPath(path, Qt::ReplaceClip);
    painter.drawPixmap(QRect(0, 0, pixmap.width(), pixmap.height()), pixmap);
    painter.end();
    return rounded;
}
