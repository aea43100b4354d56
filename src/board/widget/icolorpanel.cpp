#include "board/widget/icolorpanel.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

#include "iglobal.h"

namespace {
IColorImage* s_colorImage = nullptr;
}

IColorImage::IColorImage(QWidget* parent) : QWidget(parent)
{
}

IColorImage::~IColorImage()
{
    if (s_colorImage == this)
        s_colorImage = nullptr;
}

IColorImage* IColorImage::instance()
{
    if (!s_colorImage) {
        s_colorImage = new IColorImage(nullptr);
        if (qApp)
            QObject::connect(qApp, &QCoreApplication::aboutToQuit, &IColorImage::destroyInstance);
    }
    return s_colorImage;
}

void IColorImage::destroyInstance()
{
    delete s_colorImage;
    s_colorImage = nullptr;
}

QImage IColorImage::getRGBImage(const QSize& size)
{
    if (size.isEmpty())
        return QImage();
    setFixedSize(size);
    update();
    return grab(QRect(0, 0, width(), height())).toImage();
}

void IColorImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const int w = width();
    const int h = height();
    const int k = h / 5;

    QLinearGradient hue(0, h / 2, w, h / 2);
    hue.setColorAt(0.0, Qt::darkRed);
    hue.setColorAt(0.2, Qt::yellow);
    hue.setColorAt(0.4, Qt::green);
    hue.setColorAt(0.6, Qt::blue);
    hue.setColorAt(0.7, Qt::darkBlue);
    hue.setColorAt(0.9, Qt::magenta);
    hue.setColorAt(1.0, Qt::red);
    painter.fillRect(QRect(0, 0, w, h), hue);

    QLinearGradient light(w / 2, 0, w / 2, k);
    light.setColorAt(0.0, QColor(255, 255, 255, 255));
    light.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.fillRect(QRect(0, 0, w, k), light);

    QLinearGradient dark(w / 2, h, w / 2, h - k);
    dark.setColorAt(0.0, QColor(0, 0, 0, 255));
    dark.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.fillRect(QRect(0, h - k, w, k), dark);
}

IColorPanel::IColorPanel(QWidget* parent) : IBaseWidget(tr("Color Panel"), true, parent)
{
    setMoveState(true);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowFlags(Qt::FramelessWindowHint);
    m_picture = IColorImage::instance()->getRGBImage(QSize(int(500 * GWIDTHRATE), int(300 * GHEIGHTRATE)));
    const int side = int(10 * GSQUARERATE);
    buildButton(side, int(30 * GHEIGHTRATE + 10 * GSQUARERATE), side, side);
}

IColorPanel::IColorPanel(const QSize& size, QWidget* parent) : IBaseWidget(parent)
{
    setFixedSize(size);
    m_picture = IColorImage::instance()->getRGBImage(size);
    buildButton(0, 0, 0, 0);
}

void IColorPanel::buildButton(int left, int top, int right, int bottom)
{
    m_button = new QToolButton(nullptr);
    m_button->setIcon(QIcon(QPixmap::fromImage(m_picture)));
    m_button->setIconSize(m_picture.size());
    m_button->setStyleSheet(QStringLiteral("border:none;"));
    m_button->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(left, top, right, bottom);
    layout->addWidget(m_button);
    connect(m_button, &QToolButton::clicked, this, [this]() {
        pickAt(m_havePress ? m_lastPress : m_button->mapFromGlobal(QCursor::pos()));
    });
}

bool IColorPanel::eventFilter(QObject* watched, QEvent* event)
{
    // The click's own position, which touch input does not leave in QCursor::pos().
    if (watched == m_button &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
        m_lastPress = static_cast<QMouseEvent*>(event)->pos();
        m_havePress = true;
    }
    return IBaseWidget::eventFilter(watched, event);
}

void IColorPanel::pickAt(const QPoint& buttonPos)
{
    // The icon sits centred in the button; its border area has no colour to give.
    const QPoint origin((m_button->width() - m_picture.width()) / 2,
                        (m_button->height() - m_picture.height()) / 2);
    const QPoint p = buttonPos - origin;
    if (!m_picture.valid(p))
        return;
    emit sgChangeColor(true, QVariant(m_picture.pixelColor(p)));
}

void IColorPanel::setFrameVisible(const bool& b)
{
    if (!b) {
        hide();
        return;
    }
    raise();
    show();
}
