#include "customui/ipixrateframe.h"

#include <QLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "customui/iuihelper.h"
#include "icamera.h"
#include "iglobal.h"
#include "service/iconfigureservice.h"

QRadioButton* createStyledRadio(const QString& text, QWidget* parent)
{
    const double s = IGSQUARERATE;
    auto* radio = new QRadioButton(text, parent);
    radio->setFont(createFont(10, 50));
    radio->setStyleSheet(QStringLiteral("QRadioButton { color:white; background-color:transparent; border:none;}"
                                        "QRadioButton::indicator {width:%1px;height:%1px;border-radius:%2px}"
                                        "QRadioButton::indicator:checked {background-color:rgb(51,133,255);}"
                                        "QRadioButton::indicator:unchecked {background-color:white;}")
                             .arg(16 * s)
                             .arg(8 * s));
    return radio;
}

namespace {
bool sameSize(const QSizeF& a, const QSizeF& b)
{
    return qFuzzyCompare(a.width(), b.width()) && qFuzzyCompare(a.height(), b.height());
}
}

IPixRateFrame::IPixRateFrame(IApplication* app, QWidget* parent)
    : IPanelFrame(app, parent)
{
    CreateUI();
    setBackgroundLinearGradient(true);
}

void IPixRateFrame::setFrameVisible(const bool& visible)
{
    if (visible)
        placeAboveCameraButton(ICameraToolBar::Resolution);
    setVisible(visible);
}

void IPixRateFrame::setResolution(const QSizeF& size, bool silent)
{
    if (m_radios.isEmpty())
        return;
    QRadioButton* target = m_radios.first();
    for (QRadioButton* radio : qAsConst(m_radios)) {
        if (sameSize(radio->property("pixrate").toSizeF(), size)) {
            target = radio;
            break;
        }
    }
    target->setChecked(true);
    if (!silent)
        emit target->clicked(false);
}

void IPixRateFrame::initDefaultValues()
{
    const QSize configured = IConfigureService::instance()->cameraResolution();
    auto* box = qobject_cast<QVBoxLayout*>(layout());
    if (!box) {
        box = new QVBoxLayout(this);
        const int m = static_cast<int>(20 * IGSQUARERATE);
        box->setContentsMargins(m, m, m, m);
    } else {
        while (QLayoutItem* item = box->takeAt(0)) {
            if (QWidget* widget = item->widget())
                widget->setParent(nullptr);
            delete item;
        }
    }
    qDeleteAll(m_radios);
    m_radios.clear();

    const QList<QSizeF> sizes = supportedSizes();
    for (const QSizeF& size : sizes) {
        QRadioButton* radio = CreateIRadio(size);
        // Each size of a rebuild stands for itself; exclusivity comes from the parent.
        radio->setParent(this);
        if (sameSize(size, QSizeF(configured)))
            radio->setChecked(true);
        box->addWidget(radio);
    }
    adjustSize();
}

void IPixRateFrame::slButtonClick()
{
    auto* radio = qobject_cast<QRadioButton*>(sender());
    if (!radio)
        return;
    setFrameVisible(false);
    ICamera::instance()->setResolution(QVariant(radio->property("pixrate").toSizeF()));
}

void IPixRateFrame::CreateUI()
{
    // Built by initDefaultValues once a camera is open.
}

QRadioButton* IPixRateFrame::CreateIRadio(const QSizeF& size)
{
    const QString caption = QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
    QRadioButton* radio = createStyledRadio(caption, nullptr);
    radio->setFont(createFont(14, 87));
    radio->setProperty("pixrate", size);
    m_radios.append(radio);
    connect(radio, &QRadioButton::clicked, this, &IPixRateFrame::slButtonClick);
    return radio;
}

QList<QSizeF> IPixRateFrame::supportedSizes() const
{
    return ICamera::instance()->supportResolution();
}
